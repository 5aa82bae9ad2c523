// The status panel: the enemies still alive and the human's risk.
#include "GameFixture.h"

#include <tuple>

using StatTest = GameFixture;

TEST_F(StatTest, ThePanelShowsTheStartingValuesAndFollowsTheWorld)
{
    // Captions on the left, numbers on the right, the enemies above the risk.
    EXPECT_EQ(Text(stat->m_lBase) + Text(stat->m_lBaseNum), "Enemies:2");
    EXPECT_EQ(Text(stat->m_lRisk) + Text(stat->m_lRiskNum), "Risk:100");
    EXPECT_LT(stat->m_lBase->GetAbsolutePosition().x, stat->m_lBaseNum->GetAbsolutePosition().x);
    EXPECT_LT(stat->m_lBase->GetAbsolutePosition().y, stat->m_lRisk->GetAbsolutePosition().y);

    const std::tuple<int, int, const char*> rows[] = {{-3, 2, "1 -3"}, {2147483647, 1, "0 2147483647"}};
    for (const auto& [risk, dead, shown] : rows)
    {
        world->GetHumanPlayer()->m_Risk = risk;
        world->m_Players[dead]->m_Alive = false;
        stat->Update();
        EXPECT_EQ(Text(stat->m_lBaseNum) + " " + Text(stat->m_lRiskNum), shown);
    }
    EXPECT_EQ(Text(stat->m_lBase) + Text(stat->m_lRisk), "Enemies:Risk:");
    EXPECT_TRUE(Frame());
}
