// The status panel, and where the panels and the game-over window stand for
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
};

TEST_F(StatTest, ThePanelShowsTheStartingValuesAndFollowsTheWorld)
{
    EXPECT_EQ(Text(stat->m_lBase), "Enemies:");
    EXPECT_EQ(Text(stat->m_lBaseNum), "2");
    EXPECT_EQ(Text(stat->m_lRisk), "Risk:");
    EXPECT_EQ(Text(stat->m_lRiskNum), "100");
    // Captions on the left, numbers on the right, the enemies above the risk.
    const sf::Vector2f base = stat->m_lBase->GetAbsolutePosition();
    EXPECT_LT(base.x, stat->m_lBaseNum->GetAbsolutePosition().x);
    EXPECT_LT(base.y, stat->m_lRisk->GetAbsolutePosition().y);

    Player* human = world->GetHumanPlayer();
    human->m_Risk = -3;
    world->m_Players[2]->m_Alive = false;
    stat->Update();
    EXPECT_EQ(Text(stat->m_lBaseNum), "1");
    EXPECT_EQ(Text(stat->m_lRiskNum), "-3");
    human->m_Risk = 2147483647;
    world->m_Players[1]->m_Alive = false;
    stat->Update();
    EXPECT_EQ(Text(stat->m_lBaseNum), "0");
    EXPECT_EQ(Text(stat->m_lRiskNum), "2147483647");
    EXPECT_EQ(Text(stat->m_lBase), "Enemies:");
    EXPECT_EQ(Text(stat->m_lRisk), "Risk:");
    EXPECT_TRUE(Frame());
}

TEST_F(StatTest, EveryTurnRefreshesThePanel)
{
    for (int turn = 0; turn < 20; ++turn)
    {
        Key(sf::Keyboard::A);
        EXPECT_EQ(Text(stat->m_lRiskNum), std::to_string(world->GetHumanPlayer()->m_Risk));
    }
    EXPECT_LT(world->GetHumanPlayer()->m_Risk, 100);

    // A side that dies shows at the next turn, not before.
    world->m_Players[1]->m_Alive = false;
    EXPECT_EQ(Text(stat->m_lBaseNum), "2");
    Key(sf::Keyboard::A);
    EXPECT_EQ(Text(stat->m_lBaseNum), "1");
}

TEST_F(StatTest, PositionsFollowTheScreenSize)
{
    const int w = glob->resolution.x;
    EXPECT_EQ(stat->GetPointer()->GetAbsolutePosition(), sf::Vector2f(static_cast<float>(w - 148), 0));
    EXPECT_EQ(createBar->GetPointer()->GetAbsolutePosition(), sf::Vector2f(static_cast<float>(w - 64), 64));
    EXPECT_EQ(notificationBar->GetPointer()->GetAbsolutePosition(), sf::Vector2f(0, 0));
    EXPECT_EQ(mashWindow->GetPointer()->GetAbsolutePosition(), sf::Vector2f(384, 240));

    // Other screens: integer arithmetic first (1365 / 2 is 682), then floats.
    struct Case
    {
        int width, height;
        sf::Vector2f stat, createBar, gameOver;
    };
    const Case cases[] = {
        {1024, 768, {876, 0}, {960, 64}, {112, 334}},
        {1365, 767, {1217, 0}, {1301, 64}, {282, 333}},
        {640, 81, {492, 0}, {576, 64}, {-80, -10}},
    };
    for (const Case& c : cases)
    {
        glob->resolution = sf::Vector2i(c.width, c.height);
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
        // The bars run the screen's full height.
        EXPECT_GE(bar.GetPointer()->GetRequisition().y, static_cast<float>(c.height)) << c.width;
        EXPECT_GE(notes.GetPointer()->GetRequisition().y, static_cast<float>(c.height)) << c.width;
        EXPECT_EQ(over.GetPointer()->GetAbsolutePosition(), c.gameOver) << c.width;
    }
}
