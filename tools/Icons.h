#pragma once

#include <SFML/Graphics/Image.hpp>

#include <vector>

namespace datagen
{

// The sizes of the desktop icons the package installs, in pixels.
const std::vector<unsigned>& IconSizes();

// The desktop icon of `size` x `size` pixels: the emblem of the game's logo
// (the compass with its gilded V, without the word mark) on a round dark
// chart, transparent outside the circle.
sf::Image BuildIcon(unsigned size);

} // namespace datagen
