// The cost of one World::Turn against the cost of the rand() draws it makes.
// The turn scans the whole object list for every look and ping by design, so
// what matters is how little it spends around its draws: ratio_to_floor is
// the measured turns' time over the time of the same number of bare draws.
// Fresh worlds of living objects show the draws; the aged world of a long
// game shows what the scans cost besides them when most of what they pass
// over is no enemy of the scanner and lies scattered over the heap.
#include "Eventfulness.h"
#include "Glob.h"
#include "SeededWorld.h"
#include "World.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <vector>

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
    World* world = NewSeededWorld(2026);
    const int buildable[] = {0, 1, 2, 3, 8, 10};
    for (int i = 0; static_cast<int>(world->m_Objects.size()) < count; ++i)
    {
        Player* side = world->m_Players[i % 3];
        world->AddObject(side->m_Templates[buildable[i % 6]]->Spawn());
    }
    return world;
}

// A world as a long game leaves it: the seeded game of `vondrellex-sim
// --turns 20000 --seed 1` at that turn. It then holds 1737 objects, 456 of
// them dead: side 0 only its dead lair; side 2 its lair and eight copies, all
// dead since it fell early; side 1 the rest, in even shares of its fourteen
// templates, where the copies that carry both a weapon and a ping room have
// died attacking the dead. Risks 10, 194 and 241. Between its objects the
// game has allocated and freed all sorts of blocks, so that the list's nodes
// and the objects lie scattered over the heap, later ones in earlier holes.
World* BuildAgedWorld()
{
    World* world = BuildWorld(3);
    Player* const* sides = world->m_Players.data();
    sides[1]->m_DiscoveredRoomTypes = world->m_ValidRoomTypes;
    std::vector<char*> litter;
    while (world->m_Objects.size() < 1737)
    {
        for (int i = 0; i < 4; ++i)
            litter.push_back(new char[16 + rand() % 500]);
        for (int i = 0; i < 2; ++i)
        {
            const size_t at = rand() % litter.size();
            delete[] litter[at];
            litter[at] = litter.back();
            litter.pop_back();
        }
        // Side 2's copies come among the first hundred objects.
        const size_t count = world->m_Objects.size();
        Player* side = count % 12 == 5 && count < 100 ? sides[2] : sides[1];
        Object* spawned = nullptr;
        while (!spawned)
            spawned = side->AI();
        world->AddObject(spawned);
    }
    for (Object* obj : world->m_Objects)
    {
        bool weapon = false, ping = false;
        for (const Room* room : obj->m_Rooms)
        {
            weapon |= room->Type == ROCK || room->Type == BPAPER || room->Type == XSCISSORS;
            ping |= room->Type == PING;
        }
        if (obj->m_PlayerID != 1 || (weapon && ping))
            obj->m_Alive = false;
    }
    sides[0]->m_Alive = sides[2]->m_Alive = false;
    sides[0]->m_Risk = 10;
    sides[1]->m_Risk = 194;
    sides[2]->m_Risk = 241;
    return world;
}

// The time this thread has run: the machine is shared, and time spent
// waiting for the processor is neither the turn's nor the floor's.
double ThreadSeconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

void Measure(benchmark::State& state, World* world)
{
    double turnSeconds = 0;
    double floorSeconds = 0;
    long long turnDraws = 0;
    int sink = 0;
    for (auto _ : state)
    {
        const long long before = draws;
        double start = ThreadSeconds();
        world->Turn();
        const double turn = ThreadSeconds() - start;
        const long long made = draws - before;

        // The floor, right after the turn so that both see the same machine:
        // as many draws in a bare loop.
        start = ThreadSeconds();
        for (long long i = 0; i < made; ++i)
            sink += rand();
        floorSeconds += ThreadSeconds() - start;
        benchmark::DoNotOptimize(sink);

        state.SetIterationTime(turn);
        turnSeconds += turn;
        turnDraws += made;
    }

    int dead = 0;
    for (const Object* obj : world->m_Objects)
        dead += !obj->m_Alive;
    state.counters["objects"] = static_cast<double>(world->m_Objects.size());
    state.counters["dead_share"] = static_cast<double>(dead) / world->m_Objects.size();
    state.counters["draws_per_turn"] = static_cast<double>(turnDraws) / state.iterations();
    state.counters["ratio_to_floor"] = turnSeconds / floorSeconds;
}

void BM_Turn(benchmark::State& state)
{
    Measure(state, BuildWorld(static_cast<int>(state.range(0))));
}

void BM_AgedTurn(benchmark::State& state)
{
    Measure(state, BuildAgedWorld());
}
}

// Computer sides keep spawning (about one object in twelve turns between
// them), so the iteration counts are fixed to keep each world near its size.
BENCHMARK(BM_Turn)->Arg(100)->Iterations(200)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Turn)->Arg(1000)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Turn)->Arg(5000)->Iterations(4)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AgedTurn)->Iterations(100)->UseManualTime()->Unit(benchmark::kMillisecond);
