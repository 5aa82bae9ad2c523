#pragma once

#include <SFGUI/Widgets.hpp>

#include <string>
#include <vector>

class BarButton;

// The m_Index of the first notification; later ones count up from it, which
// keeps notification numbers apart from the create bar's.
const int FIRSTNOTIFICATIONINDEX = 100;

// The strip along the left edge: one button per message, newest at the
// bottom. Button i of `buttons` is the i-th widget of the box and has
// m_Index i + FIRSTNOTIFICATIONINDEX.
class NotificationBar
{
public:
    sfg::Window::Ptr GetPointer();
    // Builds the 64-pixel-wide bar at the top-left corner; always true.
    bool Init();
    // Appends a button labelled shorttext whose note will show longtext.
    void NewMessage(std::string shorttext, std::string longtext);
    // Acts as a left click on the notification at index; ignores a number
    // without a button.
    void PokeNotification(int index);
    // Takes the notification at index off the bar and renumbers the rest.
    // The button stays alive: this is called from its own click handler.
    void RemoveNotification(int index);

    sfg::Window::Ptr m_Window;
    sfg::Box::Ptr m_Box;
    std::vector<BarButton*> buttons;
};
