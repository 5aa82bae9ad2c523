#include "CreateBar.h"

#include "BarButton.h"
#include "Eventfulness.h"
#include "Glob.h"
#include "Object.h"
#include "World.h"

sfg::Window::Ptr CreateBar::GetPointer()
{
    return m_Window;
}

bool CreateBar::Init()
{
    m_Window = sfg::Window::Create(sfg::Window::Style::BACKGROUND);
    m_Window->SetTitle(" ");
    m_Window->SetPosition(sf::Vector2f(static_cast<float>(glob->resolution.x - 64), 64));
    m_Window->SetRequisition(sf::Vector2f(64, static_cast<float>(glob->resolution.y)));
    m_Window->SetClass("vbar");
    m_Box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 5);
    for (BarButton* button : buttons)
        m_Box->Pack(button->m_Button, false, true);
    m_Window->Add(m_Box);
    AddNewButton();
    return true;
}

BarButton* CreateBar::AddNewButton()
{
    Object* placeholder = new Object();
    placeholder->m_Rooms.push_back(new Room(NEW));
    placeholder->m_KnownEnemies = glob->world->GetHumanPlayer()->m_KnownEnemies;
    placeholder->m_Name = "~new";

    BarButton* button = new BarButton();
    button->m_Button->SetLabel(placeholder->m_Name);
    button->m_Obj = placeholder;
    button->m_Index = static_cast<int>(buttons.size());
    buttons.push_back(button);
    m_Box->Pack(button->m_Button, false, true);
    return button;
}

void CreateBar::RemoveButton(int index)
{
    RemoveFromBar(buttons, m_Box, index, 0);
}

void CreateBar::RemoveNewButton()
{
    if (!buttons.empty() && buttons.back()->IsPlaceholder())
        RemoveButton(static_cast<int>(buttons.size()) - 1);
}

void CreateBar::PokeButton(int index)
{
    if (static_cast<unsigned>(index) >= buttons.size())
        return;
    BarButton* button = buttons[index];
    if (button->IsPlaceholder())
        glob->event->NewButtonPoked(button);
    else
        button->OnClick();
}
