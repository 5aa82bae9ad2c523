#include "World.h"

#include "Eventfulness.h"
#include "Glob.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace
{
bool IsLair(const Object* obj)
{
    return obj->m_Rooms[0]->Type == PLAYERLAIR;
}

// How many rooms of each weapon an object carries.
struct Weapons
{
    int m_Rocks = 0, m_Papers = 0, m_Scissors = 0;
};

Weapons CountWeapons(const Object* obj)
{
    Weapons n;
    for (const Room* room : obj->m_Rooms)
    {
        n.m_Rocks += room->Type == ROCK;
        n.m_Papers += room->Type == BPAPER;
        n.m_Scissors += room->Type == XSCISSORS;
    }
    return n;
}

template <typename T>
bool Contains(const std::vector<T>& list, const T& value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

// The steps of a turn, in the order World::Turn takes them.

// Each living computer side may spawn, then its exposure decays.
void ComputersSpawn(World& world)
{
    for (size_t i = 1; i < world.m_Players.size(); ++i)
    {
        Player* side = world.m_Players[i];
        if (!side->m_Alive)
            continue;
        if (Object* spawned = side->AI())
        {
            side->m_Risk += World::SpawnRisk(spawned);
            world.AddObject(spawned);
        }
        if (side->m_Risk > 10)
            side->m_Risk -= side->m_Risk / 20;
    }
}

// The human's exposure decays a little faster, down to 10.
void HumanRiskDecays(Player* human)
{
    if (human->m_Alive && human->m_Risk > 10)
    {
        human->m_Risk -= human->m_Risk / 20;
        human->m_Risk -= 1;
    }
}

// One living object's rooms act in order. Whether it pings this turn was
// drawn once for the whole object, ping room or not.
void RoomsAct(World& world, Object* obj, bool pinging)
{
    for (const Room* room : obj->m_Rooms)
    {
        switch (room->Type)
        {
        case PLAYERLAIR:
            obj->m_VisibleToPlayer = 1.0f;
            break;
        case LOOK:
            world.Look(obj);
            break;
        case FORAGE:
            world.Forage(obj);
            break;
        case ROCK:
        case BPAPER:
        case XSCISSORS:
            world.Attack(obj);
            break;
        case PING:
            if (pinging)
            {
                obj->m_VisibleToPlayer = 1.0f;
                world.SendSpotted(obj);
                world.Pingas(obj);
                world.SnoopPingas(obj);
            }
            break;
        case FRIENDPING:
            if (pinging)
            {
                world.FriendSendSpotted(obj);
                world.Pingas(obj);
            }
            break;
        default:
            break;
        }
    }
    if (pinging)
        obj->m_NewKnownEnemies.clear();
}

// Every object in joining order fades a step; the living ones act. The
// objects are read from the scans' contiguous copy of the list rather than
// its scattered nodes; nothing joins during this pass.
void ObjectsAct(World& world)
{
    const std::vector<ScanEntry>& scan = world.GetScan();
    for (size_t i = 0; i < scan.size(); ++i)
    {
        // A long game leaves its objects scattered over the heap: ask for
        // the fields read first a few objects ahead.
        if (i + 8 < scan.size())
        {
            const Object* ahead = scan[i + 8].m_Object;
            __builtin_prefetch(ahead);
            __builtin_prefetch(&ahead->m_VisibleToPlayer);
            __builtin_prefetch(&ahead->m_Alive);
        }
        Object* obj = scan[i].m_Object;
        obj->m_VisibleToPlayer -= 0.025f;
        if (obj->m_Alive)
            RoomsAct(world, obj, rand() % 6 == 1);
    }
}

// The text of a side-0 object's timeout: its first ping room says why.
std::string TimeoutText(const Object* obj)
{
    std::string text = obj->m_Name + " ping timeout";
    for (const Room* room : obj->m_Rooms)
    {
        if (room->Type == PING)
            return text + ", presumed destroyed";
        if (room->Type == FRIENDPING)
            return text + ", possible relay disruption";
    }
    return text;
}

// Objects whose visibility ran out fade from view, and faded ones that came
// back return; only the human hears of its own.
void VisibilityChanges(const World& world)
{
    for (const ScanEntry& entry : world.m_Scan)
    {
        Object* obj = entry.m_Object;
        if (obj->m_Visible && obj->m_VisibleToPlayer <= 0)
        {
            obj->m_Visible = false;
            if (obj->m_PlayerID == 0)
                glob->event->NewMessage("!p", TimeoutText(obj));
        }
        else if (!obj->m_Visible && obj->m_VisibleToPlayer > 0)
        {
            obj->m_Visible = true;
            if (obj->m_PlayerID == 0)
                glob->event->NewMessage("p", obj->m_Name + " ping returned");
        }
    }
}

// Reported on every turn while it holds; a simultaneous loss and win report
// the loss first.
void EndOfGame(const World& world)
{
    if (!world.m_Players[0]->m_Alive)
        glob->event->ItsGameOver(false);
    bool wonYet = true;
    for (size_t i = 1; i < world.m_Players.size(); ++i)
    {
        if (world.m_Players[i]->m_Alive)
            wonYet = false;
    }
    if (wonYet)
        glob->event->ItsGameOver(true);
}
}

int World::SpawnRisk(const Object* obj)
{
    return static_cast<int>(10 * std::pow(static_cast<double>(obj->m_Rooms.size()), 2));
}

void World::Init()
{
    m_ValidRoomTypes.assign(std::begin(FORAGEABLEKINDS), std::end(FORAGEABLEKINDS));
}

void World::AddObject(Object* obj)
{
    m_Objects.push_back(obj);
    ScanEntry entry{obj, obj->m_PlayerID, 0, !obj->m_Rooms.empty() && IsLair(obj)};
    for (const Room* room : obj->m_Rooms)
        entry.m_Snoops += room->Type == SNOOP;
    m_Scan.push_back(entry);
    if (entry.m_IsLair)
        m_Lairs.push_back(obj);
    for (EnemyView& view : m_EnemyViews)
    {
        if (view.m_PlayerID == entry.m_PlayerID)
            continue;
        view.m_Enemies.push_back(entry);
        if (entry.m_Snoops > 0)
            view.m_Snoopers.push_back(entry);
    }
}

std::vector<ScanEntry>& World::GetScan()
{
    // Whoever pushed into the list directly has left the record behind:
    // take every object in again, in the list's order.
    if (m_Scan.size() != m_Objects.size())
    {
        std::list<Object*> objects;
        objects.swap(m_Objects);
        m_Scan.clear();
        m_EnemyViews.clear();
        m_Lairs.clear();
        for (Object* obj : objects)
            AddObject(obj);
    }
    return m_Scan;
}

EnemyView& World::EnemiesOf(int playerID)
{
    const std::vector<ScanEntry>& scan = GetScan();
    for (EnemyView& view : m_EnemyViews)
    {
        if (view.m_PlayerID == playerID)
            return view;
    }
    // A side's view is made when it first scans, and kept by AddObject.
    m_EnemyViews.push_back(EnemyView{playerID, {}, {}});
    EnemyView& view = m_EnemyViews.back();
    for (const ScanEntry& entry : scan)
    {
        if (entry.m_PlayerID == playerID)
            continue;
        view.m_Enemies.push_back(entry);
        if (entry.m_Snoops > 0)
            view.m_Snoopers.push_back(entry);
    }
    return view;
}

void World::AddPlayer(Player* player)
{
    Object* lair = new Object();
    lair->m_Rooms.push_back(new Room(PLAYERLAIR, sf::FloatRect({0, 0}, {0, 0})));
    lair->m_PlayerID = static_cast<int>(m_Players.size());
    lair->m_VisibleToPlayer = 1.0f;
    lair->m_Name = "@";
    AddObject(lair);
    m_Players.push_back(player);
}

std::list<Object*> World::GetVisibles(int player)
{
    std::list<Object*> visibles;
    for (Object* obj : m_Objects)
    {
        if (obj->m_PlayerID == player || Contains(obj->m_RevealedToPlayers, player))
            visibles.push_back(obj);
    }
    return visibles;
}

Player* World::GetHumanPlayer()
{
    return m_Players[0];
}

int World::GetNoOfEnemies()
{
    int alive = 0;
    for (size_t i = 1; i < m_Players.size(); ++i)
    {
        if (m_Players[i]->m_Alive)
            ++alive;
    }
    return alive;
}

int World::GetNoOfBases(int playerID)
{
    int bases = 0;
    for (const Object* obj : m_Objects)
    {
        if (obj->m_Alive && obj->m_PlayerID == playerID && !obj->m_Rooms.empty() && IsLair(obj))
            ++bases;
    }
    return bases;
}

void World::Turn()
{
    ComputersSpawn(*this);
    HumanRiskDecays(GetHumanPlayer());
    ObjectsAct(*this);
    VisibilityChanges(*this);
    EndOfGame(*this);
}

void World::Look(Object* looker)
{
    looker->m_NewKnownEnemies.clear();
    const int side = looker->m_PlayerID;
    // A lair is found with its side's risk in ten-thousandths, anything else
    // with a fixed 51 in 10,000. A draw above every threshold finds nothing.
    int highest = 50;
    for (const Player* player : m_Players)
        highest = std::max(highest, player->m_Risk);
    for (const ScanEntry& enemy : EnemiesOf(side).m_Enemies)
    {
        const int draw = rand() % 10000;
        if (draw > highest)
            continue;
        const int threshold = enemy.m_IsLair ? m_Players[enemy.m_PlayerID]->m_Risk : 50;
        if (draw <= threshold)
            looker->m_NewKnownEnemies.push_back(enemy.m_Object);
    }
}

void World::Forage(Object* forager)
{
    if (rand() % 100 != 1)
        return;
    const RoomType found = m_ValidRoomTypes[rand() % m_ValidRoomTypes.size()];
    Player* side = m_Players[forager->m_PlayerID];
    if (Contains(side->m_DiscoveredRoomTypes, found))
        return;
    side->m_DiscoveredRoomTypes.push_back(found);
    if (forager->m_PlayerID == 0)
    {
        glob->event->NewMessage(std::string("f") + RoomTypeToChar(found),
                                "New data: " + RoomTypeToName(found) + " found by " + forager->m_Name);
    }
}

void World::Attack(Object* attacker)
{
    if (attacker->m_KnownEnemies.empty())
        return;
    const size_t pick = rand() % attacker->m_KnownEnemies.size();
    Object* enemy = attacker->m_KnownEnemies[pick];
    if (enemy->m_PlayerID == attacker->m_PlayerID)
        return;

    const Weapons attack = CountWeapons(attacker), defend = CountWeapons(enemy);

    // Each weapon only meets the weapon that beats it.
    int success = rand() % 3 - 1;
    const int duels[] = {attack.m_Rocks - defend.m_Papers, attack.m_Papers - defend.m_Scissors,
                         attack.m_Scissors - defend.m_Rocks};
    for (int duel : duels)
        success += (duel > 0) - (duel < 0);

    if (success > 0)
    {
        enemy->m_Alive = false;
        if (IsLair(enemy))
        {
            m_Players[enemy->m_PlayerID]->m_Alive = false;
            attacker->m_KnownEnemies.erase(attacker->m_KnownEnemies.begin() + pick);
        }
    }
    else if (success < 0)
    {
        if (rand() % 3 == 1)
            attacker->m_Alive = false;
    }
}

void World::SendSpotted(Object* obj)
{
    if (obj->m_NewKnownEnemies.empty())
        return;
    Player* altertedPlayer = m_Players[obj->m_PlayerID];
    for (Object* enemy : obj->m_NewKnownEnemies)
    {
        obj->m_KnownEnemies.push_back(enemy);
        if (Contains(altertedPlayer->m_KnownEnemies, enemy))
            continue;
        if (obj->m_PlayerID == 0)
        {
            if (IsLair(enemy))
            {
                glob->event->NewMessage("?@", "New enemy Base discovered");
                enemy->m_Name = "?@";
            }
            else
            {
                glob->event->NewMessage("?", "New enemy Object discovered");
                enemy->m_Name = "?";
            }
            enemy->m_VisibleToPlayer = 1.0f;
        }
        enemy->m_RevealedToPlayers.push_back(obj->m_PlayerID);
        altertedPlayer->m_KnownEnemies.push_back(enemy);
    }
}

void World::FriendSendSpotted(Object* sendingobj)
{
    if (sendingobj->m_NewKnownEnemies.empty())
        return;
    for (Object* friendly : m_Objects)
    {
        if (friendly->m_PlayerID != sendingobj->m_PlayerID)
            continue;
        const std::vector<Object*>& news = sendingobj->m_NewKnownEnemies;
        friendly->m_KnownEnemies.insert(friendly->m_KnownEnemies.end(), news.begin(), news.end());
    }
}

void World::Pingas(Object* target)
{
    for (const ScanEntry& snooper : EnemiesOf(target->m_PlayerID).m_Snoopers)
    {
        for (int room = 0; room < snooper.m_Snoops; ++room)
        {
            if (rand() % 25 == 1)
                snooper.m_Object->m_NewKnownEnemies.push_back(target);
        }
    }
}

void World::SnoopPingas(Object* target)
{
    for (const ScanEntry& snooper : EnemiesOf(target->m_PlayerID).m_Snoopers)
    {
        for (int room = 0; room < snooper.m_Snoops; ++room)
        {
            // One chance per lair in the world to trace the ping home.
            for (size_t lair = 0; lair < m_Lairs.size(); ++lair)
            {
                if (rand() % 100 == 1)
                    snooper.m_Object->m_NewKnownEnemies.push_back(target);
            }
        }
    }
}
