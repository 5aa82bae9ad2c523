// The renderer: the window it opens, the window stack, and key presses
// arriving through the real window system (xdotool), which Render::Loop
// drains in one frame and hands to the hub in order.
#include "GameFixture.h"

#include <chrono>
#include <thread>

using RenderTest = GameFixture;

TEST_F(RenderTest, ADesktopSizedWindowAtTheOriginWithItsWindowsStacked)
{
    EXPECT_EQ(render->m_RenderWindow.getSize(), compat::DesktopSize());
    EXPECT_EQ(render->m_RenderWindow.getPosition(), sf::Vector2i(0, 0));
    // Start-up's six windows, bottom to top.
    const auto& stack = render->m_Desktop.GetWidgets();
    ASSERT_EQ(stack.size(), 6u);
    EXPECT_EQ(stack[0], worldWindow->GetPointer());
    EXPECT_EQ(stack[5], stat->GetPointer());
    EXPECT_TRUE(Frame());
}

TEST_F(RenderTest, KeysQueuedForOneFrameEachReachTheHubInOrder)
{
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "needs xdotool";
    // Typed into the game's window, focused first as there is no window
    // manager to do it; nothing is read until the next frame.
    auto type = [this](const std::string& keys) {
        const std::string id =
            std::to_string(static_cast<unsigned long>(compat::NativeHandle(render->m_RenderWindow)));
        const std::string command = "xdotool windowfocus --sync " + id + " key --delay 5 " + keys;
        const bool typed = std::system((command + " >/dev/null 2>&1").c_str()) == 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        return typed;
    };
    // In order: the turn for "a" comes before Space hides the console, so
    // the "b" after it no longer runs one.
    ASSERT_TRUE(type("a b space c"));
    EXPECT_TRUE(Frame());
    EXPECT_EQ(Turns(), 2);
    EXPECT_FALSE(mashWindow->m_Active);

    // Escape with the console active runs its turn, then closes the window;
    // that frame still completes.
    ASSERT_TRUE(type("space Escape"));
    EXPECT_TRUE(Frame());
    EXPECT_FALSE(render->m_RenderWindow.isOpen());
    EXPECT_EQ(Turns(), 3);
    EXPECT_FALSE(Frame());
}

// Every turn after the end adds a game-over window, each wholly covering the
// one before: a key press and its frame cost the windows seen, the same with
// 20 of them on the desktop as with 220, and every one of them stays there.
TEST_F(RenderTest, AKeyAfterTheEndCostsTheSameHoweverManyGameOverWindowsLieBelow)
{
    auto frameWork = [this]() {
        const std::size_t before = render->m_Desktop.GetWindowVisits();
        Key(sf::Keyboard::Key::A);
        Frame();
        return render->m_Desktop.GetWindowVisits() - before;
    };
    auto endMore = [this](int turns) {
        for (int i = 0; i < turns; ++i)
        {
            hub->ItsGameOver(false);
            Frame();
        }
    };
    endMore(20);
    frameWork();
    const std::size_t work = frameWork();
    endMore(200);
    frameWork();
    EXPECT_EQ(frameWork(), work);
    const auto& stack = render->m_Desktop.GetWidgets();
    ASSERT_EQ(stack.size(), 6u + 220u);
    for (std::size_t i = 6; i < stack.size(); ++i)
        EXPECT_EQ(stack[i]->GetAbsolutePosition(), stack.back()->GetAbsolutePosition());
}
