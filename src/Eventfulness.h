#pragma once

#include "SfmlCompat.h"

#include <memory>
#include <string>

class BarButton;
class CreateBar;
class MashWindow;
class NotificationBar;
class Object;
class Render;
class RogueWindow;
class Stat;
class World;
class WorldWindow;

namespace sfg
{
class Window;
}

// The event hub: every event of the game passes through it (key presses,
// clicks on bar buttons, the world's messages and its end) and it routes each
// to the parts it concerns: a turn of the world and the panels that follow
// it, a new button on a bar, a note, a window raised or added. Reading the
// world's state goes around it: the status panel, the create bar and the
// designer read what they show or copy (the human's risk, known enemies and
// discovered kinds, the enemy bases left) from glob->world themselves, and
// the designer hands its templates to the create bar it was given.
// It owns nothing; start-up fills in the pointers (world and renderer first,
// the six windows once they all exist) before any key press or click can
// arrive, so nothing here tests for null.
class Eventfulness
{
public:
    // A left click on a bar button, or a poke of one from the keyboard.
    void OnCreateBarButtonClick(BarButton* bbutton);
    // A right click on a bar button.
    void OnCreateBarButtonRightClick(BarButton* bbutton);

    void SetWorld(World* world);
    void SetNotificationBar(NotificationBar* bar);
    void SetCreateBar(CreateBar* bar);
    void SetWorldWindow(WorldWindow* window);
    void SetMashWindow(MashWindow* window);
    void SetRogueWindow(RogueWindow* window);
    void SetRender(Render* render);
    void SetStat(Stat* stat);

    // Raises a window that is on the desktop; ignores one that is not.
    void BringToFront(std::shared_ptr<sfg::Window> window);
    // Every key press of the window, in arrival order.
    void KeyPressed(compat::KeyEvent keyEvent);
    // A message for the human: a short text for the notification button and
    // a long text for its note.
    void NewMessage(std::string smessage, std::string lmessage);
    // Points the designer at a "~new" placeholder button and opens it.
    void NewButtonPoked(BarButton* bb);
    // A new human object joins the world; costs one turn.
    void CreateNewObject(Object* newObj, std::string type);
    // The end of the game, reported on every turn while it holds.
    void ItsGameOver(bool win);

    World* m_World;
    NotificationBar* m_NotificationBar;
    CreateBar* m_CreateBar;
    WorldWindow* m_WorldWindow;
    MashWindow* m_MashWindow;
    RogueWindow* m_RogueWindow;
    Render* m_Render;
    Stat* m_Stat;

private:
    // One turn as a key press or a spawn causes it: the world moves, then the
    // map, the status panel and the console follow.
    void TurnStep();
};
