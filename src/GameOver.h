#pragma once

#include <SFGUI/Widgets.hpp>

#include <SFML/System/Vector2.hpp>

// The message box that announces the end of the game. The game goes on
// behind it; every later report of the end adds another one.
class GameOver
{
public:
    sfg::Window::Ptr GetPointer();
    // Builds the window near the centre of the screen with the victory
    // (win) or defeat message and raises it; always true.
    bool Init(bool win);
    // Moves the window; screen pixels.
    void SetPosition(sf::Vector2f pos);

    sfg::Window::Ptr m_Window;
    sfg::Label::Ptr m_Label;
};
