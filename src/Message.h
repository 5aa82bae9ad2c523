#pragma once

// Kinds of message the game can tell the player about. Messages travel as a
// pair of texts through the event hub; this record names their kinds.
enum MessageType
{
    HOMEDEAD,
    PINGTIMEOUT,
    ENEMYFOUND,
    ENEMYDEAD,
    NEWDATA
};

class Message
{
public:
    explicit Message(MessageType type);

    MessageType m_MessageType;
};
