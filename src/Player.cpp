#include "Player.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace
{
struct TemplateDesign
{
    std::initializer_list<RoomType> rooms;
    const char* name;
};

// Every side gets these, in this order. Duplicated room sets are meant: each
// entry counts on its own in the computer's pick. Names are the letters of
// the rooms after the base.
const TemplateDesign Designs[] = {
    {{PLAYERBASE, LOOK, PING}, "lp"},        {{PLAYERBASE, FORAGE, PING}, "fp"},
    {{PLAYERBASE, LOOK, ROCK}, "lR"},        {{PLAYERBASE, LOOK, ROCK, PING}, "lRp"},
    {{PLAYERBASE, LOOK, BPAPER}, "lB"},      {{PLAYERBASE, LOOK, BPAPER, PING}, "lBp"},
    {{PLAYERBASE, LOOK, XSCISSORS}, "lX"},   {{PLAYERBASE, LOOK, XSCISSORS, PING}, "lXp"},
    {{PLAYERBASE, LOOK, ROCK, ROCK}, "lRR"}, {{PLAYERBASE, LOOK, ASCREAM}, "lA"},
    {{PLAYERBASE, LOOK, PING}, "lp"},        {{PLAYERBASE, LOOK, ASEEKSCREAM, ROCK}, "laR"},
    {{PLAYERBASE, SNOOP, PING}, "sp"},       {{PLAYERBASE, SNOOP, PING}, "sp"},
};
}

Player::Player(int id)
    : m_DiscoveredRoomTypes{PLAYERBASE, LOOK, ROCK, PING, FORAGE}, m_IsHuman(false), m_Alive(true), m_ID(id),
      m_Pings(0), m_Risk(100)
{
    for (const TemplateDesign& design : Designs)
    {
        Object* tmpl = new Object();
        for (RoomType rt : design.rooms)
            tmpl->m_Rooms.push_back(new Room(rt, sf::FloatRect({0, 0}, {0, 0})));
        tmpl->m_PlayerID = m_ID;
        tmpl->m_VisibleToPlayer = 1.0f;
        tmpl->m_Name = design.name;
        m_Templates.push_back(tmpl);
    }
}

Object* Player::AI()
{
    if (rand() % 10 != 1)
        return nullptr;

    Object* tmpl = m_Templates[rand() % m_Templates.size()];
    for (const Room* room : tmpl->m_Rooms)
    {
        const bool known = std::find(m_DiscoveredRoomTypes.begin(), m_DiscoveredRoomTypes.end(),
                                     room->Type) != m_DiscoveredRoomTypes.end();
        if (!known)
            return nullptr;
    }
    return tmpl->Spawn();
}
