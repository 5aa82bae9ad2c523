#pragma once

#include <string>
#include <vector>

// What the world told the event hub, in order. Tests and tools link this in
// place of the real hub, which needs the windows.
struct HubRecord
{
    struct Message
    {
        std::string shortText;
        std::string longText;
    };
    std::vector<Message> messages;
    // One entry per ItsGameOver call: true for a win.
    std::vector<bool> gameOvers;

    void Clear()
    {
        messages.clear();
        gameOvers.clear();
    }
};

extern HubRecord hubRecord;
