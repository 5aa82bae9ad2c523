#ifndef GAMEFIXTURE_H
#define GAMEFIXTURE_H

#include "BarButton.h"
#include "CreateBar.h"
#include "Eventfulness.h"
#include "Glob.h"
#include "MashWindow.h"
#include "Note.h"
#include "NotificationBar.h"
#include "Player.h"
#include "Render.h"
#include "RogueWindow.h"
#include "StartedGame.h"
#include "Stat.h"
#include "World.h"
#include "WorldWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The whole game built in-process as start-up builds it (without music and
// splash), with a real window. Events are handed over the way Render::Loop
// hands them: the desktop first, then closing, then key presses to the hub.
// Game objects are never freed, as in the game; display tests run without
// leak detection.
class GameFixture : public ::testing::Test, protected StartedGame
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs a display (run under xvfb-run)";
        static_cast<StartedGame&>(*this) = StartGame(Seed());
        Frame();
    }

    void TearDown() override
    {
        delete render;
        render = nullptr;
        glob = nullptr;
    }

    virtual unsigned Seed() const
    {
        return 20261207;
    }

    // One event, dispatched as Render::Loop dispatches it.
    void Deliver(const sf::Event& event)
    {
        render->m_Desktop.HandleEvent(event);
        if (event.type == sf::Event::Closed)
            render->m_RenderWindow.close();
        if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape)
            render->m_RenderWindow.close();
        if (event.type == sf::Event::KeyPressed)
            glob->event->KeyPressed(event.key);
    }

    void Key(sf::Keyboard::Key code)
    {
        sf::Event event;
        event.type = sf::Event::KeyPressed;
        event.key = sf::Event::KeyEvent{code, false, false, false, false};
        Deliver(event);
    }

    // A press and release at a screen point, without a prior move.
    void ClickAt(sf::Vector2f point, sf::Mouse::Button button = sf::Mouse::Left)
    {
        sf::Event event;
        event.type = sf::Event::MouseButtonPressed;
        event.mouseButton = sf::Event::MouseButtonEvent{button, static_cast<int>(point.x), static_cast<int>(point.y)};
        Deliver(event);
        event.type = sf::Event::MouseButtonReleased;
        Deliver(event);
    }

    // A click in the middle of a widget, where it stands on screen now.
    void Click(const sfg::Widget::Ptr& widget, sf::Mouse::Button button = sf::Mouse::Left)
    {
        const sf::Vector2f pos = widget->GetAbsolutePosition();
        const sf::FloatRect alloc = widget->GetAllocation();
        ClickAt(pos + sf::Vector2f(alloc.width / 2, alloc.height / 2), button);
    }

    // Draws one frame through the real loop (and handles whatever the
    // window system queued).
    bool Frame()
    {
        return render->Loop();
    }
};

#endif
