#pragma once

#include <SFGUI/SFGUI.hpp>
#include <SFGUI/Widgets.hpp>

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/Window/Event.hpp>

// Owns the one window, the toolkit context and the desktop of windows, and
// draws one frame per Loop. Members are built in declaration order and
// released in reverse: the context outlives every widget. The window opens
// in Init, not on construction.
class Render
{
public:
    // Opens the borderless window of the global resolution, titled
    // "Vondrellex" with the icon "icons/vondrellex-64.png", and loads
    // "Themes/Vondrellex.theme"; either file may be missing. Always true.
    bool Init();
    // One frame: every pending event dispatched (DispatchEvent), a desktop
    // update, drawing. False once the window is no longer open.
    bool Loop();
    // Puts a window on the desktop, on top.
    void Register(sfg::SharedPtr<sfg::Window> window);
    // Raises a window already on the desktop; ignores others.
    void BringToFront(sfg::SharedPtr<sfg::Window> window);

    sfg::SFGUI m_GUI;
    sf::RenderWindow m_RenderWindow;
    sfg::Desktop m_Desktop;
    sf::Clock m_Clock;
};

// What a frame does with one event of the window, in this order: the desktop
// handles it; a close request or Escape closes the window; a key press,
// Escape too, then goes to the hub (one last turn while the console is
// active).
void DispatchEvent(Render& render, const sf::Event& event);
