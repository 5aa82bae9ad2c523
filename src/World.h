#pragma once

#include "Object.h"
#include "Player.h"

#include <list>
#include <vector>

// An object as the turn's scans read it: only what stays fixed once the
// object is in the world, where it keeps its side and its rooms.
struct ScanEntry
{
    Object* m_Object;
    int m_PlayerID;
    int m_Snoops; // its SNOOP rooms
    bool m_IsLair;
};

// What the scans for one side walk: every object of another side, in the
// order of the world's list (a look draws for each), and those of them with
// SNOOP rooms (a ping draws for each such room).
struct EnemyView
{
    int m_PlayerID;
    std::vector<ScanEntry> m_Enemies;
    std::vector<ScanEntry> m_Snoopers;
};

// The kinds foraging can find, in the order its draw picks from.
const RoomType FORAGEABLEKINDS[] = {PLAYERBASE, LOOK, FORAGE,     ROCK,  BPAPER,
                                    XSCISSORS,  PING, FRIENDPING, SNOOP, DECOY};
const int NOOFFORAGEABLEKINDS = sizeof(FORAGEABLEKINDS) / sizeof(FORAGEABLEKINDS[0]);

// The game state: every object in play, the three sides and the kinds that
// foraging can find. It talks to the player only through the event hub.
class World
{
public:
    // Fills the forageable kinds (FORAGEABLEKINDS); call once, before
    // adding players.
    void Init();
    // Appends obj to the objects in play; the world keeps it for good. Its
    // side and rooms must not change from then on.
    void AddObject(Object* obj);
    // Gives the side its lair ("@", one PLAYERLAIR room) and registers it.
    // Sides must be added in the order of their ids.
    void AddPlayer(Player* player);
    // The objects side `player` may see: its own and those revealed to it,
    // dead or faded ones included, in joining order.
    std::list<Object*> GetVisibles(int player);
    Player* GetHumanPlayer();
    // Living computer sides, 0 to 2.
    int GetNoOfEnemies();
    // Living lairs of a side (0 or 1).
    int GetNoOfBases(int playerID);
    // One game step: computer spawns and risks, the human's risk, every
    // object's rooms, the visibility messages and the end-of-game check.
    void Turn();
    // The risk an object adds to its side when it joins the world: ten times
    // the square of its room count.
    static int SpawnRisk(const Object* obj);

    // What rooms do when their object's turn comes.
    void Look(Object* looker);
    void Forage(Object* forager);
    void Attack(Object* attacker);
    void SendSpotted(Object* obj);
    void FriendSendSpotted(Object* sendingobj);
    void Pingas(Object* target);
    void SnoopPingas(Object* target);

    // m_Scan, after taking in whatever was pushed into m_Objects without
    // AddObject.
    std::vector<ScanEntry>& GetScan();
    // The scans' view for a side.
    EnemyView& EnemiesOf(int playerID);

    std::list<Object*> m_Objects;
    std::vector<Player*> m_Players;
    std::vector<RoomType> m_ValidRoomTypes;

    // m_Objects as the scans read it, kept in step by AddObject. A look or a
    // ping walks these contiguous entries instead of the list's nodes and
    // the objects scattered over the heap, and passes over no friend.
    std::vector<ScanEntry> m_Scan;
    std::vector<EnemyView> m_EnemyViews;
    // The lairs in the world, dead ones included: a traced ping draws once
    // for each.
    std::vector<Object*> m_Lairs;
};
