#pragma once

#include <vector>

class Object;
class World;

// Seeds rand() with `seed`, creates the global record `glob` and builds its
// world as the game's start-up does: Init, then sides 0 (human), 1 and 2,
// each joining with its lair. The draws are the game's own, in its order.
// The hub of `glob` is whatever the program links: the real one, or the
// recording stand-in of RecordingHub.h.
World* NewSeededWorld(unsigned seed);

// Frees the world of `glob` with its objects (and the extra ones given, such
// as objects a test made but never added), rooms, sides and templates, then
// `glob` itself. Rooms shared by several objects are freed once. The game
// never frees any of this; tests do, so that leak checks stay meaningful.
void FreeSeededWorld(const std::vector<Object*>& extra = {});
