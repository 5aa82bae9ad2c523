#ifndef GLOB_H
#define GLOB_H

#include <SFML/System/Vector2.hpp>

class Eventfulness;
class World;

// The one global record: the event hub, the world and the screen size.
class Glob
{
public:
    // Creates an empty hub (every pointer null) and an empty world; the
    // resolution stays (0, 0) until start-up reads the desktop mode.
    Glob();

    Eventfulness* event;
    World* world;
    sf::Vector2i resolution;
};

// Created at start-up and never freed.
extern Glob* glob;

#endif
