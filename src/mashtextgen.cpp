#include "mashtextgen.h"

#include "Glob.h"

#include <cstdlib>
#include <fstream>

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
    // Not a regular file (a directory, a FIFO that would wait for a writer):
    // as good as missing.
    if (!IsDataFile(path))
        return;
    std::ifstream file(path);
    if (!file.is_open())
        return;
    // The state is tested before each read, so the read that meets the end
    // of the file still adds its (empty) line.
    std::string line;
    while (file.good())
    {
        std::getline(file, line);
        alldata += line;
        alldata += "\n";
    }
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
