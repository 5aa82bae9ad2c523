#include "MashWindow.h"

#include "Eventfulness.h"
#include "Glob.h"

#include <cstdlib>

MashWindow::MashWindow() : m_Active(false)
{
}

bool MashWindow::Init()
{
    m_Window = sfg::Window::Create(sfg::Window::Style::TITLEBAR | sfg::Window::Style::BACKGROUND);
    m_Window->SetTitle(" ");
    m_Window->SetPosition(sf::Vector2f(384, 240));
    m_Window->SetClass("mashwindow");

    m_Viewport = sfg::Viewport::Create();
    m_Viewport->SetRequisition(sf::Vector2f(510, 254));
    m_Viewport->GetVerticalAdjustment()->SetLower(0);
    m_Viewport->GetVerticalAdjustment()->SetUpper(100000000);

    sfg::Box::Ptr box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 0);
    m_Label = sfg::Label::Create(m_Longdata);
    m_Label->SetClass("mashwindow");
    m_Label->SetRequisition(sf::Vector2f(512, 256));
    m_Label->SetLineWrap(true);

    box->Pack(m_Label, true, true);
    m_Viewport->Add(box);
    m_Window->Add(m_Viewport);

    SetActive(true);
    return true;
}

sfg::Window::Ptr MashWindow::GetPointer()
{
    return m_Window;
}

void MashWindow::AddText()
{
    if (m_Longdata.size() > 1024)
        m_Longdata.erase(0, m_Longdata.size() - 1024);
    const int n = rand() % 5 + 3;
    m_Longdata += m_MashGen.Get(n);
    m_Label->SetText(m_Longdata);
    // Follow the newest text once it is taller than the view.
    m_Viewport->GetVerticalAdjustment()->SetValue(m_Label->GetRequisition().y - 256);
}

void MashWindow::SetActive(bool act)
{
    if (act && !m_Active)
    {
        m_Window->Show(true);
        glob->event->BringToFront(m_Window);
        m_Active = true;
    }
    else if (!act && m_Active)
    {
        m_Window->Show(false);
        m_Active = false;
    }
}
