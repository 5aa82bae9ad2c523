#include "SeededWorld.h"

#include "Eventfulness.h"
#include "Glob.h"
#include "Object.h"
#include "Player.h"
#include "World.h"

#include <cstdlib>
#include <set>

World* NewSeededWorld(unsigned seed)
{
    srand(seed);
    glob = new Glob();
    World* world = glob->world;
    world->Init();
    for (int id = 0; id < 3; ++id)
    {
        Player* side = new Player(id);
        side->m_IsHuman = id == 0;
        world->AddPlayer(side);
    }
    return world;
}

void FreeSeededWorld(const std::vector<Object*>& extra)
{
    World* world = glob->world;
    std::set<Object*> objects(extra.begin(), extra.end());
    objects.insert(world->m_Objects.begin(), world->m_Objects.end());
    for (Player* side : world->m_Players)
        objects.insert(side->m_Templates.begin(), side->m_Templates.end());
    std::set<Room*> rooms;
    for (Object* obj : objects)
        rooms.insert(obj->m_Rooms.begin(), obj->m_Rooms.end());
    for (Room* room : rooms)
        delete room;
    for (Object* obj : objects)
        delete obj;
    for (Player* side : world->m_Players)
        delete side;
    delete glob->event;
    delete glob->world;
    delete glob;
    glob = nullptr;
}
