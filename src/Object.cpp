#include "Object.h"

#include <cstdlib>
#include <string>

namespace
{
struct RoomKind
{
    char letter;
    const char* name;
};

// Indexed by RoomType, PLAYERLAIR..PINGFAKE. NEW has no entry.
const RoomKind RoomKinds[] = {
    {'@', "@Playerlair"}, {'@', "@Playerbase"}, {'l', "look"},         {'f', "forage"}, {'R', "Rock"},
    {'B', "BPaper"},      {'X', "XScissors"},   {'T', "Template"},     {'C', "Create"}, {'p', "ping"},
    {'F', "Friendping"},  {'r', "relay"},       {'w', "wfriendrelay"}, {'s', "snoop"},  {'A', "Ascream"},
    {'a', "aseekscream"}, {'k', "kCharge"},     {'m', "meander"},      {'d', "decoy"},  {'b', "bpingfake"},
};
const int NoOfKinds = sizeof(RoomKinds) / sizeof(RoomKinds[0]);

bool IsKnownKind(RoomType rt)
{
    return rt >= PLAYERLAIR && rt < NoOfKinds;
}
}

// Western continent first (1-10), then the eastern one (11-21).
const sf::FloatRect LandRects[NOOFLANDRECTS] = {
    {{20, 28}, {146, 20}},  {{79, 48}, {73, 27}},   {{151, 48}, {28, 16}},  {{88, 76}, {53, 18}},
    {{105, 95}, {38, 21}},  {{145, 113}, {42, 40}}, {{166, 129}, {35, 31}}, {{169, 161}, {16, 15}},
    {{154, 155}, {15, 51}}, {{148, 216}, {23, 19}}, {{240, 44}, {19, 12}},  {{259, 29}, {250, 27}},
    {{335, 18}, {143, 11}}, {{242, 57}, {217, 19}}, {{230, 76}, {107, 44}}, {{271, 117}, {30, 58}},
    {{302, 118}, {16, 36}}, {{336, 77}, {93, 20}},  {{356, 96}, {20, 19}},  {{389, 97}, {89, 51}},
    {{415, 148}, {59, 35}},
};

char RoomTypeToChar(RoomType rt)
{
    return IsKnownKind(rt) ? RoomKinds[rt].letter : '0';
}

RoomType CharToRoomType(char ch)
{
    // PLAYERLAIR is never built from a letter: '@' always means a base.
    for (int i = PLAYERBASE; i < NoOfKinds; ++i)
    {
        if (RoomKinds[i].letter == ch)
            return static_cast<RoomType>(i);
    }
    return PING;
}

std::string RoomTypeToName(RoomType rt)
{
    return IsKnownKind(rt) ? RoomKinds[rt].name : "";
}

Room::Room(RoomType t) : Type(t), Rect({0, 0}, {1, 1})
{
}

Room::Room(RoomType t, sf::FloatRect r) : Type(t), Rect(r)
{
}

Object::Object() : m_Template(nullptr), m_PlayerID(0), m_VisibleToPlayer(1.0f), m_Alive(true), m_Visible(true)
{
    ShufflePosition();
}

sf::Vector2f LandTestPoint(sf::Vector2f position)
{
    return position + sf::Vector2f(-10, -10);
}

bool Object::TryPosition(sf::Vector2f trypos)
{
    const sf::Vector2f p = LandTestPoint(trypos);
    for (const sf::FloatRect& r : LandRects)
    {
        if (r.contains(p))
            return true;
    }
    return false;
}

void Object::ShufflePosition()
{
    do
    {
        const int y = rand() % MAPHEIGHT;
        const int x = rand() % MAPWIDTH;
        m_Position = sf::Vector2f(static_cast<float>(x), static_cast<float>(y));
    } while (!TryPosition(m_Position));
}

Object* Object::Spawn()
{
    Object* spawned = new Object();
    spawned->m_Rooms = m_Rooms;
    spawned->m_KnownEnemies = m_KnownEnemies;
    spawned->m_Template = m_Template;
    spawned->m_PlayerID = m_PlayerID;
    spawned->m_VisibleToPlayer = 1.0f;
    spawned->m_Name = m_Name + std::to_string(rand() % 999);
    spawned->ShufflePosition();
    return spawned;
}
