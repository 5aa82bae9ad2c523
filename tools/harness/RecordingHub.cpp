#include "RecordingHub.h"

#include "Eventfulness.h"

HubRecord hubRecord;

void Eventfulness::NewMessage(std::string smessage, std::string lmessage)
{
    hubRecord.messages.push_back({smessage, lmessage});
}

void Eventfulness::ItsGameOver(bool win)
{
    hubRecord.gameOvers.push_back(win);
}
