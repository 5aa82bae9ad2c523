#ifndef PANELFIXTURE_H
#define PANELFIXTURE_H

#include "GameFixture.h"
#include "Object.h"

#include <SFGUI/Widgets.hpp>

#include <dlfcn.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// The whole game as start-up builds it, plus what the panel tests need to
// see into it: a turn counter, the windows on the desktop, templates in the
// create bar as the designer would leave them, and the X tools for input
// through the real window system.
class PanelFixture : public GameFixture
{
protected:
    void SetUp() override
    {
        HoldDisplay();
        GameFixture::SetUp();
        if (IsSkipped())
            return;
        // The turn counter: a dead side-0 object. Every turn takes 0.025 of
        // visibility from every object, dead or alive, and nothing else
        // touches a dead side-0 object's visibility (no room of its own acts,
        // only side 0's own finds reset an enemy's). It stays far above 0 so
        // that it never fades and never posts a message.
        probe = new Object();
        probe->m_Rooms.push_back(new Room(DECOY));
        probe->m_PlayerID = 0;
        probe->m_Alive = false;
        probe->m_VisibleToPlayer = kProbeStart;
        probe->m_Name = "probe";
        world->AddObject(probe);
    }

    // Turns run since SetUp.
    int Turns() const
    {
        return static_cast<int>(std::lround((kProbeStart - probe->m_VisibleToPlayer) / 0.025f));
    }

    // A key press with modifier flags, delivered as the renderer delivers it.
    void KeyWith(sf::Keyboard::Key code, bool alt, bool control, bool shift, bool system)
    {
        sf::Event event;
        event.type = sf::Event::KeyPressed;
        event.key = sf::Event::KeyEvent{code, alt, control, shift, system};
        Deliver(event);
    }

    const std::vector<sfg::Widget::Ptr>& DesktopWindows() const
    {
        return render->m_Desktop.GetWidgets();
    }

    bool OnDesktop(const sfg::Widget::Ptr& window) const
    {
        for (const sfg::Widget::Ptr& w : DesktopWindows())
        {
            if (w == window)
                return true;
        }
        return false;
    }

    bool OnTop(const sfg::Widget::Ptr& window) const
    {
        return !DesktopWindows().empty() && DesktopWindows().back() == window;
    }

    // The first label found in a widget tree, depth first.
    static sfg::Label::Ptr FirstLabel(const sfg::Widget::Ptr& widget)
    {
        if (auto label = std::dynamic_pointer_cast<sfg::Label>(widget))
            return label;
        if (auto container = std::dynamic_pointer_cast<sfg::Container>(widget))
        {
            for (const sfg::Widget::Ptr& child : container->GetChildren())
            {
                if (auto label = FirstLabel(child))
                    return label;
            }
        }
        return nullptr;
    }

    // The desktop's windows whose first label reads `text`, bottom to top.
    std::vector<sfg::Window::Ptr> WindowsSaying(const std::string& text) const
    {
        std::vector<sfg::Window::Ptr> found;
        for (const sfg::Widget::Ptr& w : DesktopWindows())
        {
            sfg::Label::Ptr label = FirstLabel(w);
            if (label && label->GetText().toAnsiString() == text)
                found.push_back(std::dynamic_pointer_cast<sfg::Window>(w));
        }
        return found;
    }

    // Puts a template with these rooms into the create bar the way the
    // designer keeps a design: the current placeholder becomes the template
    // and a new placeholder follows it.
    BarButton* AddTemplate(const std::string& name, const std::vector<RoomType>& rooms)
    {
        Object* design = new Object();
        for (RoomType type : rooms)
            design->m_Rooms.push_back(new Room(type));
        design->m_Name = name;
        BarButton* target = createBar->buttons.back();
        target->m_Obj = design;
        target->m_Button->SetLabel(name);
        createBar->AddNewButton();
        return target;
    }

    // Screen pixels of the whole X display (DISPLAY), by ImageMagick.
    static bool Screenshot(const std::string& path)
    {
        const std::string command = "import -window root " + path + " 2>/dev/null";
        return std::system(command.c_str()) == 0;
    }

    static bool HaveTool(const char* tool)
    {
        const std::string command = std::string("command -v ") + tool + " >/dev/null 2>&1";
        return std::system(command.c_str()) == 0;
    }

    // The X id of the game's window, for xdotool.
    std::string WindowId() const
    {
        return std::to_string(static_cast<unsigned long>(render->m_RenderWindow.getSystemHandle()));
    }

    // Runs a shell command and returns its standard output.
    static std::string Output(const std::string& command)
    {
        std::string out;
        if (FILE* pipe = popen(command.c_str(), "r"))
        {
            char buffer[256];
            while (fgets(buffer, sizeof buffer, pipe))
                out += buffer;
            pclose(pipe);
        }
        return out;
    }

    // An X server started without -noreset resets whenever its last client
    // leaves, and refuses connections while it does: the test process run
    // just after another one can then fail to open the display, and the
    // window library aborts. Wait here until the server takes a connection,
    // and keep that connection for the life of the process so that the
    // server does not reset under the test.
    static void HoldDisplay()
    {
        // Xlib is loaded with the window library; looked up rather than
        // linked, so the tests need no X development files of their own.
        using OpenDisplay = void* (*)(const char*);
        static void* held = nullptr;
        if (held || !std::getenv("DISPLAY"))
            return;
        const auto open = reinterpret_cast<OpenDisplay>(dlsym(RTLD_DEFAULT, "XOpenDisplay"));
        for (int attempt = 0; open && attempt < 250 && !held; ++attempt)
        {
            held = open(nullptr);
            if (!held)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    static constexpr float kProbeStart = 100.0f;
    Object* probe = nullptr;
};

#endif
