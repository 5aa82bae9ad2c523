#pragma once

class CreateBar;
class Eventfulness;
class MashWindow;
class NotificationBar;
class Render;
class RogueWindow;
class Stat;
class World;
class WorldWindow;

// The whole game with a real window, as start-up builds it.
struct StartedGame
{
    Render* render = nullptr;
    World* world = nullptr;
    Eventfulness* hub = nullptr;
    WorldWindow* worldWindow = nullptr;
    CreateBar* createBar = nullptr;
    RogueWindow* rogueWindow = nullptr;
    NotificationBar* notificationBar = nullptr;
    MashWindow* mashWindow = nullptr;
    Stat* stat = nullptr;
};

// Seeds rand() with `seed`, then builds the game in start-up order (without
// music and splash) up to and including the first map refresh. Needs a
// display. Nothing is freed but the renderer, which the caller deletes to
// close the window; glob points at the new game.
StartedGame StartGame(unsigned seed);
