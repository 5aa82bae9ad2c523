#pragma once

#include <SFGUI/Widgets.hpp>

#include <SFML/System/Vector2.hpp>

#include <string>

// The pop-up that shows a notification's long text beside the bar. A click
// anywhere on it hides it for good; opening the notification again makes a
// new note.
class Note
{
public:
    sfg::Window::Ptr GetPointer();
    // Builds the window (class "note") showing info; always true.
    bool Init(std::string info);
    // Moves the window; screen pixels.
    void SetPosition(sf::Vector2f pos);
    // Hides the note.
    void OnClick();
    // Whether the note is on screen.
    bool Visible();

    sfg::Window::Ptr m_Window;
    sfg::Label::Ptr m_Label;
};
