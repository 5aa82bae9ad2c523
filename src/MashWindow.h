#pragma once

#include "mashtextgen.h"

#include <SFGUI/Widgets.hpp>

#include <string>

// The typing console. While it is active every key but Space runs a turn,
// and every turn adds a few characters of the game's own source to it.
class MashWindow
{
public:
    // Reads the first source file; the widgets come with Init.
    MashWindow();

    // Builds the console, shown and active; always true.
    bool Init();
    sfg::Window::Ptr GetPointer();
    // Adds 3 to 7 characters and scrolls to the newest text. Keeps at most
    // 1024 characters before adding.
    void AddText();
    // Shows and raises (true) or hides (false) the console; does nothing
    // when it is already in that state.
    void SetActive(bool act);

    bool m_Active;
    sfg::Window::Ptr m_Window;
    sfg::Label::Ptr m_Label;
    MashTextGen m_MashGen;
    std::string m_Longdata;
    sfg::Viewport::Ptr m_Viewport;
};
