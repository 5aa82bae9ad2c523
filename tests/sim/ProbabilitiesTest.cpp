// Chances measured over many seeded draws. The seeds are fixed, so these are
// deterministic; the tolerances sit about halfway between the right chance
// and the nearest plausible mistake (an off-by-one comparison or modulus).
#include "WorldFixture.h"

class ProbabilitiesTest : public WorldFixture
{
};

TEST_F(ProbabilitiesTest, LookSightsRiskyLairsAndOtherObjects)
{
    // 1000 enemy lairs at risk 100, then 1000 plain enemies, each looked at
    // 10,000 times: 10 million draws apiece.
    Object* looker = Add(0, {PLAYERBASE, LOOK});
    for (int i = 0; i < 1000; ++i)
        Add(1, {PLAYERLAIR});
    world->m_Players[1]->m_Risk = 100;
    world->m_Players[2]->m_Risk = -1; // never sighted

    long long sighted = 0;
    srand(4242);
    for (int i = 0; i < 10000; ++i)
    {
        world->Look(looker);
        sighted += static_cast<long long>(looker->m_NewKnownEnemies.size());
    }
    // With side 1's own lair that is 1001 lairs: expect 101 sightings per
    // 10,000 draws; a strict comparison would give about 1,000 fewer.
    EXPECT_NEAR(sighted, 101101, 500);

    world->m_Players[1]->m_Risk = -1;
    for (int i = 0; i < 1000; ++i)
        Add(2, {PLAYERBASE});
    sighted = 0;
    srand(4343);
    for (int i = 0; i < 10000; ++i)
    {
        world->Look(looker);
        sighted += static_cast<long long>(looker->m_NewKnownEnemies.size());
    }
    // Every lair is now out of sight.
    EXPECT_NEAR(sighted, 51000, 400);
}

TEST_F(ProbabilitiesTest, RockAgainstPaperSucceedsFailsAndDrawsAThirdEach)
{
    Object* attacker = Add(0, {PLAYERBASE, ROCK});
    Object* paper = Add(1, {PLAYERBASE, BPAPER});
    int won = 0, lost = 0, drawn = 0, attackerDied = 0;
    const int trials = 30000;
    for (int i = 0; i < trials; ++i)
    {
        attacker->m_Alive = paper->m_Alive = true;
        attacker->m_KnownEnemies = {paper};
        const int draws = DrawsMadeBy([&] { world->Attack(attacker); }, 5000 + i);
        if (!paper->m_Alive)
            ++won;
        else if (draws == 3) // a failure draws once more for the attacker's fate
            ++lost;
        else
            ++drawn;
        attackerDied += !attacker->m_Alive;
    }
    EXPECT_NEAR(won, trials / 3, 400);
    EXPECT_NEAR(lost, trials / 3, 400);
    EXPECT_NEAR(drawn, trials / 3, 400);
    EXPECT_NEAR(attackerDied, trials / 9, 250);
}

TEST_F(ProbabilitiesTest, ComputerSpawnsOnSixTurnsInAHundredAndForty)
{
    Player& side = *world->m_Players[1];
    int spawned = 0;
    srand(77);
    for (int i = 0; i < 140000; ++i)
    {
        if (Object* obj = side.AI())
        {
            ++spawned;
            delete obj;
        }
    }
    EXPECT_NEAR(spawned, 6000, 300);
}

TEST_F(ProbabilitiesTest, OneForageInAHundredFindsSomething)
{
    Object* forager = Add(1, {PLAYERBASE, FORAGE});
    std::vector<RoomType>& kinds = world->m_Players[1]->m_DiscoveredRoomTypes;
    int found = 0;
    srand(31337);
    for (int i = 0; i < 1000000; ++i)
    {
        kinds.clear();
        world->Forage(forager);
        found += !kinds.empty();
    }
    EXPECT_NEAR(found, 10000, 300);
}
