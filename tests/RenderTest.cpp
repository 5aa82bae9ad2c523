// The renderer: the window it opens, the frame it draws, the window stack,
// and key presses arriving through the real window system (xdotool), which
// Render::Loop drains in one frame and hands to the hub in order.
#include "PanelFixture.h"

#include <SFML/Graphics/Image.hpp>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace fs = std::filesystem;

class RenderTest : public PanelFixture
{
protected:
    // Sends input to the game's window through the X server and gives the
    // server time to deliver it; nothing is read until the next frame.
    bool Xdotool(const std::string& arguments)
    {
        const std::string command = "xdotool " + arguments + " >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        return true;
    }

    // Keys typed into the game's window (focused first, as there is no
    // window manager to do it).
    bool Keys(const std::string& keys)
    {
        return Xdotool("windowfocus --sync " + WindowId()) && Xdotool("key --delay 5 " + keys);
    }

    void RequireXdotool()
    {
        if (!HaveTool("xdotool"))
            GTEST_SKIP() << "needs xdotool";
    }

    static sf::Color Pixel(const sf::Image& image, float x, float y)
    {
        return image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
    }
};

TEST_F(RenderTest, InitOpensABorderlessWindowAsLargeAsTheDesktopAtTheOrigin)
{
    sf::RenderWindow& window = render->m_RenderWindow;
    EXPECT_TRUE(window.isOpen());
    EXPECT_EQ(window.getSize(), sf::Vector2u(glob->resolution));
    EXPECT_EQ(sf::Vector2u(glob->resolution), sf::Vector2u(sf::VideoMode::getDesktopMode().width,
                                                             sf::VideoMode::getDesktopMode().height));
    EXPECT_EQ(window.getPosition(), sf::Vector2i(0, 0));
    EXPECT_GE(window.getSettings().majorVersion, 2u);
    if (HaveTool("xdotool"))
    {
        EXPECT_EQ(Output("xdotool getwindowname " + WindowId()), "Vondrellex\n");
    }
}

TEST_F(RenderTest, AMissingThemeFileIsIgnored)
{
    const fs::path original = fs::current_path();
    char pattern[] = "/tmp/render-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    fs::current_path(pattern);
    Render* other = new Render();
    const bool opened = other->Init();
    fs::current_path(original);
    fs::remove_all(pattern);

    EXPECT_TRUE(opened);
    EXPECT_TRUE(other->m_RenderWindow.isOpen());
    EXPECT_TRUE(other->Loop());
    other->m_RenderWindow.close();
    EXPECT_FALSE(other->Loop());
    delete other;
    EXPECT_TRUE(Frame());
}

TEST_F(RenderTest, LoopStopsOnceTheWindowIsClosed)
{
    EXPECT_TRUE(Frame());
    EXPECT_TRUE(Frame());
    render->m_RenderWindow.close();
    EXPECT_FALSE(Frame());
    EXPECT_FALSE(Frame());
    EXPECT_EQ(Turns(), 0);
}

TEST_F(RenderTest, RegisterStacksWindowsAndBringToFrontOnlyRaises)
{
    // Start-up registered its six windows in order, bottom to top.
    const auto& stack = DesktopWindows();
    ASSERT_EQ(stack.size(), 6u);
    EXPECT_EQ(stack[0], worldWindow->GetPointer());
    EXPECT_EQ(stack[1], createBar->GetPointer());
    EXPECT_EQ(stack[2], rogueWindow->GetPointer());
    EXPECT_EQ(stack[3], notificationBar->GetPointer());
    EXPECT_EQ(stack[4], mashWindow->GetPointer());
    EXPECT_EQ(stack[5], stat->GetPointer());

    sfg::Window::Ptr extra = sfg::Window::Create(sfg::Window::Style::BACKGROUND);
    extra->Add(sfg::Label::Create("extra"));
    render->BringToFront(extra);
    EXPECT_FALSE(OnDesktop(extra));
    hub->BringToFront(extra);
    EXPECT_FALSE(OnDesktop(extra));

    render->Register(extra);
    EXPECT_TRUE(OnTop(extra));
    EXPECT_EQ(stack.size(), 7u);

    render->BringToFront(worldWindow->GetPointer());
    EXPECT_TRUE(OnTop(worldWindow->GetPointer()));
    hub->BringToFront(extra);
    EXPECT_TRUE(OnTop(extra));
    EXPECT_EQ(stack.size(), 7u);
    EXPECT_TRUE(Frame());
}

TEST_F(RenderTest, AFrameDrawsTheDesktopOverBlack)
{
    if (!HaveTool("import"))
        GTEST_SKIP() << "needs ImageMagick's import";
    hub->NewMessage("hello", "world");
    ASSERT_TRUE(Frame());
    ASSERT_TRUE(Frame());
    const std::string path = "/tmp/render-frame-" + std::to_string(getpid()) + ".png";
    ASSERT_TRUE(Screenshot(path));
    sf::Image shot;
    ASSERT_TRUE(shot.loadFromFile(path));
    std::remove(path.c_str());
    ASSERT_EQ(shot.getSize(), sf::Vector2u(glob->resolution));

    const float w = static_cast<float>(glob->resolution.x);
    const float h = static_cast<float>(glob->resolution.y);
    // Below the console and between the bars nothing is drawn: black.
    EXPECT_EQ(Pixel(shot, w / 2, h - 8), sf::Color::Black);
    // The console's and the notification bar's backgrounds are drawn, in
    // the theme's colours rather than the toolkit's built-in grey.
    const sf::Vector2f console = mashWindow->GetPointer()->GetAbsolutePosition();
    for (const sf::Color& drawn : {Pixel(shot, console.x + 30, console.y + 200), Pixel(shot, 32, h - 20)})
    {
        EXPECT_NE(drawn, sf::Color::Black);
        EXPECT_NE(drawn, sf::Color(0x46, 0x46, 0x46));
    }
}

TEST_F(RenderTest, KeysQueuedForOneFrameEachReachTheHubInOrder)
{
    RequireXdotool();
    if (IsSkipped())
        return;
    Frame();

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

    // Typed text arrives as key presses plus text events; only the presses
    // reach the hub. Mouse moves and clicks on empty screen never do.
    ASSERT_TRUE(Keys("space"));
    Frame();
    ASSERT_TRUE(mashWindow->m_Active);
    ASSERT_TRUE(Xdotool("type --delay 5 xyz"));
    ASSERT_TRUE(Xdotool("mousemove " + std::to_string(glob->resolution.x / 2) + " " +
                        std::to_string(glob->resolution.y - 10) + " click 1 click 3"));
    EXPECT_TRUE(Frame());
    EXPECT_EQ(Turns(), 7);
}

TEST_F(RenderTest, EscapeClosesTheWindowAfterTheHubRanItsTurn)
{
    RequireXdotool();
    if (IsSkipped())
        return;
    Frame();
    ASSERT_TRUE(Keys("a Escape"));
    // The frame in which the window closes still completes.
    EXPECT_TRUE(Frame());
    EXPECT_FALSE(render->m_RenderWindow.isOpen());
    EXPECT_EQ(Turns(), 2);
    EXPECT_FALSE(Frame());
}

TEST_F(RenderTest, EscapeWithTheConsoleHiddenOnlyCloses)
{
    RequireXdotool();
    if (IsSkipped())
        return;
    Frame();
    ASSERT_TRUE(Keys("space Escape"));
    EXPECT_TRUE(Frame());
    EXPECT_FALSE(render->m_RenderWindow.isOpen());
    EXPECT_EQ(Turns(), 0);
    EXPECT_FALSE(Frame());
}
