#ifndef WORLD_H
#define WORLD_H

#include "Object.h"
#include "Player.h"

#include <list>
#include <vector>

// The game state: every object in play, the three sides and the kinds that
// foraging can find. It talks to the player only through the event hub.
class World
{
public:
    World();

    // Fills the forageable kinds; call once, before adding players.
    void Init();
    // Appends obj to the objects in play; the world keeps it for good.
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

    // What rooms do when their object's turn comes.
    void Look(Object* looker);
    void Forage(Object* forager);
    void Attack(Object* attacker);
    void SendSpotted(Object* obj);
    void FriendSendSpotted(Object* sendingobj);
    void Pingas(Object* target);
    void SnoopPingas(Object* target);

    std::list<Object*> m_Objects;
    std::vector<Player*> m_Players;
    std::vector<RoomType> m_ValidRoomTypes;
};

#endif
