#pragma once

#include <SFGUI/Widgets.hpp>

#include <SFML/System/Vector2.hpp>

class RogueWindow;

// One character cell of the designer: a cell of the dungeon grid, or a
// room-choice button (m_choose). Clicks go to the designer window.
class RogueButton
{
public:
    RogueButton();

    // Makes the widget (class "available") showing ch and connects its
    // clicks to rw. The caller sets m_choose and m_pos.
    void Init(RogueWindow* rw, char ch);
    void OnClick();
    void OnRightClick();
    // Shows ch; nothing happens when ch is already shown.
    void NewChar(char ch);

    sfg::Button::Ptr m_Button;
    int m_Index;
    char m_ButtonChar;
    // Grid column and row of a cell; (0, 0) for a choice button.
    sf::Vector2i m_pos;
    bool m_choose;
    RogueWindow* m_RogueWindow;
};
