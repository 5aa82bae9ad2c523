#include "BarButton.h"

#include "Eventfulness.h"
#include "Glob.h"

#include <functional>

BarButton::BarButton() : m_Index(0), m_Note(nullptr), m_Obj(nullptr)
{
    m_Button = sfg::Button::Create("hi");
    m_Button->SetClass("vbar");
    m_Button->GetSignal(sfg::Widget::OnLeftClick).Connect(std::bind(&BarButton::OnClick, this));
    m_Button->GetSignal(sfg::Widget::OnRightClick).Connect(std::bind(&BarButton::OnRightClick, this));
    m_NoteString = "";
}

void BarButton::OnClick()
{
    glob->event->OnCreateBarButtonClick(this);
}

void BarButton::OnRightClick()
{
    glob->event->OnCreateBarButtonRightClick(this);
}
