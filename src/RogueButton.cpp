#include "RogueButton.h"

#include "RogueWindow.h"

#include <functional>

RogueButton::RogueButton()
    : m_Index(0), m_ButtonChar(' '), m_pos(0, 0), m_choose(false), m_RogueWindow(nullptr)
{
}

void RogueButton::Init(RogueWindow* rw, char ch)
{
    m_ButtonChar = ch;
    m_RogueWindow = rw;
    m_Button = sfg::Button::Create(sf::String(ch));
    m_Button->SetClass("available");
    m_Button->GetSignal(sfg::Widget::OnLeftClick).Connect(std::bind(&RogueButton::OnClick, this));
    m_Button->GetSignal(sfg::Widget::OnRightClick).Connect(std::bind(&RogueButton::OnRightClick, this));
}

void RogueButton::OnClick()
{
    m_RogueWindow->OnButtonClick(this);
}

void RogueButton::OnRightClick()
{
    m_RogueWindow->OnButtonRightClick(this);
}

void RogueButton::NewChar(char ch)
{
    // Making even a one-character label costs a locale lookup.
    if (ch == m_ButtonChar)
        return;
    m_Button->SetLabel(sf::String(ch));
    m_ButtonChar = ch;
}
