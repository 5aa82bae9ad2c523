#include "StartedGame.h"

#include "CreateBar.h"
#include "Eventfulness.h"
#include "Glob.h"
#include "MashWindow.h"
#include "NotificationBar.h"
#include "Render.h"
#include "RogueWindow.h"
#include "SeededWorld.h"
#include "SfmlCompat.h"
#include "Stat.h"
#include "World.h"
#include "WorldWindow.h"

StartedGame StartGame(unsigned seed)
{
    StartedGame game;
    // The world and its sides first: the renderer draws no random number, so
    // the game's draws come in start-up's order all the same.
    game.world = NewSeededWorld(seed);
    glob->resolution = sf::Vector2i(compat::DesktopSize());
    game.render = new Render();
    game.render->Init();
    game.hub = glob->event;
    game.hub->SetWorld(game.world);
    game.hub->SetRender(game.render);

    game.worldWindow = new WorldWindow();
    game.worldWindow->Init(game.world);
    game.render->Register(game.worldWindow->GetPointer());
    game.createBar = new CreateBar();
    game.createBar->Init();
    game.render->Register(game.createBar->GetPointer());
    game.rogueWindow = new RogueWindow();
    game.rogueWindow->Init(game.createBar);
    game.render->Register(game.rogueWindow->GetPointer());
    game.notificationBar = new NotificationBar();
    game.notificationBar->Init();
    game.render->Register(game.notificationBar->GetPointer());
    game.mashWindow = new MashWindow();
    game.mashWindow->Init();
    game.render->Register(game.mashWindow->GetPointer());
    game.stat = new Stat();
    game.stat->Init();
    game.render->Register(game.stat->GetPointer());

    game.hub->SetCreateBar(game.createBar);
    game.hub->SetNotificationBar(game.notificationBar);
    game.hub->SetWorldWindow(game.worldWindow);
    game.hub->SetMashWindow(game.mashWindow);
    game.hub->SetRogueWindow(game.rogueWindow);
    game.hub->SetStat(game.stat);
    game.worldWindow->Update(game.world->GetVisibles(0));
    return game;
}
