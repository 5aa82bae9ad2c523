// The status panel: the enemies still alive and the human's risk; and where
// the panels and the game-over window stand.
#include "GameFixture.h"
#include "GameOver.h"

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
    EXPECT_TRUE(Frame());
}

// The screen's size places the panels on the right, the bars run its full
// height and the game-over window stands about its centre: integer
// arithmetic first (1365 / 2 is 682), then floats. The other windows open
// where they always do.
TEST_F(StatTest, WindowsStandWhereTheScreenSizePutsThem)
{
    const std::tuple<sfg::Window::Ptr, sf::Vector2f> fixed[] = {{mashWindow->GetPointer(), {384, 240}},
                                                                {worldWindow->GetPointer(), {104, 40}},
                                                                {rogueWindow->GetPointer(), {404, 340}}};
    for (const auto& [window, at] : fixed)
        EXPECT_EQ(window->GetAbsolutePosition(), at) << window->GetClass();
    const sf::Vector2f height(64, static_cast<float>(glob->resolution.y));
    EXPECT_EQ(notificationBar->GetPointer()->GetRequisition(), height);
    EXPECT_EQ(createBar->GetPointer()->GetRequisition(), height);
    const std::tuple<sf::Vector2i, sf::Vector2f, sf::Vector2f, sf::Vector2f> screens[] = {
        {{1024, 768}, {876, 0}, {960, 64}, {112, 334}},
        {{1365, 767}, {1217, 0}, {1301, 64}, {282, 333}},
    };
    for (const auto& [screen, statAt, barAt, overAt] : screens)
    {
        glob->resolution = screen;
        Stat panel;
        CreateBar bar;
        GameOver over;
        EXPECT_TRUE(panel.Init() && bar.Init() && over.Init(false));
        EXPECT_EQ(panel.GetPointer()->GetAbsolutePosition(), statAt) << screen.x;
        EXPECT_EQ(bar.GetPointer()->GetAbsolutePosition(), barAt) << screen.x;
        EXPECT_EQ(over.GetPointer()->GetAbsolutePosition(), overAt) << screen.x;
    }
}
