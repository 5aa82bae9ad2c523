#include "NotificationBar.h"

#include "BarButton.h"
#include "Glob.h"

sfg::Window::Ptr NotificationBar::GetPointer()
{
    return m_Window;
}

bool NotificationBar::Init()
{
    m_Window = sfg::Window::Create(sfg::Window::Style::BACKGROUND);
    m_Window->SetTitle(" ");
    m_Window->SetRequisition(sf::Vector2f(64, static_cast<float>(glob->resolution.y)));
    m_Window->SetClass("vbar");
    m_Box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 5);
    m_Window->Add(m_Box);
    return true;
}

void NotificationBar::NewMessage(std::string shorttext, std::string longtext)
{
    BarButton* button = new BarButton();
    button->m_Button->SetLabel(shorttext);
    button->m_NoteString = longtext;
    button->m_Index = static_cast<int>(buttons.size()) + FIRSTNOTIFICATIONINDEX;
    buttons.push_back(button);
    m_Box->Pack(button->m_Button, false, true);
}

void NotificationBar::PokeNotification(int index)
{
    // Unsigned, so that a negative number never matches.
    if (static_cast<unsigned>(index) < buttons.size())
        buttons[index]->OnClick();
}

void NotificationBar::RemoveNotification(int index)
{
    RemoveFromBar(buttons, m_Box, index, FIRSTNOTIFICATIONINDEX);
}
