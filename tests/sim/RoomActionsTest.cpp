#include "WorldFixture.h"

#include <algorithm>
#include <utility>

using RoomActionsTest = WorldFixture;

TEST_F(RoomActionsTest, ForageFindsAKindOneTimeInAHundredAndOnlyTheHumanHearsOfIt)
{
    for (int side : {0, 1})
    {
        Object* forager = Add(side, {PLAYERBASE, FORAGE}, "digger");
        std::vector<RoomType>& kinds = world->m_Players[side]->m_DiscoveredRoomTypes;
        for (unsigned seed = 1; seed <= 3000; ++seed)
        {
            std::vector<RoomType> expected = kinds;
            srand(seed);
            world->Forage(forager);
            srand(seed);
            // One try in a hundred draws a kind; a base, always known, stands
            // for finding nothing.
            const RoomType found =
                rand() % 100 == 1 ? FORAGEABLEKINDS[rand() % NOOFFORAGEABLEKINDS] : PLAYERBASE;
            if (std::find(expected.begin(), expected.end(), found) == expected.end())
                expected.push_back(found);
            ASSERT_EQ(kinds, expected) << "seed " << seed;
        }
    }
    // The human heard of each kind new to it, in the order these seeds find
    // them; the computer's finds are silent.
    EXPECT_EQ(Said(), (std::vector<std::string>{"fs / New data: snoop found by digger",
                                                "fd / New data: decoy found by digger",
                                                "fF / New data: Friendping found by digger",
                                                "fX / New data: XScissors found by digger",
                                                "fB / New data: BPaper found by digger"}));
}

TEST_F(RoomActionsTest, AttackPicksATargetAndTheWeaponDuelsAddToALuckyDraw)
{
    Object* idle = Add(0, {PLAYERBASE, ROCK});
    EXPECT_EQ(DrawsMadeBy([&] { world->Attack(idle); }), 0); // nobody to attack
    // `duels` is what the weapon comparisons add to the draw of -1..+1. Each
    // comparison is attacker's weapon minus the defender's weapon that beats
    // it (rock-paper, paper-scissors, scissors-rock); its sign counts.
    const struct
    {
        std::vector<RoomType> attack, defend;
        int duels;
    } cases[] = {
        {{PLAYERBASE, ROCK}, {PLAYERBASE, BPAPER}, 0},    // 1-1
        {{PLAYERBASE, ROCK}, {PLAYERBASE, XSCISSORS}, 0}, // +1 rocks, -1 papers (0-1)
        {{PLAYERBASE, ROCK}, {PLAYERLAIR}, +1},
        {{PLAYERBASE, ROCK, ROCK}, {PLAYERBASE, BPAPER}, +1}, // 2-1
        {{PLAYERBASE, ROCK}, {PLAYERBASE, ROCK}, 0},          // +1 rocks, -1 scissors
        {{PLAYERBASE, BPAPER, XSCISSORS, ROCK}, {PLAYERBASE}, +3},
        {{PLAYERBASE, ROCK, ROCK, BPAPER}, {PLAYERBASE, LOOK}, +2},
        {{PLAYERBASE, LOOK}, {PLAYERBASE, ROCK, BPAPER, XSCISSORS}, -3},
        {{PLAYERBASE, ROCK, BPAPER}, {PLAYERBASE, BPAPER, BPAPER, XSCISSORS}, -1},
        {{PLAYERBASE, XSCISSORS}, {PLAYERBASE, BPAPER, BPAPER}, 0}, // -2 rocks, +1 scissors
    };
    for (const auto& c : cases)
    {
        for (unsigned seed = 1; seed <= 40; ++seed)
        {
            SCOPED_TRACE(testing::Message() << "duels " << c.duels << " seed " << seed);
            Object* attacker = Add(0, c.attack);
            Object* buddy = Add(0, {PLAYERBASE});
            Object* enemy = Add(1, c.defend);
            attacker->m_KnownEnemies = {buddy, enemy};
            world->m_Players[1]->m_Alive = true;
            srand(seed);
            world->Attack(attacker);
            const int next = rand();

            // A friend picked is left alone; a failure costs the attacker
            // its life one time in three; a fallen lair takes its side and
            // leaves the attacker's list.
            srand(seed);
            const int success = rand() % 2 == 0 ? 0 : rand() % 3 - 1 + c.duels;
            const bool attackerDies = success < 0 && rand() % 3 == 1;
            const bool lairLost = success > 0 && enemy->m_Rooms[0]->Type == PLAYERLAIR;
            EXPECT_EQ(rand(), next);
            EXPECT_EQ(enemy->m_Alive, success <= 0);
            EXPECT_EQ(attacker->m_Alive, !attackerDies);
            EXPECT_EQ(world->m_Players[1]->m_Alive, !lairLost);
            EXPECT_EQ(attacker->m_KnownEnemies,
                      (lairLost ? std::vector<Object*>{buddy} : std::vector<Object*>{buddy, enemy}));
        }
    }
}

TEST_F(RoomActionsTest, FirstReportOfAnEnemyRevealsItToTheSideAndOnlyTheHumanHearsAndRenames)
{
    Object* scout = Add(0, {PLAYERBASE, LOOK, PING}, "scout");
    Object* thing = Add(1, {PLAYERBASE}, "lp12");
    Lair(1)->m_VisibleToPlayer = 0.1f;
    scout->m_NewKnownEnemies = {Lair(1), thing, Lair(1)};
    world->SendSpotted(scout);
    EXPECT_EQ(Said(), (std::vector<std::string>{"?@ / New enemy Base discovered",
                                                "? / New enemy Object discovered"}));
    EXPECT_EQ(Lair(1)->m_Name, "?@");
    EXPECT_EQ(thing->m_Name, "?");
    EXPECT_EQ(Lair(1)->m_VisibleToPlayer, 1.0f);
    EXPECT_EQ(scout->m_KnownEnemies, (std::vector<Object*>{Lair(1), thing, Lair(1)}));
    EXPECT_EQ(world->m_Players[0]->m_KnownEnemies, (std::vector<Object*>{Lair(1), thing}));

    // Reported again only the reporter's own list grows; another side's
    // report reveals silently, each side once.
    Lair(1)->m_VisibleToPlayer = 0.5f;
    Object* spy = Add(2, {PLAYERBASE, PING});
    for (Object* reporter : {scout, spy, spy})
    {
        reporter->m_NewKnownEnemies = {Lair(1), reporter == scout ? thing : scout};
        world->SendSpotted(reporter);
    }
    EXPECT_EQ(hubRecord.messages.size(), 2u);
    EXPECT_EQ(scout->m_KnownEnemies.size(), 5u);
    EXPECT_EQ(Lair(1)->m_VisibleToPlayer, 0.5f);
    EXPECT_EQ(Lair(1)->m_RevealedToPlayers, (std::vector<int>{0, 2}));
    EXPECT_EQ(scout->m_Name, "scout");
    EXPECT_EQ(scout->m_RevealedToPlayers, std::vector<int>{2});
}

TEST_F(RoomActionsTest, FriendPingSharesSightingsWithTheWholeSide)
{
    Object* sender = Add(1, {PLAYERBASE, FRIENDPING});
    Object* deadFriend = Add(1, {PLAYERBASE});
    deadFriend->m_Alive = false;
    Object* stranger = Add(2, {PLAYERBASE});
    sender->m_NewKnownEnemies = {Lair(0), Lair(2)};
    world->FriendSendSpotted(sender);
    for (Object* friendly : {sender, deadFriend, Lair(1)})
        EXPECT_EQ(friendly->m_KnownEnemies, (std::vector<Object*>{Lair(0), Lair(2)}));
    EXPECT_TRUE(stranger->m_KnownEnemies.empty());
    EXPECT_TRUE(world->m_Players[1]->m_KnownEnemies.empty() && Lair(0)->m_RevealedToPlayers.empty());
}

// Looks and pings as the rules state them, one draw at a time over the list
// itself, against the world's scans from the same seed: every object's
// sightings and the generator's next draw must agree. Besides plain seeds,
// ones whose draw for side 1's lair, or the first plain object, is exactly
// at its threshold or just above, in a look by side 0.
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
        looker->m_NewKnownEnemies.clear();
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
        for (Object* obj : world->m_Objects)
            obj->m_NewKnownEnemies = {obj}; // earlier sightings
        srand(seed);
        scan();
        std::pair<int, std::vector<std::vector<Object*>>> result{rand(), {}};
        for (Object* obj : world->m_Objects)
            result.second.push_back(std::exchange(obj->m_NewKnownEnemies, {}));
        return result;
    };
    std::vector<unsigned> seeds{SeedWhere([] { return rand() % 10000 == 5000; }),
                                SeedWhere([] { return rand() % 10000 == 5001; }),
                                SeedWhere([] { return rand(), rand(), rand() % 10000 == 50; }),
                                SeedWhere([] { return rand(), rand(), rand() % 10000 == 51; })};
    for (unsigned seed = 1; seed <= 100; ++seed)
        seeds.push_back(seed);
    const auto compare = [&] {
        for (unsigned seed : seeds)
        {
            for (Object* p : pingers)
            {
                ASSERT_EQ(outcome(seed, [&] { world->Look(p); }), outcome(seed, [&] { look(p); }));
                ASSERT_EQ(outcome(seed, [&] { world->Pingas(p); }),
                          outcome(seed, [&] { overhear(p, 25, false); }));
                ASSERT_EQ(outcome(seed, [&] { world->SnoopPingas(p); }),
                          outcome(seed, [&] { overhear(p, 100, true); }));
            }
        }
    };
    compare();
    // Objects that join once the scans have begun, through AddObject or
    // pushed straight into the list, are scanned too.
    Add(2, {PLAYERBASE, SNOOP, SNOOP});
    Add(0, {PLAYERLAIR});
    compare();
    world->m_Objects.push_back(Add(1, {PLAYERBASE, SNOOP}, "obj", false));
    compare();
    // Every risk below a plain object's 50: plain objects are still sighted.
    for (Player* side : world->m_Players)
        side->m_Risk = 10;
    compare();
}
