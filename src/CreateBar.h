#pragma once

#include <SFGUI/Widgets.hpp>

#include <vector>

class BarButton;

// The strip on the right edge below the status panel: the human's templates
// in the order they were designed, then the "~new" placeholder that opens the
// designer. Button i of `buttons` is the i-th widget of the box and has
// m_Index i.
class CreateBar
{
public:
    sfg::Window::Ptr GetPointer();
    // Builds the bar with one placeholder button; always true.
    bool Init();
    // Appends a "~new" placeholder (a template whose only room is NEW) and
    // returns it.
    BarButton* AddNewButton();
    // Takes the button at index off the bar and renumbers the rest; the
    // button and its template stay allocated.
    void RemoveButton(int index);
    // Removes the last button if it is a placeholder.
    void RemoveNewButton();
    // The keyboard's way in: opens the designer for a placeholder, acts as a
    // left click on a template; ignores a number without a button.
    void PokeButton(int index);

    sfg::Window::Ptr m_Window;
    sfg::Box::Ptr m_Box;
    std::vector<BarButton*> buttons;
};
