#include "WorldFixture.h"

#include <algorithm>
#include <utility>

class RoomActionsTest : public WorldFixture
{
protected:
    static int Count(const std::vector<Object*>& list, const Object* obj)
    {
        return static_cast<int>(std::count(list.begin(), list.end(), obj));
    }
};

TEST_F(RoomActionsTest, LookSightsOnlyOtherSidesDeadOrAlive)
{
    Object* looker = Add(1, {PLAYERBASE, LOOK});
    Object* friendly = Add(1, {PLAYERBASE});
    Object* deadEnemy = Add(2, {PLAYERBASE});
    deadEnemy->m_Alive = false;
    for (Player* side : world->m_Players)
        side->m_Risk = 9999; // every lair is always sighted

    for (int i = 0; i < 20000; ++i)
    {
        world->Look(looker);
        ASSERT_EQ(Count(looker->m_NewKnownEnemies, Lair(0)), 1);
        ASSERT_EQ(Count(looker->m_NewKnownEnemies, Lair(2)), 1);
        ASSERT_EQ(Count(looker->m_NewKnownEnemies, Lair(1)), 0);
        ASSERT_EQ(Count(looker->m_NewKnownEnemies, friendly), 0);
        if (Count(looker->m_NewKnownEnemies, deadEnemy))
            return;
    }
    FAIL() << "a dead enemy was never sighted";
}

TEST_F(RoomActionsTest, LookDrawsOncePerEnemyAndForgetsOldSightings)
{
    Object* looker = Add(0, {PLAYERBASE, LOOK});
    world->m_Players[1]->m_Risk = -1;
    world->m_Players[2]->m_Risk = -1; // nothing to sight but two hidden lairs
    looker->m_NewKnownEnemies = {Lair(1), Lair(2)};
    world->Look(looker);
    EXPECT_TRUE(looker->m_NewKnownEnemies.empty());

    Add(0, {PLAYERBASE});
    Add(1, {PLAYERBASE});
    Add(2, {PLAYERBASE});
    EXPECT_EQ(DrawsMadeBy([&] { world->Look(looker); }), 4); // two lairs, two objects
}

TEST_F(RoomActionsTest, ForageFindsOnlyUnknownKindsAndOnlyTheHumanHearsOfIt)
{
    Object* human = Add(0, {PLAYERBASE, FORAGE}, "digger");
    Object* computer = Add(1, {PLAYERBASE, FORAGE}, "mole");
    std::vector<RoomType>& humanKinds = world->m_Players[0]->m_DiscoveredRoomTypes;
    std::vector<RoomType>& computerKinds = world->m_Players[1]->m_DiscoveredRoomTypes;

    for (int i = 0; i < 100000 && humanKinds.size() < 10; ++i)
    {
        world->Forage(human);
        world->Forage(computer);
    }
    ASSERT_EQ(humanKinds.size(), 10u);
    EXPECT_EQ(std::vector<RoomType>(humanKinds.begin(), humanKinds.begin() + 5),
              (std::vector<RoomType>{PLAYERBASE, LOOK, ROCK, PING, FORAGE}));
    std::vector<RoomType> sorted = humanKinds;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end()) << "a kind was added twice";

    ASSERT_EQ(hubRecord.messages.size(), 5u); // one per new kind, none for the computer
    for (size_t i = 0; i < 5; ++i)
    {
        const RoomType found = humanKinds[5 + i];
        EXPECT_EQ(hubRecord.messages[i].shortText, std::string("f") + RoomTypeToChar(found));
        EXPECT_EQ(hubRecord.messages[i].longText, "New data: " + RoomTypeToName(found) + " found by digger");
    }
    EXPECT_GT(computerKinds.size(), 5u);
}

TEST_F(RoomActionsTest, AttackWithoutTargetsOrAgainstAFriendDoesNothing)
{
    Object* attacker = Add(0, {PLAYERBASE, ROCK});
    EXPECT_EQ(DrawsMadeBy([&] { world->Attack(attacker); }), 0);
    Object* buddy = Add(0, {PLAYERBASE});
    attacker->m_KnownEnemies = {buddy};
    EXPECT_EQ(DrawsMadeBy([&] { world->Attack(attacker); }), 1);
    EXPECT_TRUE(buddy->m_Alive);
    EXPECT_TRUE(attacker->m_Alive);
}

TEST_F(RoomActionsTest, OutcomeFollowsTheWeaponDuelsAndOneThirdDraw)
{
    struct Case
    {
        std::vector<RoomType> attack;
        std::vector<RoomType> defend;
        int duels; // what the weapon comparisons add to the draw of -1..+1
    };
    // Each comparison is attacker's weapon minus the defender's weapon that
    // beats it (rock-paper, paper-scissors, scissors-rock); its sign counts.
    const Case cases[] = {
        {{PLAYERBASE, ROCK}, {PLAYERBASE, BPAPER}, 0},              // 1-1
        {{PLAYERBASE, ROCK}, {PLAYERBASE, XSCISSORS}, 0},           // +1 rocks, -1 papers (0-1)
        {{PLAYERBASE, ROCK}, {PLAYERLAIR}, +1},
        {{PLAYERBASE, ROCK, ROCK}, {PLAYERBASE, BPAPER}, +1},       // 2-1
        {{PLAYERBASE, ROCK}, {PLAYERBASE, ROCK}, 0},                // +1 rocks, -1 scissors
        {{PLAYERBASE, BPAPER, XSCISSORS, ROCK}, {PLAYERBASE}, +3},
        {{PLAYERBASE, ROCK, ROCK, BPAPER}, {PLAYERBASE, LOOK}, +2},
        {{PLAYERBASE, LOOK}, {PLAYERBASE, ROCK, BPAPER, XSCISSORS}, -3},
        {{PLAYERBASE, ROCK, BPAPER}, {PLAYERBASE, BPAPER, BPAPER, XSCISSORS}, -1},
        {{PLAYERBASE, XSCISSORS}, {PLAYERBASE, BPAPER, BPAPER}, 0}, // -2 rocks, +1 scissors
    };
    for (const Case& c : cases)
    {
        for (unsigned seed = 1; seed <= 30; ++seed)
        {
            Object* attacker = Add(0, c.attack);
            Object* enemy = Add(1, c.defend);
            attacker->m_KnownEnemies = {enemy};
            srand(seed);
            world->Attack(attacker);

            srand(seed);
            rand(); // the pick
            const int success = rand() % 3 - 1 + c.duels;
            const bool attackerDies = success < 0 && rand() % 3 == 1;
            EXPECT_EQ(enemy->m_Alive, success <= 0) << "duels " << c.duels << " seed " << seed;
            EXPECT_EQ(attacker->m_Alive, !attackerDies) << "duels " << c.duels << " seed " << seed;
            const bool lairLost = enemy->m_Rooms[0]->Type == PLAYERLAIR && !enemy->m_Alive;
            EXPECT_EQ(attacker->m_KnownEnemies.size(), lairLost ? 0u : 1u);
        }
    }
}

TEST_F(RoomActionsTest, DestroyingALairKillsItsSideAndLeavesTheList)
{
    Object* attacker = Add(0, {PLAYERBASE, ROCK, ROCK, BPAPER, XSCISSORS});
    Object* other = Add(2, {PLAYERBASE});
    for (unsigned seed = 1; Lair(1)->m_Alive; ++seed)
    {
        ASSERT_LT(seed, 100u);
        attacker->m_KnownEnemies = {other, Lair(1), other};
        srand(seed);
        world->Attack(attacker);
    }
    EXPECT_FALSE(world->m_Players[1]->m_Alive);
    EXPECT_EQ(attacker->m_KnownEnemies, (std::vector<Object*>{other, other}));
    EXPECT_TRUE(world->m_Players[2]->m_Alive);
}

TEST_F(RoomActionsTest, HumanReportRevealsRenamesAndAnnouncesOnce)
{
    Object* scout = Add(0, {PLAYERBASE, LOOK, PING});
    Object* thing = Add(1, {PLAYERBASE}, "lp12");
    Lair(1)->m_VisibleToPlayer = 0.1f;
    scout->m_NewKnownEnemies = {Lair(1), thing, Lair(1)};
    world->SendSpotted(scout);

    ASSERT_EQ(hubRecord.messages.size(), 2u);
    EXPECT_EQ(hubRecord.messages[0].shortText, "?@");
    EXPECT_EQ(hubRecord.messages[0].longText, "New enemy Base discovered");
    EXPECT_EQ(hubRecord.messages[1].shortText, "?");
    EXPECT_EQ(hubRecord.messages[1].longText, "New enemy Object discovered");
    EXPECT_EQ(Lair(1)->m_Name, "?@");
    EXPECT_EQ(thing->m_Name, "?");
    EXPECT_EQ(Lair(1)->m_VisibleToPlayer, 1.0f);
    EXPECT_EQ(Lair(1)->m_RevealedToPlayers, std::vector<int>{0});
    EXPECT_EQ(scout->m_KnownEnemies, (std::vector<Object*>{Lair(1), thing, Lair(1)}));
    EXPECT_EQ(world->m_Players[0]->m_KnownEnemies, (std::vector<Object*>{Lair(1), thing}));

    // Reported again: only the scout's own target list grows.
    Lair(1)->m_VisibleToPlayer = 0.5f;
    scout->m_NewKnownEnemies = {Lair(1)};
    world->SendSpotted(scout);
    EXPECT_EQ(hubRecord.messages.size(), 2u);
    EXPECT_EQ(Lair(1)->m_VisibleToPlayer, 0.5f);
    EXPECT_EQ(scout->m_KnownEnemies.size(), 4u);
    EXPECT_EQ(Lair(1)->m_RevealedToPlayers, std::vector<int>{0});
}

TEST_F(RoomActionsTest, ComputerReportsRevealSilentlyAndEachSideOnce)
{
    Object* ours = Add(0, {PLAYERBASE}, "mine");
    Object* spy1 = Add(1, {PLAYERBASE, PING});
    Object* spy2 = Add(2, {PLAYERBASE, PING});
    Object* scout = Add(2, {PLAYERBASE, PING});
    spy1->m_NewKnownEnemies = {ours};
    spy2->m_NewKnownEnemies = {ours};
    scout->m_NewKnownEnemies = {ours};
    world->SendSpotted(spy1);
    world->SendSpotted(spy2);
    world->SendSpotted(scout);
    EXPECT_TRUE(hubRecord.messages.empty());
    EXPECT_EQ(ours->m_Name, "mine");
    EXPECT_EQ(ours->m_RevealedToPlayers, (std::vector<int>{1, 2}));

    Object* quiet = Add(1, {PLAYERBASE, PING});
    EXPECT_EQ(DrawsMadeBy([&] { world->SendSpotted(quiet); }), 0);
}

TEST_F(RoomActionsTest, FriendPingSharesSightingsWithTheWholeSide)
{
    Object* sender = Add(1, {PLAYERBASE, FRIENDPING});
    Object* deadFriend = Add(1, {PLAYERBASE});
    deadFriend->m_Alive = false;
    Object* stranger = Add(2, {PLAYERBASE});
    world->FriendSendSpotted(sender);
    EXPECT_TRUE(deadFriend->m_KnownEnemies.empty());

    sender->m_NewKnownEnemies = {Lair(0), Lair(2)};
    world->FriendSendSpotted(sender);
    const std::vector<Object*> shared{Lair(0), Lair(2)};
    EXPECT_EQ(sender->m_KnownEnemies, shared);
    EXPECT_EQ(deadFriend->m_KnownEnemies, shared);
    EXPECT_EQ(Lair(1)->m_KnownEnemies, shared);
    EXPECT_TRUE(stranger->m_KnownEnemies.empty());
    EXPECT_TRUE(world->m_Players[1]->m_KnownEnemies.empty());
    EXPECT_TRUE(Lair(0)->m_RevealedToPlayers.empty());
}

TEST_F(RoomActionsTest, SnoopsHearPingsOncePerRoomAndTraceThemOncePerLair)
{
    Object* pinger = Add(0, {PLAYERBASE, PING});
    Object* snoop = Add(1, {PLAYERBASE, SNOOP, LOOK, SNOOP});
    Object* ownSnoop = Add(0, {PLAYERBASE, SNOOP});
    Object* deadSnoop = Add(2, {PLAYERBASE, SNOOP});
    deadSnoop->m_Alive = false;

    EXPECT_EQ(DrawsMadeBy([&] { world->Pingas(pinger); }), 3);      // three enemy snoop rooms
    EXPECT_EQ(DrawsMadeBy([&] { world->SnoopPingas(pinger); }), 9); // times three lairs

    int twice = 0;
    for (int i = 0; i < 20000; ++i)
    {
        snoop->m_NewKnownEnemies.clear();
        world->Pingas(pinger);
        const int heard = Count(snoop->m_NewKnownEnemies, pinger);
        ASSERT_LE(heard, 2);
        twice += heard == 2;
    }
    EXPECT_GT(twice, 0);
    EXPECT_TRUE(ownSnoop->m_NewKnownEnemies.empty());
    EXPECT_FALSE(deadSnoop->m_NewKnownEnemies.empty()); // dead snoops still listen
}

// Looks and pings as the rules state them, one draw at a time over the list
// itself, against the world's scans from the same seed: every object's
// sightings and the generator's next draw must agree.
TEST_F(RoomActionsTest, ScansDrawInListOrderOverDeadObjectsAndSnoopsOfEverySide)
{
    std::vector<Object*> pingers;
    for (int side = 0; side < 3; ++side)
    {
        pingers.push_back(Add(side, {PLAYERBASE, LOOK, PING}));
        Add(side, {PLAYERBASE, SNOOP})->m_Alive = false;
        Add(side, {PLAYERBASE, SNOOP, LOOK, SNOOP});
        Add(side, {PLAYERBASE})->m_Alive = false;
    }
    Lair(2)->m_Alive = false;
    for (Player* side : world->m_Players)
        side->m_Risk = 5000; // a lair is sighted about every other look

    const auto isLair = [](const Object* obj) { return obj->m_Rooms[0]->Type == PLAYERLAIR; };
    const auto look = [&](Object* looker) {
        for (Object* other : world->m_Objects)
        {
            const int risk = isLair(other) ? world->m_Players[other->m_PlayerID]->m_Risk : 50;
            if (other->m_PlayerID != looker->m_PlayerID && rand() % 10000 <= risk)
                looker->m_NewKnownEnemies.push_back(other);
        }
    };
    // Each enemy snoop room draws once, or once per lair in the world.
    const auto overhear = [&](Object* pinger, int chances, bool perLair) {
        for (Object* other : world->m_Objects)
            for (const Room* room : other->m_Rooms)
                for (const Object* lair : world->m_Objects)
                    if (other->m_PlayerID != pinger->m_PlayerID && room->Type == SNOOP &&
                        (perLair ? isLair(lair) : lair == other) && rand() % chances == 1)
                        other->m_NewKnownEnemies.push_back(pinger);
    };
    const auto outcome = [&](unsigned seed, const std::function<void()>& scan) {
        srand(seed);
        scan();
        std::pair<int, std::vector<std::vector<Object*>>> result{rand(), {}};
        for (Object* obj : world->m_Objects)
            result.second.push_back(std::exchange(obj->m_NewKnownEnemies, {}));
        return result;
    };
    const auto compare = [&] {
        for (unsigned seed = 1; seed <= 100; ++seed)
        {
            for (Object* p : pingers)
            {
                ASSERT_EQ(outcome(seed, [&] { world->Look(p); }), outcome(seed, [&] { look(p); }));
                ASSERT_EQ(outcome(seed, [&] { world->Pingas(p); }), outcome(seed, [&] { overhear(p, 25, false); }));
                ASSERT_EQ(outcome(seed, [&] { world->SnoopPingas(p); }), outcome(seed, [&] { overhear(p, 100, true); }));
            }
        }
    };
    compare();
    // Objects that join once the scans have begun, through AddObject or
    // pushed straight into the list, are scanned too.
    Add(2, {PLAYERBASE, SNOOP, SNOOP});
    Add(0, {PLAYERLAIR});
    compare();
    world->m_Objects.push_back(Make(1, {PLAYERBASE, SNOOP}));
    compare();
}
