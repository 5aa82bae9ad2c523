// vondrellex-sim: runs the game's world without a window, from a seed, with
// the human side idle, and prints what happened. For balancing, soak runs
// and benchmarks.
#include "RecordingHub.h"
#include "SeededWorld.h"
#include "World.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <string>

namespace
{
void Usage(const char* self)
{
    std::cerr << "usage: " << self << " [--turns N] [--seed S]\n"
              << "  --turns N  turns to run (default 1000)\n"
              << "  --seed S   value given to srand, 0 ... 4294967295 (default 1)\n";
}

// A whole decimal number from `low` to `high`, or else what is wrong with it.
std::string ParseNumber(const char* text, long long low, long long high, long long& value)
{
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || std::isspace(static_cast<unsigned char>(text[0])))
        return "'" + std::string(text) + "' is not a whole number";
    if (errno == ERANGE || value < low || value > high)
        return std::string(text) + " is outside " + std::to_string(low) + " ... " + std::to_string(high);
    return "";
}

std::string Kinds(const Player& side)
{
    std::string letters;
    for (RoomType kind : side.m_DiscoveredRoomTypes)
        letters += RoomTypeToChar(kind);
    return letters;
}
}

int main(int argc, char** argv)
{
    long long turns = 1000;
    long long seed = 1;
    for (int i = 1; i < argc; ++i)
    {
        long long* target = nullptr;
        // srand takes an unsigned int: a larger seed would silently wrap.
        long long high = std::numeric_limits<long long>::max();
        if (std::strcmp(argv[i], "--turns") == 0)
            target = &turns;
        else if (std::strcmp(argv[i], "--seed") == 0)
        {
            target = &seed;
            high = std::numeric_limits<unsigned>::max();
        }
        else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
        {
            Usage(argv[0]);
            return 0;
        }
        std::string error;
        if (!target)
            error = "unknown argument '" + std::string(argv[i]) + "'";
        else if (i + 1 >= argc)
            error = std::string(argv[i]) + " needs a value";
        else
        {
            const std::string wrong = ParseNumber(argv[i + 1], 0, high, *target);
            if (!wrong.empty())
                error = std::string(argv[i]) + ": " + wrong;
        }
        if (!error.empty())
        {
            std::cerr << argv[0] << ": " << error << "\n";
            Usage(argv[0]);
            return 2;
        }
        ++i;
    }

    World* world = NewSeededWorld(static_cast<unsigned>(seed));

    long long endTurn = -1;
    bool won = false;
    for (long long turn = 1; turn <= turns; ++turn)
    {
        world->Turn();
        if (endTurn < 0 && !hubRecord.gameOvers.empty())
        {
            endTurn = turn;
            // A loss is reported before a win in the same turn.
            won = hubRecord.gameOvers.front();
        }
        hubRecord.gameOvers.clear();
    }

    std::cout << "seed " << seed << ", " << turns << " turns, " << world->m_Objects.size() << " objects, "
              << hubRecord.messages.size() << " messages to the human\n";
    for (const Player* side : world->m_Players)
    {
        int alive = 0, dead = 0, revealed = 0;
        for (const Object* obj : world->m_Objects)
        {
            if (obj->m_PlayerID == side->m_ID)
                (obj->m_Alive ? alive : dead)++;
            else
            {
                for (int id : obj->m_RevealedToPlayers)
                    revealed += id == side->m_ID;
            }
        }
        std::cout << "side " << side->m_ID << (side->m_ID == 0 ? " (human)" : " (computer)")
                  << (side->m_Alive ? " alive" : " dead") << ": objects " << alive << " alive, " << dead
                  << " dead; revealed enemies " << revealed << "; risk " << side->m_Risk << "; kinds "
                  << Kinds(*side) << "\n";
    }
    if (endTurn < 0)
        std::cout << "the game had not ended\n";
    else
        std::cout << "the game ended in turn " << endTurn << ": "
                  << (won ? "the human won" : "the human lost") << "\n";
    return 0;
}
