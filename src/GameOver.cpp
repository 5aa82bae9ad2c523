#include "GameOver.h"

#include "Eventfulness.h"
#include "Glob.h"

sfg::Window::Ptr GameOver::GetPointer()
{
    return m_Window;
}

bool GameOver::Init(bool win)
{
    m_Window = sfg::Window::Create(sfg::Window::Style::BACKGROUND);
    m_Window->SetTitle(" ");
    const int x = glob->resolution.x / 2 - 400;
    const int y = glob->resolution.y / 2 - 50;
    m_Window->SetPosition(sf::Vector2f(static_cast<float>(x), static_cast<float>(y)));
    m_Window->SetClass("stat");

    m_Label = sfg::Label::Create(win ? "ALL ENEMY BASES DESTROYED - CONGRATULATIONS"
                                     : "YOUR BASE WAS DESTROYED - GAME OVER");
    m_Label->SetClass("gameover");

    sfg::Box::Ptr box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 5);
    box->Pack(m_Label, true, true);
    m_Window->Add(box);

    // The window asks for the top itself, so it is raised whichever order its
    // owner registers and initialises it in. The hub registers it after this
    // returns (and registering puts it on top), so here it finds nothing to
    // raise yet.
    glob->event->BringToFront(m_Window);
    return true;
}

void GameOver::SetPosition(sf::Vector2f pos)
{
    m_Window->SetPosition(pos);
}
