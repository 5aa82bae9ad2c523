#pragma once

#include "Object.h"

#include <vector>

// One side of the game: 0 is the human, 1 and 2 are computer opponents.
class Player
{
public:
    // A side knowing the five starting kinds, at risk 100, holding the
    // fourteen templates. The caller sets m_IsHuman and adds it to the world.
    explicit Player(int id);

    // A computer side's spawn for this turn, or null. The caller adds the
    // object to the world and raises the risk.
    Object* AI();

    std::vector<RoomType> m_DiscoveredRoomTypes;
    std::vector<Object*> m_KnownEnemies;
    std::vector<Object*> m_Templates;
    bool m_IsHuman;
    bool m_Alive;
    int m_ID;
    int m_Pings;
    int m_Risk;
};
