#include "BarButton.h"

#include "Eventfulness.h"
#include "Glob.h"
#include "Object.h"

#include <functional>

BarButton::BarButton() : m_Index(0), m_Note(nullptr), m_Obj(nullptr)
{
    m_Button = sfg::Button::Create("hi");
    m_Button->SetClass("vbar");
    m_Button->GetSignal(sfg::Widget::OnLeftClick).Connect(std::bind(&BarButton::OnClick, this));
    m_Button->GetSignal(sfg::Widget::OnRightClick).Connect(std::bind(&BarButton::OnRightClick, this));
}

void BarButton::OnClick()
{
    glob->event->OnCreateBarButtonClick(this);
}

void BarButton::OnRightClick()
{
    glob->event->OnCreateBarButtonRightClick(this);
}

bool BarButton::IsPlaceholder()
{
    return m_Obj->m_Rooms[0]->Type == NEW;
}

void RemoveFromBar(std::vector<BarButton*>& buttons, const sfg::Box::Ptr& box, int index, int firstIndex)
{
    // Unsigned, so that a negative number never matches.
    if (static_cast<unsigned>(index) < buttons.size())
    {
        BarButton* button = buttons[index];
        button->m_Button->Show(false);
        box->Remove(button->m_Button);
        buttons.erase(buttons.begin() + index);
    }
    for (size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->m_Index = static_cast<int>(i) + firstIndex;
}
