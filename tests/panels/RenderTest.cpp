// The renderer: the window it opens, the window stack, and key presses
// arriving through the real window system (xdotool), which Render::Loop
// drains in one frame and hands to the hub in order.
#include "PanelFixture.h"

#include <chrono>
#include <string>
#include <thread>

class RenderTest : public PanelFixture
{
protected:
    // Keys typed into the game's window (focused first, as there is no
    // window manager to do it); nothing is read until the next frame.
    bool Keys(const std::string& keys)
    {
        for (const std::string& args : {"windowfocus --sync " + WindowId(), "key --delay 5 " + keys})
        {
            if (std::system(("xdotool " + args + " >/dev/null 2>&1").c_str()) != 0)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
        }
        return true;
    }
};

TEST_F(RenderTest, ADesktopSizedWindowAtTheOriginWithItsWindowsStacked)
{
    sf::RenderWindow& window = render->m_RenderWindow;
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    EXPECT_EQ(window.getSize(), sf::Vector2u(desktop.width, desktop.height));
    EXPECT_EQ(window.getPosition(), sf::Vector2i(0, 0));

    // Start-up registered its six windows bottom to top; only a registered
    // window can be raised.
    const auto& stack = DesktopWindows();
    ASSERT_EQ(stack.size(), 6u);
    EXPECT_EQ(stack[0], worldWindow->GetPointer());
    EXPECT_EQ(stack[5], stat->GetPointer());
    sfg::Window::Ptr extra = sfg::Window::Create(sfg::Window::Style::BACKGROUND);
    hub->BringToFront(extra);
    EXPECT_EQ(stack.size(), 6u);
    render->Register(extra);
    EXPECT_TRUE(OnTop(extra));
    hub->BringToFront(worldWindow->GetPointer());
    EXPECT_TRUE(OnTop(worldWindow->GetPointer()));
    EXPECT_EQ(stack.size(), 7u);
    EXPECT_TRUE(Frame());
}

TEST_F(RenderTest, KeysQueuedForOneFrameEachReachTheHubInOrder)
{
    if (!HaveTool("xdotool"))
        GTEST_SKIP() << "needs xdotool";
    if (IsSkipped())
        return;
    // Three presses, then one frame: three turns.
    ASSERT_TRUE(Keys("a b c"));
    EXPECT_TRUE(Frame());
    EXPECT_EQ(Turns(), 3);

    // In order: the turn for "a" comes before Space hides the console, so
    // the "b" after it no longer runs one.
    ASSERT_TRUE(Keys("a space b"));
    EXPECT_TRUE(Frame());
    EXPECT_EQ(Turns(), 4);
    EXPECT_FALSE(mashWindow->m_Active);

    // Escape with the console active runs its turn, then closes the window;
    // that frame still completes.
    ASSERT_TRUE(Keys("space Escape"));
    EXPECT_TRUE(Frame());
    EXPECT_FALSE(render->m_RenderWindow.isOpen());
    EXPECT_EQ(Turns(), 5);
    EXPECT_FALSE(Frame());
}
