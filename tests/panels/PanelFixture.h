#ifndef PANELFIXTURE_H
#define PANELFIXTURE_H

#include "GameFixture.h"
#include "Object.h"

#include <SFGUI/Widgets.hpp>

#include <dlfcn.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

// The whole game as start-up builds it, plus a turn counter, the desktop's
// windows and templates in the create bar as the designer leaves them.
class PanelFixture : public GameFixture
{
protected:
    void SetUp() override
    {
        HoldDisplay();
        GameFixture::SetUp();
        if (IsSkipped())
            return;
        // The turn counter: every turn takes 0.025 of visibility from every
        // object, and nothing else touches a dead side-0 object's. Far above
        // 0, it never fades and never posts a message.
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

    const std::vector<sfg::Widget::Ptr>& DesktopWindows() const
    {
        return render->m_Desktop.GetWidgets();
    }

    bool OnTop(const sfg::Widget::Ptr& window) const
    {
        return !DesktopWindows().empty() && DesktopWindows().back() == window;
    }

    // The first label in a widget tree, depth first.
    static sfg::Label::Ptr FirstLabel(const sfg::Widget::Ptr& widget)
    {
        if (auto label = std::dynamic_pointer_cast<sfg::Label>(widget))
            return label;
        if (auto container = std::dynamic_pointer_cast<sfg::Container>(widget))
            for (const sfg::Widget::Ptr& child : container->GetChildren())
                if (auto label = FirstLabel(child))
                    return label;
        return nullptr;
    }

    // The desktop's windows whose first label reads `text`, bottom to top.
    std::vector<sfg::Window::Ptr> WindowsSaying(const std::string& text) const
    {
        std::vector<sfg::Window::Ptr> found;
        for (const sfg::Widget::Ptr& w : DesktopWindows())
            if (sfg::Label::Ptr label = FirstLabel(w); label && label->GetText().toAnsiString() == text)
                found.push_back(std::dynamic_pointer_cast<sfg::Window>(w));
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

    // An X server without -noreset resets when its last client leaves and
    // refuses connections meanwhile, and the window library then aborts.
    // Wait until it takes a connection and hold that one for the process.
    static void HoldDisplay()
    {
        // Looked up in the Xlib the window library loaded: no X headers needed.
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
