#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>

namespace datagen
{

// The picture covers every candidate position (0..489 x 0..239) with room to
// spare on the right and at the bottom for the labels drawn at the positions.
const unsigned WORLDMAP_WIDTH = 528;
const unsigned WORLDMAP_HEIGHT = 264;

// How land and water can be told apart in the picture: every land pixel is
// greener than it is blue, every water pixel (deep sea, shallows, surf, grid
// lines) is bluer than it is green, each by at least LANDCOLOUR_MARGIN. The
// map's test reads worldmap.png back with this rule.
const int LANDCOLOUR_MARGIN = 6;
inline bool IsLandColour(sf::Color c)
{
    return c.g > c.b;
}

// Draws the world map: a pixel (x, y) is land exactly when an object may
// stand at (x, y) (Object::TryPosition), surrounded by shallows and sea.
sf::Image BuildWorldMap();

} // namespace datagen
