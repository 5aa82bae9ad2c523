#pragma once

#include <SFML/System/Err.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <ostream>
#include <string>

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

// Whether the game may read the data file at `path`: a regular file or a
// link to one. Anything else counts as missing: SFML probes a directory
// for ever, and opening a FIFO or reading a device may never end.
bool IsDataFile(const std::string& path);

// Reads the whole data file at `path` into `text`. False, with `text`
// untouched, when it is not a data file, cannot be read, or holds more than
// `maxBytes`: a file far bigger than the game's own counts as damaged, and
// is never read into memory.
bool ReadDataFile(const std::string& path, std::uintmax_t maxBytes, std::string& text);

// Loads an optional data file with `load(path)` while SFML's error stream is
// silent, so that a damaged file is skipped without a word like a missing
// one; the stream speaks again afterwards. False, without calling `load`,
// when `path` is not a data file.
template <typename Load>
bool LoadDataFile(const std::string& path, Load load)
{
    if (!IsDataFile(path))
        return false;
    std::streambuf* errors = sf::err().rdbuf(nullptr);
    const bool loaded = load(path);
    sf::err().rdbuf(errors);
    return loaded;
}
