#pragma once

#include <SFGUI/Widgets.hpp>

#include <SFML/System/Vector2.hpp>

// The top-right panel: living opponents and the human's risk.
class Stat
{
public:
    sfg::Window::Ptr GetPointer();
    // Builds the panel showing the values a game starts with; always true.
    bool Init();
    // Moves the panel; screen pixels.
    void SetPosition(sf::Vector2f pos);
    // Rewrites both numbers from the world.
    void Update();

    sfg::Window::Ptr m_Window;
    sfg::Box::Ptr m_BoxH;
    sfg::Box::Ptr m_BoxCol1;
    sfg::Box::Ptr m_BoxCol2;
    sfg::Label::Ptr m_lBase;
    sfg::Label::Ptr m_lBaseNum;
    sfg::Label::Ptr m_lRisk;
    sfg::Label::Ptr m_lRiskNum;
};
