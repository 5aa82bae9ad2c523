#pragma once

#include <SFML/Graphics/Image.hpp>

namespace datagen
{

// Both splash pictures are this size; the game centres them on the screen.
const unsigned LOGO_SIZE = 256;

// "logo1.png": the studio's mark, a flame in a hexagon over a word mark.
sf::Image BuildStudioLogo();
// "logo.png": the game's emblem, a gilded V over a compass and a sea chart.
// `scale` renders the same picture larger (LOGO_SIZE * scale pixels square).
sf::Image BuildGameLogo(float scale = 1.0f);

// Where the emblem (the compass with its V) stands in the game's logo, in
// the logo's pixels: its centre and the half side of a square holding it.
const float EMBLEM_X = 128.0f;
const float EMBLEM_Y = 106.0f;
const float EMBLEM_HALF = 102.0f;

} // namespace datagen
