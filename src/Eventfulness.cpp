#include "Eventfulness.h"

#include "BarButton.h"
#include "CreateBar.h"
#include "GameOver.h"
#include "MashWindow.h"
#include "Note.h"
#include "NotificationBar.h"
#include "Render.h"
#include "RogueWindow.h"
#include "Stat.h"
#include "World.h"
#include "WorldWindow.h"

void Eventfulness::OnCreateBarButtonClick(BarButton* bbutton)
{
    if (!bbutton->m_NoteString.empty())
    {
        // A notification: the first click opens its note, a click while the
        // note shows closes it and dismisses the message.
        if (bbutton->m_Note == nullptr || !bbutton->m_Note->Visible())
        {
            Note* note = new Note();
            note->Init(bbutton->m_NoteString);
            note->SetPosition(bbutton->m_Button->GetAbsolutePosition() + sf::Vector2f(64, 0));
            m_Render->Register(note->GetPointer());
            bbutton->m_Note = note;
        }
        else
        {
            bbutton->m_Note->OnClick();
            m_NotificationBar->RemoveNotification(bbutton->m_Index - FIRSTNOTIFICATIONINDEX);
        }
        return;
    }

    if (bbutton->IsPlaceholder())
        NewButtonPoked(bbutton);
    else
        CreateNewObject(bbutton->m_Obj->Spawn(), bbutton->m_Obj->m_Name);
}

void Eventfulness::OnCreateBarButtonRightClick(BarButton* bbutton)
{
    if (!bbutton->m_NoteString.empty())
        m_NotificationBar->RemoveNotification(bbutton->m_Index - FIRSTNOTIFICATIONINDEX);
    else if (!bbutton->IsPlaceholder())
        m_CreateBar->RemoveButton(bbutton->m_Index);
}

void Eventfulness::SetWorld(World* world)
{
    m_World = world;
}

void Eventfulness::SetNotificationBar(NotificationBar* bar)
{
    m_NotificationBar = bar;
}

void Eventfulness::SetCreateBar(CreateBar* bar)
{
    m_CreateBar = bar;
}

void Eventfulness::SetWorldWindow(WorldWindow* window)
{
    m_WorldWindow = window;
}

void Eventfulness::SetMashWindow(MashWindow* window)
{
    m_MashWindow = window;
}

void Eventfulness::SetRogueWindow(RogueWindow* window)
{
    m_RogueWindow = window;
}

void Eventfulness::SetRender(Render* render)
{
    m_Render = render;
}

void Eventfulness::SetStat(Stat* stat)
{
    m_Stat = stat;
}

void Eventfulness::BringToFront(std::shared_ptr<sfg::Window> window)
{
    m_Render->BringToFront(window);
}

void Eventfulness::KeyPressed(compat::KeyEvent keyEvent)
{
    // Only the code counts; modifiers are ignored.
    const sf::Keyboard::Key code = keyEvent.code;
    if (m_MashWindow->m_Active)
    {
        if (code == sf::Keyboard::Key::Space)
            m_MashWindow->SetActive(false);
        else
            TurnStep();
        return;
    }

    if (code == sf::Keyboard::Key::Space)
        m_MashWindow->SetActive(true);
    // A key the window system cannot name has no other meaning in the game,
    // so it is the one left over for reading messages, top one first.
    if (code == sf::Keyboard::Key::Unknown)
        m_NotificationBar->PokeNotification(0);
    // Keys 1..9 poke buttons 0..8 and key 0 pokes button 9, as on the
    // keyboard's top row.
    if (code >= sf::Keyboard::Key::Num1 && code <= sf::Keyboard::Key::Num9)
        m_CreateBar->PokeButton(static_cast<int>(code) - static_cast<int>(sf::Keyboard::Key::Num1));
    if (code == sf::Keyboard::Key::Num0)
        m_CreateBar->PokeButton(9);
}

void Eventfulness::NewMessage(std::string smessage, std::string lmessage)
{
    m_NotificationBar->NewMessage(smessage, lmessage);
}

void Eventfulness::NewButtonPoked(BarButton* bb)
{
    m_RogueWindow->m_TargetButton = bb;
    m_RogueWindow->Show(true);
    BringToFront(m_RogueWindow->GetPointer());
}

void Eventfulness::CreateNewObject(Object* newObj, std::string type)
{
    m_World->AddObject(newObj);
    m_NotificationBar->NewMessage("c" + type, "New object created: " + newObj->m_Name + ".");
    Player* human = m_World->GetHumanPlayer();
    human->m_Risk += World::SpawnRisk(newObj);
    TurnStep();
}

void Eventfulness::ItsGameOver(bool win)
{
    GameOver* gameOver = new GameOver();
    gameOver->Init(win);
    m_Render->Register(gameOver->GetPointer());
}

void Eventfulness::TurnStep()
{
    m_World->Turn();
    m_WorldWindow->Update(m_World->GetVisibles(0));
    m_Stat->Update();
    m_MashWindow->AddText();
}
