#pragma once

#include "RecordingHub.h"
#include "SeededWorld.h"
#include "World.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
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

    // A new object of `side` with one room per kind, added to the world
    // unless `join` is false.
    Object* Add(int side, const std::vector<RoomType>& kinds, const char* name = "obj", bool join = true)
    {
        Object* obj = Keep(new Object());
        for (RoomType kind : kinds)
            obj->m_Rooms.push_back(new Room(kind, sf::FloatRect({0, 0}, {0, 0})));
        obj->m_PlayerID = side;
        obj->m_Name = name;
        if (join)
            world->AddObject(obj);
        return obj;
    }

    // The lairs joined first, in side order.
    Object* Lair(int side)
    {
        return *std::next(world->m_Objects.begin(), side);
    }

    // Registers an object made elsewhere (a spawn) for clean-up.
    Object* Keep(Object* obj)
    {
        if (obj)
            loose.push_back(obj);
        return obj;
    }

    // What the hub was told, as "short / long" lines.
    static std::vector<std::string> Said()
    {
        std::vector<std::string> lines;
        for (const HubRecord::Message& m : hubRecord.messages)
            lines.push_back(m.shortText + " / " + m.longText);
        return lines;
    }

    World* world = nullptr;
    std::vector<Object*> loose;
};

// How many rand() draws `action` makes: the draw that follows it, found in
// the generator's sequence from the same seed.
inline int DrawsMadeBy(const std::function<void()>& action, unsigned seed = 99)
{
    srand(seed);
    action();
    const int next = rand();
    srand(seed);
    for (int n = 0; n < 100000; ++n)
        if (rand() == next)
            return n;
    return -1;
}

// The first seed from which `draws` (reading rand()) returns true; the
// generator is left seeded with it.
inline unsigned SeedWhere(const std::function<bool()>& draws)
{
    unsigned seed = 1;
    while (srand(seed), !draws())
        ++seed;
    srand(seed);
    return seed;
}
