#include "Message.h"

Message::Message(MessageType type) : m_MessageType(type)
{
}
