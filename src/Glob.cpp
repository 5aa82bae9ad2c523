#include "Glob.h"

#include "Eventfulness.h"
#include "World.h"

Glob* glob = nullptr;

Glob::Glob() : event(new Eventfulness()), world(new World()), resolution(0, 0)
{
}
