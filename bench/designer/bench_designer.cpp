// The object designer's cost with a full design of twelve rooms: one redraw
// of the whole grid (what every placement and removal does), one frame of
// the game with the designer open, and a redraw followed by its frame, as a
// click on the grid costs.

#include "RogueWindowInspector.h"

#include "BarButton.h"
#include "CreateBar.h"
#include "Eventfulness.h"
#include "Glob.h"
#include "MashWindow.h"
#include "NotificationBar.h"
#include "Player.h"
#include "Render.h"
#include "RogueWindow.h"
#include "SfmlCompat.h"
#include "Stat.h"
#include "World.h"
#include "WorldWindow.h"

#include "BenchMain.h"
#include "StartedGame.h"

#include <SFML/Graphics/Texture.hpp>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace
{
// The theme is read by relative path, from the top of the source tree.
const NeedsDisplay needs("bench_designer", VONDRELLEX_DATA_TOP);

struct Game
{
    Render* render = nullptr;
    CreateBar* createBar = nullptr;
    RogueWindow* designer = nullptr;
    MashWindow* console = nullptr;
};

// The game as start-up builds it (no music, no splash), built once.
Game& TheGame()
{
    static Game game;
    if (game.render)
        return game;
    const StartedGame started = StartGame(1234);
    game.render = started.render;
    game.createBar = started.createBar;
    game.designer = started.rogueWindow;
    game.console = started.mashWindow;

    // The designer open for the placeholder, the console put away, and a
    // design of twelve rooms of every size, spread so that the corridors
    // run across the grid.
    game.console->SetActive(false);
    glob->event->NewButtonPoked(game.createBar->buttons[0]);
    RogueWindowInspector ins(game.designer);
    const struct
    {
        RoomType type;
        int x, y;
    } rooms[] = {{PLAYERBASE, 20, 12}, {ROCK, 0, 0},     {XSCISSORS, 14, 0}, {PING, 28, 0},
                 {LOOK, 39, 0},        {FORAGE, 0, 9},   {LOOK, 7, 9},       {BPAPER, 28, 6},
                 {SNOOP, 41, 7},       {FORAGE, 41, 13}, {LOOK, 13, 12},     {DECOY, 30, 13}};
    for (const auto& r : rooms)
        ins.Place(r.type, r.x, r.y);
    game.render->Loop();
    // A picture of what is measured, for whoever wants to see it.
    if (const char* shot = std::getenv("VONDRELLEX_BENCH_SCREENSHOT"))
    {
        sf::Texture texture;
        if (compat::Resize(texture, game.render->m_RenderWindow.getSize()))
        {
            texture.update(game.render->m_RenderWindow);
            if (!texture.copyToImage().saveToFile(shot))
                std::fprintf(stderr, "cannot write %s\n", shot);
        }
    }
    return game;
}

bool Ready(benchmark::State& state)
{
    Game& game = TheGame();
    RogueWindowInspector ins(game.designer);
    if (ins.Rooms().size() != 12 || !game.designer->GetPointer()->IsGloballyVisible())
    {
        state.SkipWithError("the designer did not take the twelve rooms");
        return false;
    }
    return true;
}

void BM_RefreshDungeonTwelveRooms(benchmark::State& state)
{
    if (!Ready(state))
        return;
    RogueWindowInspector ins(TheGame().designer);
    for (auto _ : state)
        ins.Refresh();
    TheGame().render->Loop(); // lay out what the redraws changed
}
BENCHMARK(BM_RefreshDungeonTwelveRooms)->Unit(benchmark::kMicrosecond);

void BM_FrameWithDesignerOpen(benchmark::State& state)
{
    if (!Ready(state))
        return;
    Render* render = TheGame().render;
    for (auto _ : state)
    {
        if (!render->Loop())
        {
            state.SkipWithError("the window closed");
            break;
        }
    }
}
BENCHMARK(BM_FrameWithDesignerOpen)->Unit(benchmark::kMillisecond);

void BM_RedrawThenFrame(benchmark::State& state)
{
    if (!Ready(state))
        return;
    RogueWindowInspector ins(TheGame().designer);
    Render* render = TheGame().render;
    for (auto _ : state)
    {
        ins.Refresh();
        render->Loop();
    }
}
BENCHMARK(BM_RedrawThenFrame)->Unit(benchmark::kMillisecond);
}
