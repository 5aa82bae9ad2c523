// The typing console inside the whole game: the text it keeps (the newest
// 1024 characters plus one turn's worth, oldest dropped first), scrolling to
// the newest line, and Space hiding and showing it.
#include "PanelFixture.h"

#include <algorithm>
#include <string>

class ConsoleTest : public PanelFixture
{
protected:
    // Everything the generator has handed to the console so far, in order.
    std::string Handed() const
    {
        const MashTextGen& gen = mashWindow->m_MashGen;
        return gen.alldata.substr(0, static_cast<size_t>(gen.picker));
    }

    float Scroll() const
    {
        return mashWindow->m_Viewport->GetVerticalAdjustment()->GetValue();
    }
};

TEST_F(ConsoleTest, ThreeHundredTurnsKeepTheNewestTextAndFollowIt)
{
    // A new game: the console is active and empty.
    EXPECT_TRUE(mashWindow->m_Active);
    EXPECT_EQ(mashWindow->m_Longdata, "");
    size_t before = 0;
    bool scrolled = false;
    for (int turn = 1; turn <= 300; ++turn)
    {
        const int pickerBefore = mashWindow->m_MashGen.picker;
        Key(sf::Keyboard::A);
        const std::string& text = mashWindow->m_Longdata;
        const std::string handed = Handed();
        const size_t added = static_cast<size_t>(mashWindow->m_MashGen.picker - pickerBefore);
        ASSERT_GE(added, 3u) << "turn " << turn;
        ASSERT_LE(added, 7u) << "turn " << turn;
        // Trimmed to 1024 before the new characters come, the oldest first.
        ASSERT_EQ(text.size(), std::min(before, size_t{1024}) + added) << "turn " << turn;
        ASSERT_LE(text.size(), 1031u) << "turn " << turn;
        ASSERT_EQ(text, handed.substr(handed.size() - text.size())) << "turn " << turn;
        ASSERT_EQ(mashWindow->m_Label->GetText().toAnsiString(), text) << "turn " << turn;

        // Scrolled so that the text's last 256 pixels are in view; never
        // above the top.
        const float expected = std::max(0.0f, mashWindow->m_Label->GetRequisition().y - 256.0f);
        ASSERT_EQ(Scroll(), expected) << "turn " << turn;
        scrolled = scrolled || Scroll() > 0;
        before = text.size();
        if (turn % 100 == 0)
        {
            ASSERT_TRUE(Frame());
        }
    }
    EXPECT_GE(before, 1027u);
    EXPECT_TRUE(scrolled) << "a full console is taller than its view";
}

TEST_F(ConsoleTest, SpaceHidesTheConsoleAndShowsItAgainAtTheFront)
{
    for (int i = 0; i < 5; ++i)
        Key(sf::Keyboard::A);
    const std::string text = mashWindow->m_Longdata;
    const sfg::Window::Ptr window = mashWindow->GetPointer();

    Key(sf::Keyboard::Space);
    EXPECT_FALSE(mashWindow->m_Active);
    EXPECT_FALSE(window->IsGloballyVisible());
    EXPECT_EQ(mashWindow->m_Longdata, text);
    EXPECT_TRUE(Frame());

    // Something else goes on top meanwhile.
    render->BringToFront(worldWindow->GetPointer());
    Key(sf::Keyboard::Space);
    EXPECT_TRUE(mashWindow->m_Active);
    EXPECT_TRUE(window->IsGloballyVisible());
    EXPECT_TRUE(OnTop(window));
    EXPECT_EQ(mashWindow->m_Label->GetText().toAnsiString(), text);
    EXPECT_EQ(Turns(), 5);
    EXPECT_TRUE(Frame());
}
