#include "WorldFixture.h"

class WorldTest : public WorldFixture
{
protected:
    void Turns(int n)
    {
        for (int i = 0; i < n; ++i)
            world->Turn();
    }

    // Stops the computer sides from spawning or decaying, so that a test
    // sees only its own objects act.
    void QuietComputers()
    {
        world->m_Players[1]->m_Alive = false;
        world->m_Players[2]->m_Alive = false;
    }
};

TEST_F(WorldTest, FreshWorldHoldsThreeLairs)
{
    EXPECT_EQ(world->m_ValidRoomTypes,
              (std::vector<RoomType>{PLAYERBASE, LOOK, FORAGE, ROCK, BPAPER, XSCISSORS, PING, FRIENDPING, SNOOP, DECOY}));
    ASSERT_EQ(world->m_Objects.size(), 3u);
    int side = 0;
    for (const Object* lair : world->m_Objects)
    {
        EXPECT_EQ(lair->m_PlayerID, side++);
        EXPECT_EQ(lair->m_Name, "@");
        ASSERT_EQ(lair->m_Rooms.size(), 1u);
        EXPECT_EQ(lair->m_Rooms[0]->Type, PLAYERLAIR);
        EXPECT_EQ(lair->m_Rooms[0]->Rect, sf::FloatRect(0, 0, 0, 0));
    }
    EXPECT_EQ(world->GetVisibles(0), std::list<Object*>{Lair(0)});
    EXPECT_EQ(world->GetNoOfEnemies(), 2);
    EXPECT_EQ(world->GetNoOfBases(1), 1);
    EXPECT_EQ(world->GetHumanPlayer(), world->m_Players[0]);

    Lair(1)->m_Alive = false;
    EXPECT_EQ(world->GetNoOfBases(1), 0);
    world->m_Players[2]->m_Alive = false;
    EXPECT_EQ(world->GetNoOfEnemies(), 1);
}

TEST_F(WorldTest, VisiblesAreOwnAndRevealedObjectsInJoiningOrder)
{
    Object* mine = Add(0, {PLAYERBASE, LOOK});
    Object* seen = Add(2, {PLAYERBASE});
    Object* unseen = Add(1, {PLAYERBASE});
    Object* dead = Add(1, {PLAYERBASE});
    seen->m_RevealedToPlayers = {1, 0};
    dead->m_RevealedToPlayers = {0};
    dead->m_Alive = false;
    dead->m_VisibleToPlayer = -3;
    unseen->m_RevealedToPlayers = {2};
    EXPECT_EQ(world->GetVisibles(0), (std::list<Object*>{Lair(0), mine, seen, dead}));
    EXPECT_EQ(world->GetVisibles(1), (std::list<Object*>{Lair(1), seen, unseen, dead}));
    EXPECT_EQ(world->GetVisibles(2), (std::list<Object*>{Lair(2), seen, unseen}));
}

TEST_F(WorldTest, RisksDecayToTheirFloors)
{
    Player& human = *world->m_Players[0];
    Player& computer = *world->m_Players[1];
    world->m_Players[2]->m_Alive = false;

    std::vector<int> humanRisks;
    for (int i = 0; i < 4; ++i)
    {
        srand(1000 + i);
        world->Turn();
        humanRisks.push_back(human.m_Risk);
    }
    EXPECT_EQ(humanRisks, (std::vector<int>{94, 89, 84, 79}));

    human.m_Risk = 11;
    computer.m_Risk = 20;
    world->Turn();
    EXPECT_EQ(human.m_Risk, 10);
    if (world->m_Objects.size() == 3) // no spawn this turn
    {
        EXPECT_EQ(computer.m_Risk, 19);
    }
    human.m_Risk = 10;
    computer.m_Risk = 19;
    const size_t before = world->m_Objects.size();
    world->Turn();
    EXPECT_EQ(human.m_Risk, 10);
    if (world->m_Objects.size() == before)
    {
        EXPECT_EQ(computer.m_Risk, 19);
    }
    // A dead side keeps its risk.
    EXPECT_EQ(world->m_Players[2]->m_Risk, 100);
}

TEST_F(WorldTest, ComputerSpawnRaisesRiskByTenTimesRoomsSquared)
{
    // Look for seeds where side 1 spawns on the first turn, for both three-
    // and four-room designs.
    std::set<size_t> sizesSeen;
    for (unsigned seed = 1; seed < 3000 && sizesSeen.size() < 2; ++seed)
    {
        TearDown();
        SetUp();
        world->m_Players[2]->m_Alive = false;
        srand(seed);
        world->Turn();
        if (world->m_Objects.size() != 4)
            continue;
        const Object* spawned = world->m_Objects.back();
        ASSERT_EQ(spawned->m_PlayerID, 1);
        const int n = static_cast<int>(spawned->m_Rooms.size());
        const int raised = 100 + 10 * n * n;
        EXPECT_EQ(world->m_Players[1]->m_Risk, raised - raised / 20);
        if (n == 3)
        {
            EXPECT_EQ(world->m_Players[1]->m_Risk, 181);
        }
        if (n == 4)
        {
            EXPECT_EQ(world->m_Players[1]->m_Risk, 247);
        }
        sizesSeen.insert(n);
    }
    EXPECT_EQ(sizesSeen, (std::set<size_t>{3, 4}));
}

TEST_F(WorldTest, DeadSideNeitherSpawnsNorDecaysButItsObjectsAct)
{
    Player& side = *world->m_Players[1];
    side.m_Alive = false;
    Object* survivor = Add(1, {PLAYERBASE, PLAYERLAIR});
    survivor->m_VisibleToPlayer = 0.5f;
    Turns(200);
    EXPECT_EQ(side.m_Risk, 100);
    for (const Object* obj : world->m_Objects)
    {
        if (obj != survivor && obj != Lair(1))
        {
            EXPECT_NE(obj->m_PlayerID, 1);
        }
    }
    EXPECT_EQ(survivor->m_VisibleToPlayer, 1.0f); // its lair room still acts
}

TEST_F(WorldTest, EveryLivingObjectDrawsForItsPingOnce)
{
    QuietComputers();
    world->m_Players[0]->m_Alive = false;
    for (Object* lair : world->m_Objects)
        lair->m_Alive = false;
    Add(0, {PLAYERBASE});
    Add(1, {PLAYERBASE, DECOY});
    Add(2, {PLAYERBASE})->m_Alive = false;
    EXPECT_EQ(DrawsMadeBy([&] { world->Turn(); }), 2);
}

TEST_F(WorldTest, OwnObjectTimesOutOnItsFortyFirstTurnWithSuffixByFirstPingRoom)
{
    QuietComputers();
    Object* plain = Add(0, {PLAYERBASE, LOOK, ROCK}, "plain");
    Object* relay = Add(0, {PLAYERBASE, FRIENDPING, PING}, "relay");
    Object* pinger = Add(0, {PLAYERBASE, PING, FRIENDPING}, "pinger");
    Object* enemy = Add(1, {PLAYERBASE}, "enemy");
    // Dead objects never refresh, but still fade and time out.
    relay->m_Alive = false;
    pinger->m_Alive = false;
    enemy->m_Alive = false;

    Turns(40);
    EXPECT_TRUE(hubRecord.messages.empty());
    EXPECT_GT(plain->m_VisibleToPlayer, 0.0f);
    EXPECT_TRUE(plain->m_Visible);

    world->Turn();
    ASSERT_EQ(hubRecord.messages.size(), 3u);
    EXPECT_EQ(hubRecord.messages[0].shortText, "!p");
    EXPECT_EQ(hubRecord.messages[0].longText, "plain ping timeout");
    EXPECT_EQ(hubRecord.messages[1].longText, "relay ping timeout, possible relay disruption");
    EXPECT_EQ(hubRecord.messages[2].longText, "pinger ping timeout, presumed destroyed");
    EXPECT_FALSE(enemy->m_Visible); // enemies change the flag silently

    Turns(30);
    EXPECT_EQ(hubRecord.messages.size(), 3u);
}

TEST_F(WorldTest, OnlyLairAndPingRoomsRefreshAnOwnObject)
{
    QuietComputers();
    Object* friendOnly = Add(0, {PLAYERBASE, FRIENDPING}, "relay");
    Turns(41);
    ASSERT_EQ(hubRecord.messages.size(), 1u);
    EXPECT_EQ(hubRecord.messages[0].longText, "relay ping timeout, possible relay disruption");
    EXPECT_TRUE(friendOnly->m_Alive);
    Turns(100);
    EXPECT_EQ(hubRecord.messages.size(), 1u); // never " ping returned"

    Object* pinger = Add(0, {PLAYERBASE, PING}, "pinger");
    pinger->m_Alive = false;
    Turns(41);
    ASSERT_EQ(hubRecord.messages.size(), 2u);
    pinger->m_Alive = true;
    for (int i = 0; i < 200 && hubRecord.messages.size() == 2; ++i)
        world->Turn();
    ASSERT_EQ(hubRecord.messages.size(), 3u);
    EXPECT_EQ(hubRecord.messages[2].shortText, "p");
    EXPECT_EQ(hubRecord.messages[2].longText, "pinger ping returned");
    EXPECT_TRUE(pinger->m_Visible);
}

TEST_F(WorldTest, DestroyedHumanLairTimesOutAndLosesOnEveryTurn)
{
    world->m_Players[0]->m_Alive = false;
    Lair(0)->m_Alive = false;
    Turns(40);
    EXPECT_EQ(hubRecord.gameOvers, std::vector<bool>(40, false));
    world->Turn();
    bool timedOut = false;
    for (const auto& m : hubRecord.messages)
        timedOut |= m.longText == "@ ping timeout";
    EXPECT_TRUE(timedOut);
    EXPECT_EQ(hubRecord.gameOvers.size(), 41u);
    EXPECT_TRUE(Lair(0)->m_Visible == false);
}

TEST_F(WorldTest, LivingLairNeverTimesOut)
{
    QuietComputers();
    Turns(300);
    EXPECT_TRUE(hubRecord.messages.empty());
    EXPECT_EQ(Lair(0)->m_VisibleToPlayer, 1.0f);
}

TEST_F(WorldTest, EndOfGameIsReportedEveryTurnLossBeforeWin)
{
    QuietComputers();
    Turns(3);
    EXPECT_EQ(hubRecord.gameOvers, (std::vector<bool>{true, true, true}));
    hubRecord.Clear();
    world->m_Players[0]->m_Alive = false;
    Turns(2);
    EXPECT_EQ(hubRecord.gameOvers, (std::vector<bool>{false, true, false, true}));
    hubRecord.Clear();
    world->m_Players[1]->m_Alive = true;
    Turns(2);
    EXPECT_EQ(hubRecord.gameOvers, (std::vector<bool>{false, false}));
}

TEST_F(WorldTest, TwoRockRoomsAttackTwicePerTurn)
{
    // Against a weaponless lair one rock wins 2 times in 3; two attacks in
    // the same turn win 8 times in 9.
    int destroyed = 0;
    const int trials = 3000;
    QuietComputers();
    Object* target = Add(2, {PLAYERLAIR}, "target");
    Object* attacker = Add(0, {PLAYERBASE, ROCK, ROCK});
    for (int i = 0; i < trials; ++i)
    {
        target->m_Alive = true;
        attacker->m_Alive = true;
        attacker->m_KnownEnemies = {target, target, target};
        world->Turn();
        destroyed += !target->m_Alive;
    }
    EXPECT_NEAR(destroyed / double(trials), 8.0 / 9.0, 0.03);
}

TEST_F(WorldTest, ObjectDestroyedEarlierInThePassDoesNotAct)
{
    QuietComputers();
    // The attacker joins before its victim, so the victim loses its turn.
    Object* attacker = Add(0, {PLAYERBASE, ROCK, ROCK, ROCK});
    Object* victim = Add(2, {PLAYERBASE, PLAYERLAIR});
    victim->m_VisibleToPlayer = 0.5f;
    int tries = 0;
    while (victim->m_Alive && tries++ < 100)
    {
        attacker->m_KnownEnemies = {victim};
        attacker->m_Alive = true;
        world->Turn();
    }
    ASSERT_FALSE(victim->m_Alive);
    // Its lair room did not refresh it in the turn it died.
    EXPECT_LT(victim->m_VisibleToPlayer, 1.0f);
}
