#include "WorldFixture.h"

#include <set>

using PlayerTest = WorldFixture;

TEST_F(PlayerTest, ComputerTriesOneTurnInTenAndSpawnsTheOnePickOnlyIfItCanBuildIt)
{
    // The 1-based templates a side can build as it learns kinds; nobody ever
    // learns the screams of 10 and 12. Draw 1 is the one-in-ten try, draw 2
    // the pick; a refused pick is not followed by another.
    const struct
    {
        std::vector<RoomType> learnt;
        std::set<int> buildable;
    } stages[] = {
        {{}, {1, 2, 3, 4, 9, 11}},
        {{BPAPER}, {1, 2, 3, 4, 5, 6, 9, 11}},
        {{XSCISSORS, SNOOP, DECOY, FRIENDPING}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 13, 14}},
    };
    Player& side = *world->m_Players[1];
    EXPECT_EQ(side.m_DiscoveredRoomTypes, (std::vector<RoomType>{PLAYERBASE, LOOK, ROCK, PING, FORAGE}));
    for (const auto& stage : stages)
    {
        side.m_DiscoveredRoomTypes.insert(side.m_DiscoveredRoomTypes.end(), stage.learnt.begin(),
                                          stage.learnt.end());
        for (unsigned seed = 1; seed <= 2000; ++seed)
        {
            Object* spawned = nullptr;
            const int draws = DrawsMadeBy([&] { spawned = Keep(side.AI()); }, seed);
            srand(seed);
            const bool tries = rand() % 10 == 1;
            const int pick = rand() % 14;
            if (tries && stage.buildable.count(pick + 1))
            {
                ASSERT_NE(spawned, nullptr) << "seed " << seed;
                EXPECT_EQ(spawned->m_Rooms, side.m_Templates[pick]->m_Rooms) << "seed " << seed;
            }
            else
            {
                EXPECT_EQ(spawned, nullptr) << "seed " << seed << " template " << pick + 1;
                EXPECT_EQ(draws, tries ? 2 : 1) << "seed " << seed;
            }
        }
    }
}

// Every side starts with the same fourteen designs on a base, each named by
// the letters of its rooms after the base; the same rooms may come twice.
TEST_F(PlayerTest, SidesStartWithFourteenDesignsNamedByTheirRooms)
{
    std::string names;
    for (const Object* tmpl : world->m_Players[2]->m_Templates)
    {
        std::string letters;
        for (size_t i = 1; i < tmpl->m_Rooms.size(); ++i)
            letters += RoomTypeToChar(tmpl->m_Rooms[i]->Type);
        EXPECT_TRUE(tmpl->m_Rooms[0]->Type == PLAYERBASE && tmpl->m_Name == letters && tmpl->m_PlayerID == 2)
            << tmpl->m_Name;
        names += tmpl->m_Name + " ";
    }
    EXPECT_EQ(names, "lp fp lR lRp lB lBp lX lXp lRR lA lp laR sp sp ");
}
