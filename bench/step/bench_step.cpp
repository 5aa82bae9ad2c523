// What one key press costs while the console is active: the world's turn and
// everything the hub does after it (the human's visible objects, the map's
// labels rebuilt, the status panel, the console's text), and the frame that
// shows the result. The game is built in-process as start-up builds it, with
// a real window, so this needs a display (run it under xvfb-run).
//
// The world holds N objects; a tenth of them are visible to the human: half
// the human's own, half enemies revealed to it. The human's objects carry no
// ping room, so they reveal nothing new and that tenth stays a tenth. Every
// side's risk is set so low that no lair is ever found: the game does not end
// halfway through a run and pile up game-over windows.
//
// The long game (BM_LongGame*) is the other way round: a game played by
// typing alone until the human side lost, then 20,000 turns more, one more
// game-over window each, against a fresh game of the same seed.
#include "BarButton.h"
#include "CreateBar.h"
#include "Eventfulness.h"
#include "Glob.h"
#include "NotificationBar.h"
#include "Object.h"
#include "Player.h"
#include "Render.h"
#include "RogueWindow.h"
#include "SfmlCompat.h"
#include "World.h"
#include "WorldWindow.h"

#include "BenchMain.h"
#include "StartedGame.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

namespace
{
const NeedsDisplay needs("bench_step");

StartedGame game;

const int kUnfindable = -1000000000;

// The game as start-up builds it (without music and splash), then filled to
// `count` objects. The previous game's window closes first.
void Build(int count)
{
    delete game.render;
    game = StartGame(2026);
    World* world = game.world;

    // Copies of the templates every side can build from the start; the
    // human's own are the two without a ping room (lR, lRR).
    const int enemyBuildable[] = {0, 1, 2, 3, 8, 10};
    const int humanBuildable[] = {2, 8};
    for (int i = 0; static_cast<int>(world->m_Objects.size()) < count; ++i)
    {
        Object* obj;
        if (i % 20 == 0)
        {
            obj = world->m_Players[0]->m_Templates[humanBuildable[(i / 20) % 2]]->Spawn();
        }
        else
        {
            obj = world->m_Players[1 + i % 2]->m_Templates[enemyBuildable[i % 6]]->Spawn();
            if (i % 20 == 10)
            {
                obj->m_RevealedToPlayers.push_back(0);
                obj->m_Name = "?";
            }
        }
        // Sightings of various ages, so the map uses every class and the
        // human's objects fade out over many turns rather than all at once.
        obj->m_VisibleToPlayer = static_cast<float>(i % 41) / 40.0f;
        world->AddObject(obj);
    }
    for (Player* side : world->m_Players)
        side->m_Risk = kUnfindable;

    game.worldWindow->Update(world->GetVisibles(0));
    game.render->Loop();
}

// A few turns before measuring, and the messages they brought dismissed, as
// a player would: the measured turns start from a game in progress.
void WarmUp()
{
    const compat::KeyEvent key = compat::PlainKey(sf::Keyboard::Key::A);
    for (int i = 0; i < 5; ++i)
    {
        game.hub->KeyPressed(key);
        game.render->Loop();
    }
    while (!game.notificationBar->buttons.empty())
        game.notificationBar->RemoveNotification(0);
    game.render->Loop();
}

// Resident memory of the process, in bytes.
double ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    double pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<double>(sysconf(_SC_PAGESIZE));
}

double HeapBytes()
{
    return static_cast<double>(mallinfo2().uordblks);
}

void Report(benchmark::State& state, size_t messagesBefore)
{
    state.counters["objects"] = static_cast<double>(game.world->m_Objects.size());
    state.counters["visible"] = static_cast<double>(game.world->GetVisibles(0).size());
    state.counters["messages_per_turn"] =
        static_cast<double>(game.notificationBar->buttons.size() - messagesBefore) / state.iterations();
}

const compat::KeyEvent kKey = compat::PlainKey(sf::Keyboard::Key::A);

// The turn step exactly as a key press runs it.
void BM_KeyPress(benchmark::State& state)
{
    Build(static_cast<int>(state.range(0)));
    WarmUp();
    const size_t messages = game.notificationBar->buttons.size();
    for (auto _ : state)
        game.hub->KeyPressed(kKey);
    Report(state, messages);
}

// The key press and the frame that shows it: the figure that must stay
// under 16 ms.
void BM_KeyPressAndFrame(benchmark::State& state)
{
    Build(static_cast<int>(state.range(0)));
    WarmUp();
    const size_t messages = game.notificationBar->buttons.size();
    for (auto _ : state)
    {
        game.hub->KeyPressed(kKey);
        game.render->Loop();
    }
    Report(state, messages);
}

// The same step and frame taken apart: the hub's own turn step (through its
// key handler, as above) and the frame after it, each timed on its own.
// Counters are milliseconds per turn.
void StepParts(benchmark::State& state)
{
    const size_t messages = game.notificationBar->buttons.size();
    using Clock = std::chrono::steady_clock;
    double step = 0, frame = 0;
    auto lap = [](Clock::time_point& since) {
        const Clock::time_point now = Clock::now();
        const double ms = std::chrono::duration<double, std::milli>(now - since).count();
        since = now;
        return ms;
    };
    for (auto _ : state)
    {
        Clock::time_point t = Clock::now();
        game.hub->KeyPressed(kKey);
        step += lap(t);
        game.render->Loop();
        frame += lap(t);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["step_ms"] = step / n;
    state.counters["frame_ms"] = frame / n;
    Report(state, messages);
}

void BM_StepParts(benchmark::State& state)
{
    Build(static_cast<int>(state.range(0)));
    WarmUp();
    StepParts(state);
}

// A frame with nothing changed since the last one: drawing alone.
void BM_FrameOnly(benchmark::State& state)
{
    Build(static_cast<int>(state.range(0)));
    WarmUp();
    for (auto _ : state)
        game.render->Loop();
    Report(state, game.notificationBar->buttons.size());
}

// A frame once the game has ended long ago: every turn after the end adds
// another game-over window, and every one of them is drawn. N is the number
// of such windows (turns since the end); the world is the small one of a
// fresh game.
void BM_FrameAfterTheEnd(benchmark::State& state)
{
    Build(200);
    WarmUp();
    const double heap = HeapBytes();
    for (int i = 0; i < state.range(0); ++i)
    {
        game.hub->ItsGameOver(false);
        game.render->Loop();
    }
    state.counters["heap_bytes_per_window"] = (HeapBytes() - heap) / static_cast<double>(state.range(0));
    for (auto _ : state)
        game.render->Loop();
    state.counters["windows"] = static_cast<double>(game.render->m_Desktop.GetWidgets().size());
}

const unsigned kLongGameSeed = 2026;
const int kTurnsAfterTheEnd = 20000;
double g_heapPerTurn = 0;
double g_residentPerTurn = 0;

// A game as a typing player leaves it: keys only, until the human side has
// lost, then 20,000 keys more, each adding a game-over window, with a frame
// now and then. Everything stands as the game made it: the map, both bars
// and the console. Built once; the heap and resident memory the last 2,000
// turns took, each with its frame as in the game, are kept per turn.
void BuildLongGame()
{
    static bool built = false;
    if (built)
        return;
    built = true;
    delete game.render;
    game = StartGame(kLongGameSeed);
    game.render->Loop();
    int frames = 0;
    auto turn = [&frames]() {
        game.hub->KeyPressed(kKey);
        if (++frames % 100 == 0)
            game.render->Loop();
    };
    while (game.world->GetHumanPlayer()->m_Alive && game.world->GetNoOfEnemies() > 0)
        turn();
    for (int i = 0; i < kTurnsAfterTheEnd - 2000; ++i)
        turn();
    game.render->Loop();
    const double heap = HeapBytes(), resident = ResidentBytes();
    for (int i = 0; i < 2000; ++i)
    {
        game.hub->KeyPressed(kKey);
        game.render->Loop();
    }
    g_heapPerTurn = (HeapBytes() - heap) / 2000;
    g_residentPerTurn = (ResidentBytes() - resident) / 2000;
}

void ReportLongGame(benchmark::State& state)
{
    state.counters["windows"] = static_cast<double>(game.render->m_Desktop.GetWidgets().size());
    state.counters["objects"] = static_cast<double>(game.world->m_Objects.size());
    state.counters["notifications"] = static_cast<double>(game.notificationBar->buttons.size());
    state.counters["draw_calls"] = static_cast<double>(game.render->m_GUI.GetLastDrawCallCount());
    state.counters["heap_bytes_per_turn"] = g_heapPerTurn;
    state.counters["rss_bytes_per_turn"] = g_residentPerTurn;
}

// The key press and its frame in a fresh game of the same seed, as the
// long game's yardstick: the goal is the long game within 1.5 times this.
void BM_FreshGameKeyPressAndFrame(benchmark::State& state)
{
    delete game.render;
    game = StartGame(kLongGameSeed);
    game.render->Loop();
    for (auto _ : state)
    {
        game.hub->KeyPressed(kKey);
        game.render->Loop();
    }
    state.counters["windows"] = static_cast<double>(game.render->m_Desktop.GetWidgets().size());
    state.counters["notifications"] = static_cast<double>(game.notificationBar->buttons.size());
    state.counters["draw_calls"] = static_cast<double>(game.render->m_GUI.GetLastDrawCallCount());
}

// The same in the long game: each key adds one more game-over window.
void BM_LongGameKeyPressAndFrame(benchmark::State& state)
{
    BuildLongGame();
    for (auto _ : state)
    {
        game.hub->KeyPressed(kKey);
        game.render->Loop();
    }
    ReportLongGame(state);
}

// The parts of the step and the frame in the long game (see BM_StepParts).
void BM_LongGameStepParts(benchmark::State& state)
{
    BuildLongGame();
    StepParts(state);
    ReportLongGame(state);
}

// A frame with nothing changed, in the long game.
void BM_LongGameFrameOnly(benchmark::State& state)
{
    BuildLongGame();
    for (auto _ : state)
        game.render->Loop();
    ReportLongGame(state);
}

// Computer sides keep spawning, so iteration counts are fixed to keep each
// world near its size (and to build each world once).
void Sizes(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond);
}
}

BENCHMARK(BM_KeyPress)->Apply(Sizes)->Arg(200)->Iterations(200);
BENCHMARK(BM_KeyPress)->Apply(Sizes)->Arg(1000)->Iterations(60);
BENCHMARK(BM_KeyPress)->Apply(Sizes)->Arg(5000)->Iterations(10);
BENCHMARK(BM_KeyPressAndFrame)->Apply(Sizes)->Arg(200)->Iterations(200);
BENCHMARK(BM_KeyPressAndFrame)->Apply(Sizes)->Arg(1000)->Iterations(60);
BENCHMARK(BM_KeyPressAndFrame)->Apply(Sizes)->Arg(5000)->Iterations(10);
BENCHMARK(BM_StepParts)->Apply(Sizes)->Arg(200)->Iterations(200);
BENCHMARK(BM_StepParts)->Apply(Sizes)->Arg(1000)->Iterations(60);
BENCHMARK(BM_StepParts)->Apply(Sizes)->Arg(5000)->Iterations(10);
BENCHMARK(BM_FrameOnly)->Apply(Sizes)->Arg(200)->Iterations(200);
BENCHMARK(BM_FrameOnly)->Apply(Sizes)->Arg(1000)->Iterations(100);
BENCHMARK(BM_FrameOnly)->Apply(Sizes)->Arg(5000)->Iterations(50);
BENCHMARK(BM_FrameAfterTheEnd)->Apply(Sizes)->Arg(10)->Arg(100)->Arg(1000)->Iterations(10);
BENCHMARK(BM_FreshGameKeyPressAndFrame)->Apply(Sizes)->Iterations(300);
BENCHMARK(BM_LongGameKeyPressAndFrame)->Apply(Sizes)->Iterations(300);
BENCHMARK(BM_LongGameStepParts)->Apply(Sizes)->Iterations(300);
BENCHMARK(BM_LongGameFrameOnly)->Apply(Sizes)->Iterations(300);
