// The typing console inside the whole game: its widgets, the text it keeps
// (the newest 1024 characters plus one turn's worth, oldest dropped first),
// scrolling to the newest line, and Space hiding and showing it.
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

TEST_F(ConsoleTest, ANewGameShowsTheEmptyConsoleActiveAndOnTop)
{
    const sfg::Window::Ptr window = mashWindow->GetPointer();
    EXPECT_EQ(window, mashWindow->m_Window);
    EXPECT_TRUE(OnDesktop(window));
    EXPECT_TRUE(mashWindow->m_Active);
    EXPECT_TRUE(window->IsGloballyVisible());
    EXPECT_EQ(window->GetAbsolutePosition(), sf::Vector2f(384, 240));
    EXPECT_EQ(window->GetStyle(), sfg::Window::Style::TITLEBAR | sfg::Window::Style::BACKGROUND);
    EXPECT_EQ(window->GetTitle().toAnsiString(), " ");
    EXPECT_EQ(window->GetClass(), "mashwindow");

    // Window > viewport > vertical box > label.
    EXPECT_EQ(window->GetChild(), mashWindow->m_Viewport);
    auto box = std::dynamic_pointer_cast<sfg::Box>(mashWindow->m_Viewport->GetChild());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetOrientation(), sfg::Box::Orientation::VERTICAL);
    EXPECT_EQ(box->GetSpacing(), 0.0f);
    EXPECT_EQ(box->GetChildren(), sfg::Container::WidgetsList{mashWindow->m_Label});

    EXPECT_EQ(mashWindow->m_Viewport->GetRequisition(), sf::Vector2f(510, 254));
    const sfg::Adjustment::Ptr vertical = mashWindow->m_Viewport->GetVerticalAdjustment();
    EXPECT_EQ(vertical->GetLower(), 0.0f);
    EXPECT_EQ(vertical->GetUpper(), 100000000.0f);
    EXPECT_EQ(vertical->GetValue(), 0.0f);

    EXPECT_EQ(mashWindow->m_Label->GetClass(), "mashwindow");
    EXPECT_TRUE(mashWindow->m_Label->GetLineWrap());
    EXPECT_GE(mashWindow->m_Label->GetRequisition().x, 512.0f);
    EXPECT_GE(mashWindow->m_Label->GetRequisition().y, 256.0f);
    EXPECT_EQ(mashWindow->m_Label->GetText().toAnsiString(), "");
    EXPECT_EQ(mashWindow->m_Longdata, "");

    // The generator is ready but has handed out nothing yet.
    EXPECT_EQ(mashWindow->m_MashGen.files.size(), 37u);
    EXPECT_EQ(mashWindow->m_MashGen.picker, 0);

    // The first key press adds 3 to 7 characters: the start of the source.
    Key(sf::Keyboard::A);
    const size_t n = mashWindow->m_Longdata.size();
    EXPECT_GE(n, 3u);
    EXPECT_LE(n, 7u);
    EXPECT_EQ(mashWindow->m_Longdata, Handed());
    EXPECT_EQ(mashWindow->m_Label->GetText().toAnsiString(), mashWindow->m_Longdata);
}

TEST_F(ConsoleTest, ThreeHundredTurnsKeepTheNewestTextAndFollowIt)
{
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
        // Trimmed to 1024 before the new characters come.
        ASSERT_EQ(text.size(), std::min(before, size_t{1024}) + added) << "turn " << turn;
        ASSERT_LE(text.size(), 1031u) << "turn " << turn;
        // What is left is the newest text: the oldest characters went first.
        ASSERT_EQ(text, handed.substr(handed.size() - text.size())) << "turn " << turn;
        ASSERT_EQ(mashWindow->m_Label->GetText().toAnsiString(), text) << "turn " << turn;

        // Scrolled so that the text's last 256 pixels are in view; never
        // above the top.
        const float expected = std::max(0.0f, mashWindow->m_Label->GetRequisition().y - 256.0f);
        ASSERT_EQ(Scroll(), expected) << "turn " << turn;
        scrolled = scrolled || Scroll() > 0;
        before = text.size();
        if (turn % 50 == 0)
        {
            ASSERT_TRUE(Frame());
        }
    }
    EXPECT_EQ(Turns(), 300);
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
    EXPECT_TRUE(OnDesktop(window));
    EXPECT_EQ(mashWindow->m_Longdata, text);
    EXPECT_TRUE(Frame());

    // Something else goes on top meanwhile.
    render->BringToFront(worldWindow->GetPointer());
    ASSERT_TRUE(OnTop(worldWindow->GetPointer()));

    Key(sf::Keyboard::Space);
    EXPECT_TRUE(mashWindow->m_Active);
    EXPECT_TRUE(window->IsGloballyVisible());
    EXPECT_TRUE(OnTop(window));
    EXPECT_EQ(mashWindow->m_Longdata, text);
    EXPECT_EQ(mashWindow->m_Label->GetText().toAnsiString(), text);
    EXPECT_EQ(Turns(), 5);
    EXPECT_TRUE(Frame());

    Key(sf::Keyboard::A);
    EXPECT_EQ(Turns(), 6);
    EXPECT_GT(mashWindow->m_Longdata.size(), text.size());
}

TEST_F(ConsoleTest, SetActiveActsOnlyOnAChange)
{
    const sfg::Window::Ptr window = mashWindow->GetPointer();
    render->BringToFront(worldWindow->GetPointer());
    // Already active: not raised again.
    mashWindow->SetActive(true);
    EXPECT_TRUE(mashWindow->m_Active);
    EXPECT_TRUE(OnTop(worldWindow->GetPointer()));

    mashWindow->SetActive(false);
    mashWindow->SetActive(false);
    EXPECT_FALSE(mashWindow->m_Active);
    EXPECT_FALSE(window->IsGloballyVisible());

    mashWindow->SetActive(true);
    EXPECT_TRUE(window->IsGloballyVisible());
    EXPECT_TRUE(OnTop(window));
}

TEST_F(ConsoleTest, TheTextGrowsWhileHiddenWhenObjectsAreCreated)
{
    BarButton* t = AddTemplate("Miner", {PLAYERBASE, FORAGE});
    Key(sf::Keyboard::Space);
    for (int i = 0; i < 3; ++i)
        Click(t->m_Button);
    EXPECT_EQ(Turns(), 3);
    const std::string text = mashWindow->m_Longdata;
    EXPECT_GE(text.size(), 9u);
    EXPECT_EQ(text, Handed());
    EXPECT_FALSE(mashWindow->GetPointer()->IsGloballyVisible());

    Key(sf::Keyboard::Space);
    EXPECT_EQ(mashWindow->m_Label->GetText().toAnsiString(), text);
}
