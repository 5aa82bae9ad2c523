#include "WorldFixture.h"

class WorldTest : public WorldFixture
{
protected:
    void Turns(int n)
    {
        while (n-- > 0)
            world->Turn();
    }

    // Stops the computer sides from spawning or decaying, so that a test
    // sees only its own objects act.
    void QuietComputers()
    {
        world->m_Players[1]->m_Alive = world->m_Players[2]->m_Alive = false;
    }
};

TEST_F(WorldTest, SidesSeeTheirOwnAndRevealedObjectsInJoiningOrder)
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

    EXPECT_EQ(world->GetNoOfEnemies(), 2);
    EXPECT_EQ(world->GetNoOfBases(1), 1);
    Lair(1)->m_Alive = false;
    world->m_Players[2]->m_Alive = false;
    EXPECT_EQ(world->GetNoOfBases(1), 0);
    EXPECT_EQ(world->GetNoOfEnemies(), 1);
}

TEST_F(WorldTest, RisksDecayToTheirFloorsAndAComputerSpawnAddsTenTimesItsRoomsSquared)
{
    // One turn per row; the computer's one template is always picked and is
    // spawned when `rooms` is non-zero.
    const struct
    {
        int human, humanAfter, computer, rooms, computerAfter;
    } rows[] = {{100, 94, 100, 0, 95},
                {94, 89, 20, 0, 19},
                {11, 10, 19, 0, 19},
                {10, 10, 100, 3, 181},
                {10, 10, 100, 4, 247}};
    world->m_Players[2]->m_Alive = false;
    Player& human = *world->m_Players[0];
    Player& computer = *world->m_Players[1];
    loose.insert(loose.end(), computer.m_Templates.begin(), computer.m_Templates.end());
    for (const auto& row : rows)
    {
        computer.m_Templates = {
            Add(1, std::vector<RoomType>(row.rooms ? row.rooms : 3, PLAYERBASE), "t", false)};
        computer.m_DiscoveredRoomTypes = {row.rooms ? PLAYERBASE : LOOK};
        human.m_Risk = row.human;
        computer.m_Risk = row.computer;
        SeedWhere([] { return rand() % 10 == 1; });
        world->Turn();
        EXPECT_EQ(human.m_Risk, row.humanAfter) << "from " << row.human;
        EXPECT_EQ(computer.m_Risk, row.computerAfter) << "from " << row.computer << " with " << row.rooms;
    }
}

TEST_F(WorldTest, DeadSidesNeitherSpawnNorDecayButTheirObjectsActAndLivingLairsStayFresh)
{
    QuietComputers();
    // Its sightings come from elsewhere, not a look: each ping must not
    // report them again.
    Object* survivor = Add(1, {PLAYERBASE, PLAYERLAIR, PING});
    survivor->m_VisibleToPlayer = 0.5f;
    survivor->m_NewKnownEnemies = {Lair(0)};
    Turns(200);
    EXPECT_EQ(hubRecord.gameOvers, std::vector<bool>(200, true)); // won, every turn
    EXPECT_EQ(world->m_Objects.size(), 4u);
    EXPECT_EQ(world->m_Players[1]->m_Risk, 100);
    EXPECT_EQ(world->m_Players[2]->m_Risk, 100);
    EXPECT_EQ(survivor->m_VisibleToPlayer, 1.0f);
    EXPECT_EQ(survivor->m_KnownEnemies, std::vector<Object*>{Lair(0)});
    EXPECT_TRUE(survivor->m_NewKnownEnemies.empty());
    EXPECT_TRUE(hubRecord.messages.empty()); // the human's lair never times out
}

TEST_F(WorldTest, EveryLivingObjectDrawsForItsPingOnceAndEachRoomActs)
{
    QuietComputers();
    world->m_Players[0]->m_Alive = false;
    for (Object* lair : world->m_Objects)
        lair->m_Alive = false;
    Add(0, {PLAYERBASE});
    Add(1, {PLAYERBASE, DECOY});
    Add(2, {PLAYERBASE})->m_Alive = false;
    // Two rock rooms attack twice; picking a friend draws nothing more.
    Object* rocks = Add(2, {PLAYERBASE, ROCK, ROCK});
    rocks->m_KnownEnemies = {rocks};
    EXPECT_EQ(DrawsMadeBy([&] { world->Turn(); }), 3 + 2);
}

TEST_F(WorldTest, OwnObjectTimesOutOnItsFortyFirstTurnUnlessALairOrPingRoomRefreshesIt)
{
    QuietComputers();
    Add(0, {PLAYERBASE, LOOK, ROCK}, "plain");
    Add(0, {PLAYERBASE, FRIENDPING}, "friend"); // alive, but friend pings do not refresh
    // Dead objects never refresh, but still fade and time out.
    Add(0, {PLAYERBASE, FRIENDPING, PING}, "relay")->m_Alive = false;
    Object* pinger = Add(0, {PLAYERBASE, PING, FRIENDPING}, "pinger");
    Object* enemy = Add(1, {PLAYERBASE}, "enemy");
    pinger->m_Alive = enemy->m_Alive = false;

    Turns(40);
    EXPECT_TRUE(hubRecord.messages.empty());
    world->Turn();
    ASSERT_EQ(Said(), (std::vector<std::string>{"!p / plain ping timeout",
                                                "!p / friend ping timeout, possible relay disruption",
                                                "!p / relay ping timeout, possible relay disruption",
                                                "!p / pinger ping timeout, presumed destroyed"}));
    EXPECT_FALSE(enemy->m_Visible); // enemies change the flag silently
    Turns(100);
    EXPECT_EQ(hubRecord.messages.size(), 4u);

    // Run out to exactly nothing is run out.
    Add(0, {PLAYERBASE}, "edge")->m_VisibleToPlayer = 0.025f;
    world->Turn();
    EXPECT_EQ(Said().back(), "!p / edge ping timeout");
    // Alone alive, it draws once a turn and pings on one draw in six: its
    // first ping, here in the second turn, brings it back.
    for (Object* obj : world->m_Objects)
        obj->m_Alive = obj == pinger;
    SeedWhere([] { return rand() % 6 != 1 && rand() % 6 == 1; });
    world->Turn();
    EXPECT_EQ(hubRecord.messages.size(), 5u);
    world->Turn();
    EXPECT_EQ(Said().back(), "p / pinger ping returned");
}

TEST_F(WorldTest, LossIsReportedEveryTurnBeforeAnyWinAndALostLairFades)
{
    QuietComputers();
    world->m_Players[0]->m_Alive = Lair(0)->m_Alive = false;
    Turns(2);
    EXPECT_EQ(hubRecord.gameOvers, (std::vector<bool>{false, true, false, true}));
    hubRecord.Clear();
    for (int side : {2, 1}) // either computer side alive keeps the win away
    {
        world->m_Players[1]->m_Alive = side == 1;
        world->m_Players[2]->m_Alive = side == 2;
        Turns(19);
    }
    EXPECT_EQ(hubRecord.gameOvers, std::vector<bool>(38, false));
    EXPECT_TRUE(hubRecord.messages.empty());
    world->Turn(); // its 41st turn without acting
    EXPECT_EQ(Said(), std::vector<std::string>{"!p / @ ping timeout"});
}

TEST_F(WorldTest, ObjectDestroyedEarlierInThePassDoesNotAct)
{
    QuietComputers();
    // The attacker joins before its victim, so the victim loses its turn:
    // its lair room does not refresh it in the turn it dies.
    Object* attacker = Add(0, {PLAYERBASE, ROCK, ROCK, ROCK});
    Object* victim = Add(2, {PLAYERBASE, PLAYERLAIR});
    for (int tries = 0; victim->m_Alive && tries < 100; ++tries)
    {
        victim->m_VisibleToPlayer = 0.5f;
        attacker->m_KnownEnemies = {victim};
        attacker->m_Alive = true;
        world->Turn();
    }
    ASSERT_FALSE(victim->m_Alive);
    EXPECT_LT(victim->m_VisibleToPlayer, 0.5f);
}
