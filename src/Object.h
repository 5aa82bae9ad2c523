#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <string>
#include <vector>

// The kinds of room an object can be built from. The order is part of the
// game: the enumerator values are shown nowhere, but letters and names are.
enum RoomType
{
    PLAYERLAIR,   // '@' keeps its object visible; first room of every lair
    PLAYERBASE,   // '@' first room of every design and computer template
    LOOK,         // 'l' looks for enemies
    FORAGE,       // 'f' forages for new room kinds
    ROCK,         // 'R' attacks, beats scissors
    BPAPER,       // 'B' attacks, beats rock
    XSCISSORS,    // 'X' attacks, beats paper
    TEMPLATE,     // 'T'
    CREATE,       // 'C'
    PING,         // 'p' reports sightings home on a pinging turn
    FRIENDPING,   // 'F' shares sightings with every friendly object
    RELAY,        // 'r'
    WFRIENDRELAY, // 'w'
    SNOOP,        // 's' overhears enemy pings
    ASCREAM,      // 'A'
    ASEEKSCREAM,  // 'a'
    KCHARGE,      // 'k'
    MEANDER,      // 'm'
    DECOY,        // 'd'
    PINGFAKE,     // 'b'
    NEW           // '0' marks the create bar's "~new" placeholder
};

// One-letter code of a kind; anything outside PLAYERLAIR..PINGFAKE gives '0'.
char RoomTypeToChar(RoomType rt);
// Inverse of RoomTypeToChar for the letters in use; '@' gives PLAYERBASE and
// every unknown character (including '0') gives PING.
RoomType CharToRoomType(char ch);
// Display name of a kind; NEW and out-of-range values give "".
std::string RoomTypeToName(RoomType rt);

// One module of an object. Rect is carried along but never read by the game.
class Room
{
public:
    // Rect defaults to the unit rectangle at the origin.
    explicit Room(RoomType t);
    Room(RoomType t, sf::FloatRect r);

    RoomType Type;
    sf::FloatRect Rect;
};

// The land of the world map: a position is allowed when its LandTestPoint
// lies in one of these rectangles (left and top edges inside, right and
// bottom edges outside). Map pixels; the world map picture is generated from
// them.
const int NOOFLANDRECTS = 21;
extern const sf::FloatRect LandRects[NOOFLANDRECTS];
// The first ones are the western continent, the rest the eastern one.
const int NOOFWESTERNLANDRECTS = 10;

// The point of a map position that must stand on land: labels hang down and
// right from their position, so it sits ten pixels up and left of it.
sf::Vector2f LandTestPoint(sf::Vector2f position);

// Candidate positions are whole map pixels in [0, MAPWIDTH) x [0, MAPHEIGHT).
const int MAPWIDTH = 490;
const int MAPHEIGHT = 240;

// An agent on the world map, owned by one side and built from rooms. Objects
// and rooms live on the heap for the whole run; a template and its spawned
// copies share their Room records.
class Object
{
public:
    // Alive, visible, side 0, no rooms, no name; already placed on land.
    Object();

    // Whether trypos is an allowed position (see LandRects).
    bool TryPosition(sf::Vector2f trypos);
    // Draws y then x with rand() until the position is allowed.
    void ShufflePosition();
    // A new, placed copy of this template, named after it plus 0..998.
    // The caller adds it to the world.
    Object* Spawn();

    std::vector<Room*> m_Rooms;
    std::vector<Object*> m_NewKnownEnemies;
    std::vector<Object*> m_KnownEnemies;
    Object* m_Template;
    sf::Vector2f m_Position;
    int m_PlayerID;
    std::vector<int> m_RevealedToPlayers;
    float m_VisibleToPlayer;
    std::string m_Name;
    bool m_Alive;
    bool m_Visible;
};
