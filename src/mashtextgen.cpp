#include "mashtextgen.h"

#include "Glob.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
// Two hundred times the largest of the game's sources: a bigger file is no
// source of ours and counts as damaged.
const std::uintmax_t MAX_SOURCE_BYTES = 4u << 20;
}

MashTextGen::MashTextGen()
{
    files = {
        "src/BarButton.h",
        "src/CreateBar.h",
        "src/Eventfulness.h",
        "src/GameOver.h",
        "src/Glob.h",
        "src/mashtextgen.h",
        "src/MashWindow.h",
        "src/Message.h",
        "src/Note.h",
        "src/NotificationBar.h",
        "src/Object.h",
        "src/Player.h",
        "src/Render.h",
        "src/RogueButton.h",
        "src/RogueWindow.h",
        "src/Stat.h",
        "src/World.h",
        "src/WorldWindow.h",
        "src/BarButton.cpp",
        "src/CreateBar.cpp",
        "src/Eventfulness.cpp",
        "src/GameOver.cpp",
        "src/Glob.cpp",
        "src/main.cpp",
        "src/mashtextgen.cpp",
        "src/MashWindow.cpp",
        "src/Message.cpp",
        "src/Note.cpp",
        "src/NotificationBar.cpp",
        "src/Object.cpp",
        "src/Player.cpp",
        "src/Render.cpp",
        "src/RogueButton.cpp",
        "src/RogueWindow.cpp",
        "src/Stat.cpp",
        "src/World.cpp",
        "src/WorldWindow.cpp",
    };
    LoadMoreData();
    picker = 0;
}

void MashTextGen::LoadMoreData()
{
    const std::string& path = files[rand() % files.size()];
    // A file that is missing, damaged or not a regular file (a directory, a
    // FIFO that would wait for a writer) adds nothing.
    std::string text;
    if (!ReadDataFile(path, MAX_SOURCE_BYTES, text))
        return;
    // The text as reading it line by line gives it, each line with its
    // break: one break more than the file holds, as the read that meets the
    // end of the file adds its last (empty or unfinished) line too.
    alldata += text;
    alldata += "\n";
}

std::string MashTextGen::Get(int amount)
{
    // With one readable file left, missing it this many times in a row is
    // far less likely than one in a billion; with none, give up.
    const int giveUpAfter = 20 * static_cast<int>(files.size());
    int fruitlessLoads = 0;
    std::string result;
    while (amount > 0)
    {
        if (picker >= static_cast<int>(alldata.size()))
        {
            if (fruitlessLoads == giveUpAfter)
                break;
            const size_t before = alldata.size();
            LoadMoreData();
            fruitlessLoads = alldata.size() == before ? fruitlessLoads + 1 : 0;
            continue;
        }
        result += alldata[picker];
        ++picker;
        --amount;
    }
    return result;
}
