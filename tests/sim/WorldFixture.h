#ifndef WORLDFIXTURE_H
#define WORLDFIXTURE_H

#include "Eventfulness.h"
#include "Glob.h"
#include "RecordingHub.h"
#include "SeededWorld.h"
#include "World.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

// A world built as start-up builds it: three sides added in order, each with
// its lair. The game never frees objects; the fixture does, so that leak
// detection stays meaningful for everything else.
class WorldFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        world = NewSeededWorld(20261207);
        hubRecord.Clear();
    }

    void TearDown() override
    {
        FreeSeededWorld(loose);
    }

    // A new object of `side` with one room per kind, not yet in the world.
    Object* Make(int side, const std::vector<RoomType>& kinds, const char* name = "obj")
    {
        Object* obj = new Object();
        for (RoomType kind : kinds)
            obj->m_Rooms.push_back(new Room(kind, sf::FloatRect(0, 0, 0, 0)));
        obj->m_PlayerID = side;
        obj->m_Name = name;
        loose.push_back(obj);
        return obj;
    }

    // The same, added to the world.
    Object* Add(int side, const std::vector<RoomType>& kinds, const char* name = "obj")
    {
        Object* obj = Make(side, kinds, name);
        world->AddObject(obj);
        return obj;
    }

    Object* Lair(int side)
    {
        for (Object* obj : world->m_Objects)
        {
            if (obj->m_PlayerID == side && obj->m_Rooms[0]->Type == PLAYERLAIR)
                return obj;
        }
        return nullptr;
    }

    // Registers an object made elsewhere (a spawn) for clean-up.
    Object* Keep(Object* obj)
    {
        if (obj)
            loose.push_back(obj);
        return obj;
    }

    World* world = nullptr;
    std::vector<Object*> loose;
};

// How many rand() draws `action` makes, by replaying the generator from the
// same seed until it reaches the state the action left behind.
inline int DrawsMadeBy(const std::function<void()>& action, unsigned seed = 99)
{
    srand(seed);
    action();
    const int next1 = rand();
    const int next2 = rand();
    srand(seed);
    int prev = rand();
    for (int n = 0; n < 1000000; ++n)
    {
        const int cur = rand();
        if (prev == next1 && cur == next2)
            return n;
        prev = cur;
    }
    return -1;
}

#endif
