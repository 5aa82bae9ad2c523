// The cost of one World::Turn against the cost of the rand() draws it makes.
// The turn scans the whole object list for every look and ping by design, so
// what matters is how little it spends around its draws: ratio_to_floor is
// the measured turns' time over the time of the same number of bare draws.
#include "Eventfulness.h"
#include "Glob.h"
#include "World.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

namespace
{
long long draws = 0;
}

// Counts every draw the game makes. glibc's rand() is random() under the
// same state, so the sequence is the game's own.
extern "C" int rand() noexcept
{
    ++draws;
    return static_cast<int>(random());
}

// The benchmark needs no messages; the world only posts them.
void Eventfulness::NewMessage(std::string, std::string)
{
}
void Eventfulness::ItsGameOver(bool)
{
}

namespace
{
// A world as start-up builds it, filled to `count` objects with copies of
// the computer templates every side can build at start, spread over the
// three sides.
World* BuildWorld(int count)
{
    srand(2026);
    glob = new Glob();
    World* world = glob->world;
    world->Init();
    for (int id = 0; id < 3; ++id)
    {
        Player* side = new Player(id);
        side->m_IsHuman = id == 0;
        world->AddPlayer(side);
    }
    const int buildable[] = {0, 1, 2, 3, 8, 10};
    for (int i = 0; static_cast<int>(world->m_Objects.size()) < count; ++i)
    {
        Player* side = world->m_Players[i % 3];
        world->AddObject(side->m_Templates[buildable[i % 6]]->Spawn());
    }
    return world;
}

void BM_Turn(benchmark::State& state)
{
    World* world = BuildWorld(static_cast<int>(state.range(0)));
    using Clock = std::chrono::steady_clock;
    double turnSeconds = 0;
    double floorSeconds = 0;
    long long turnDraws = 0;
    int sink = 0;
    for (auto _ : state)
    {
        const long long before = draws;
        auto start = Clock::now();
        world->Turn();
        const double turn = std::chrono::duration<double>(Clock::now() - start).count();
        const long long made = draws - before;

        // The floor, right after the turn so that both see the same machine:
        // as many draws in a bare loop.
        start = Clock::now();
        for (long long i = 0; i < made; ++i)
            sink += rand();
        floorSeconds += std::chrono::duration<double>(Clock::now() - start).count();
        benchmark::DoNotOptimize(sink);

        state.SetIterationTime(turn);
        turnSeconds += turn;
        turnDraws += made;
    }

    state.counters["objects"] = static_cast<double>(world->m_Objects.size());
    state.counters["draws_per_turn"] = static_cast<double>(turnDraws) / state.iterations();
    state.counters["ratio_to_floor"] = turnSeconds / floorSeconds;
}
}

// Computer sides keep spawning (about one object in twelve turns between
// them), so the iteration counts are fixed to keep each world near its size.
BENCHMARK(BM_Turn)->Arg(100)->Iterations(200)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Turn)->Arg(1000)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Turn)->Arg(5000)->Iterations(4)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
