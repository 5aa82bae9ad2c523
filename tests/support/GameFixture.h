#pragma once

#include "BarButton.h"
#include "CreateBar.h"
#include "Eventfulness.h"
#include "Glob.h"
#include "MashWindow.h"
#include "Note.h"
#include "NotificationBar.h"
#include "Object.h"
#include "Player.h"
#include "Render.h"
#include "RogueWindow.h"
#include "SfmlCompat.h"
#include "StartedGame.h"
#include "Stat.h"
#include "World.h"
#include "WorldWindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

// The whole game built in-process as start-up builds it (without music and
// splash), with a real window. Events go through the frame loop's own
// dispatch (DispatchEvent).
// Game objects are never freed, as in the game; display tests run without
// leak detection.
class GameFixture : public ::testing::Test, protected StartedGame
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs a display (run under xvfb-run)";
        static_cast<StartedGame&>(*this) = StartGame(20261207);
        // The turn counter: every turn takes 0.025 of visibility from every
        // object, and nothing else touches a dead side-0 object's. Far above
        // 0, it never fades and never posts a message.
        probe = new Object();
        probe->m_Rooms.push_back(new Room(DECOY));
        probe->m_Alive = false;
        probe->m_VisibleToPlayer = 100;
        world->AddObject(probe);
        Frame();
    }

    void TearDown() override
    {
        delete render;
        glob = nullptr;
    }

    // Turns run since SetUp.
    int Turns() const
    {
        return static_cast<int>(std::lround((100 - probe->m_VisibleToPlayer) / 0.025f));
    }

    // One event, through the frame loop's own dispatch.
    void Deliver(const sf::Event& event)
    {
        DispatchEvent(*render, event);
    }

    void Key(sf::Keyboard::Key code)
    {
        Deliver(compat::KeyPressEvent(compat::PlainKey(code)));
    }

    // A press and release in the middle of a widget, where it stands now.
    void Click(const sfg::Widget::Ptr& widget, sf::Mouse::Button button = sf::Mouse::Button::Left)
    {
        const sf::Vector2f at = widget->GetAbsolutePosition() + compat::Size(widget->GetAllocation()) / 2.f;
        const sf::Vector2i pixel(at);
        Deliver(compat::MouseButtonEvent(true, button, pixel));
        Deliver(compat::MouseButtonEvent(false, button, pixel));
    }

    // One frame through the real loop (with whatever the window system queued).
    bool Frame()
    {
        return render->Loop();
    }

    bool OnTop(const sfg::Widget::Ptr& window) const
    {
        return render->m_Desktop.GetWidgets().back() == window;
    }

    static std::string Text(const sfg::Label::Ptr& label)
    {
        return label->GetText().toAnsiString();
    }

    static std::string Text(const BarButton* button)
    {
        return button->m_Button->GetLabel().toAnsiString();
    }

    Object* probe = nullptr;
};
