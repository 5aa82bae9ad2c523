#ifndef VONDRELLEX_TOOLS_LOGOS_H
#define VONDRELLEX_TOOLS_LOGOS_H

#include <SFML/Graphics/Image.hpp>

namespace datagen
{

// Both splash pictures are this size; the game centres them on the screen.
const unsigned LOGO_SIZE = 256;

// "logo1.png": the studio's mark, a flame in a hexagon over a word mark.
sf::Image BuildStudioLogo();
// "logo.png": the game's emblem, a gilded V over a compass and a sea chart.
sf::Image BuildGameLogo();

} // namespace datagen

#endif
