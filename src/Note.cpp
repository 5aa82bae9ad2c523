#include "Note.h"

#include <functional>

sfg::Window::Ptr Note::GetPointer()
{
    return m_Window;
}

bool Note::Init(std::string info)
{
    m_Window = sfg::Window::Create(sfg::Window::Style::BACKGROUND);
    m_Window->SetTitle(" ");
    m_Window->SetPosition(sf::Vector2f(100, 100));
    m_Window->SetClass("note");

    m_Label = sfg::Label::Create(info);
    m_Label->SetClass("note");

    sfg::Box::Ptr box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 5);
    box->Pack(m_Label, true, true);
    m_Window->Add(box);

    m_Window->GetSignal(sfg::Widget::OnLeftClick).Connect(std::bind(&Note::OnClick, this));
    return true;
}

void Note::SetPosition(sf::Vector2f pos)
{
    m_Window->SetPosition(pos);
}

void Note::OnClick()
{
    m_Window->Show(false);
}

bool Note::Visible()
{
    return m_Window->IsGloballyVisible();
}
