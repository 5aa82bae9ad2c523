// The status panel and the game-over window, and where the panels stand for
// a given screen size.
#include "PanelFixture.h"

#include "GameOver.h"

#include <string>

class StatTest : public PanelFixture
{
protected:
    static std::string Text(const sfg::Label::Ptr& label)
    {
        return label->GetText().toAnsiString();
    }

    // Builds the panels again as if the screen had this size.
    void Resolution(int width, int height)
    {
        glob->resolution = sf::Vector2i(width, height);
    }
};

TEST_F(StatTest, APanelInTheTopRightCornerShowingTheStartingValues)
{
    const sfg::Window::Ptr window = stat->GetPointer();
    EXPECT_EQ(window, stat->m_Window);
    EXPECT_TRUE(OnDesktop(window));
    EXPECT_EQ(window->GetAbsolutePosition(), sf::Vector2f(static_cast<float>(glob->resolution.x - 148), 0));
    EXPECT_EQ(window->GetStyle(), sfg::Window::Style::BACKGROUND);
    EXPECT_EQ(window->GetTitle().toAnsiString(), " ");
    EXPECT_EQ(window->GetClass(), "stat");
    EXPECT_GE(window->GetRequisition().x, 148.0f);
    EXPECT_GE(window->GetRequisition().y, 64.0f);

    EXPECT_EQ(Text(stat->m_lBase), "Enemies:");
    EXPECT_EQ(Text(stat->m_lBaseNum), "2");
    EXPECT_EQ(Text(stat->m_lRisk), "Risk:");
    EXPECT_EQ(Text(stat->m_lRiskNum), "100");
    for (const sfg::Label::Ptr& label : {stat->m_lBase, stat->m_lBaseNum, stat->m_lRisk, stat->m_lRiskNum})
        EXPECT_EQ(label->GetClass(), "stat");

    // A two-by-two grid: captions on the left, numbers on the right, the
    // enemies above the risk.
    EXPECT_EQ(window->GetChild(), stat->m_BoxH);
    EXPECT_EQ(stat->m_BoxH->GetOrientation(), sfg::Box::Orientation::HORIZONTAL);
    EXPECT_EQ(stat->m_BoxH->GetChildren(), (sfg::Container::WidgetsList{stat->m_BoxCol1, stat->m_BoxCol2}));
    EXPECT_EQ(stat->m_BoxCol1->GetChildren(), (sfg::Container::WidgetsList{stat->m_lBase, stat->m_lRisk}));
    EXPECT_EQ(stat->m_BoxCol2->GetChildren(), (sfg::Container::WidgetsList{stat->m_lBaseNum, stat->m_lRiskNum}));
    const sf::Vector2f base = stat->m_lBase->GetAbsolutePosition();
    EXPECT_LT(base.x, stat->m_lBaseNum->GetAbsolutePosition().x);
    EXPECT_LT(base.y, stat->m_lRisk->GetAbsolutePosition().y);
    EXPECT_EQ(stat->m_lRisk->GetAbsolutePosition().y, stat->m_lRiskNum->GetAbsolutePosition().y);
}

TEST_F(StatTest, UpdateRewritesBothNumbersFromTheWorld)
{
    Player* human = world->GetHumanPlayer();
    human->m_Risk = 250;
    world->m_Players[2]->m_Alive = false;
    stat->Update();
    EXPECT_EQ(Text(stat->m_lBaseNum), "1");
    EXPECT_EQ(Text(stat->m_lRiskNum), "250");

    human->m_Risk = -3;
    world->m_Players[1]->m_Alive = false;
    stat->Update();
    EXPECT_EQ(Text(stat->m_lBaseNum), "0");
    EXPECT_EQ(Text(stat->m_lRiskNum), "-3");

    human->m_Risk = 2147483647;
    world->m_Players[1]->m_Alive = true;
    world->m_Players[2]->m_Alive = true;
    stat->Update();
    EXPECT_EQ(Text(stat->m_lBaseNum), "2");
    EXPECT_EQ(Text(stat->m_lRiskNum), "2147483647");
    // The captions never change.
    EXPECT_EQ(Text(stat->m_lBase), "Enemies:");
    EXPECT_EQ(Text(stat->m_lRisk), "Risk:");

    stat->SetPosition(sf::Vector2f(12, 34));
    EXPECT_EQ(stat->GetPointer()->GetAbsolutePosition(), sf::Vector2f(12, 34));
    EXPECT_TRUE(Frame());
}

TEST_F(StatTest, EveryTurnRefreshesThePanel)
{
    for (int turn = 0; turn < 40; ++turn)
    {
        Key(sf::Keyboard::A);
        EXPECT_EQ(Text(stat->m_lRiskNum), std::to_string(world->GetHumanPlayer()->m_Risk));
        EXPECT_EQ(Text(stat->m_lBaseNum), std::to_string(world->GetNoOfEnemies()));
    }
    // Forty turns bring the starting risk down.
    EXPECT_LT(world->GetHumanPlayer()->m_Risk, 100);

    // A side that dies shows at the next turn, not before.
    world->m_Players[1]->m_Alive = false;
    EXPECT_EQ(Text(stat->m_lBaseNum), "2");
    Key(sf::Keyboard::A);
    EXPECT_EQ(Text(stat->m_lBaseNum), "1");
    EXPECT_TRUE(Frame());
}

TEST_F(StatTest, GameOverWindowsShowTheirMessageNearTheCentre)
{
    const size_t windows = DesktopWindows().size();
    GameOver lost;
    EXPECT_TRUE(lost.Init(false));
    // Init raised it before anyone registered it: that added nothing.
    EXPECT_EQ(DesktopWindows().size(), windows);
    EXPECT_EQ(lost.GetPointer(), lost.m_Window);
    EXPECT_EQ(lost.m_Label->GetText().toAnsiString(), "YOUR BASE WAS DESTROYED - GAME OVER");
    EXPECT_EQ(lost.m_Label->GetClass(), "gameover");
    EXPECT_EQ(lost.m_Window->GetClass(), "stat");
    EXPECT_EQ(lost.m_Window->GetStyle(), sfg::Window::Style::BACKGROUND);
    EXPECT_EQ(lost.m_Window->GetTitle().toAnsiString(), " ");
    EXPECT_EQ(lost.m_Window->GetAbsolutePosition(), sf::Vector2f(static_cast<float>(glob->resolution.x / 2 - 400),
                                                                 static_cast<float>(glob->resolution.y / 2 - 50)));

    GameOver won;
    won.Init(true);
    EXPECT_EQ(won.m_Label->GetText().toAnsiString(), "ALL ENEMY BASES DESTROYED - CONGRATULATIONS");
    EXPECT_EQ(won.m_Window->GetAbsolutePosition(), lost.m_Window->GetAbsolutePosition());
    // The window is as large as its message needs.
    EXPECT_GE(won.m_Window->GetRequisition().x, won.m_Label->GetRequisition().x);

    won.SetPosition(sf::Vector2f(5, 6));
    EXPECT_EQ(won.m_Window->GetAbsolutePosition(), sf::Vector2f(5, 6));
}

TEST_F(StatTest, PositionsFollowTheScreenSize)
{
    // The panels of this game, on this screen.
    const int w = glob->resolution.x;
    const int h = glob->resolution.y;
    EXPECT_EQ(stat->GetPointer()->GetAbsolutePosition(), sf::Vector2f(static_cast<float>(w - 148), 0));
    EXPECT_EQ(createBar->GetPointer()->GetAbsolutePosition(), sf::Vector2f(static_cast<float>(w - 64), 64));
    EXPECT_GE(createBar->GetPointer()->GetRequisition().y, static_cast<float>(h));
    EXPECT_EQ(notificationBar->GetPointer()->GetAbsolutePosition(), sf::Vector2f(0, 0));
    EXPECT_GE(notificationBar->GetPointer()->GetRequisition().y, static_cast<float>(h));

    // Other screens: integer arithmetic first (1365 / 2 is 682), then floats.
    struct Case
    {
        int width, height;
        sf::Vector2f stat, createBar, gameOver;
    };
    const Case cases[] = {
        {1024, 768, {876, 0}, {960, 64}, {112, 334}},
        {1365, 767, {1217, 0}, {1301, 64}, {282, 333}},
        {1920, 1080, {1772, 0}, {1856, 64}, {560, 490}},
        {640, 81, {492, 0}, {576, 64}, {-80, -10}},
    };
    for (const Case& c : cases)
    {
        Resolution(c.width, c.height);
        Stat panel;
        panel.Init();
        CreateBar bar;
        bar.Init();
        NotificationBar notes;
        notes.Init();
        GameOver over;
        over.Init(false);
        EXPECT_EQ(panel.GetPointer()->GetAbsolutePosition(), c.stat) << c.width;
        EXPECT_EQ(bar.GetPointer()->GetAbsolutePosition(), c.createBar) << c.width;
        EXPECT_GE(bar.GetPointer()->GetRequisition().y, static_cast<float>(c.height)) << c.width;
        EXPECT_EQ(notes.GetPointer()->GetAbsolutePosition(), sf::Vector2f(0, 0)) << c.width;
        EXPECT_GE(notes.GetPointer()->GetRequisition().y, static_cast<float>(c.height)) << c.width;
        EXPECT_EQ(over.GetPointer()->GetAbsolutePosition(), c.gameOver) << c.width;
    }
}
