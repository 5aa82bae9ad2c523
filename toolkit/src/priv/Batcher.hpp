#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <utility>
#include <vector>

namespace sfg {

class Widget;

namespace priv {

// Vertices merged per texture, in the order the textures were first met.
typedef std::vector<std::pair<const sf::Texture*, std::vector<sf::Vertex>>> TextureBatches;

// One clip region of a window (the window itself, or a viewport inside it):
// its quads, then its pictures, then its glyphs, each merged per texture.
struct Region {
	sf::FloatRect clip; // relative to the window's top-left
	bool clipped = false;
	std::vector<sf::Vertex> quads;
	TextureBatches images;
	TextureBatches glyphs;
};

struct WindowBatches {
	std::vector<Region> regions;
};

// Merges the cached geometry of a top-level widget's tree into draw batches
// and draws them.
class Batcher {
public:
	// Rebuilds the batches of `root` if anything in its tree changed.
	static WindowBatches& Prepare(const Widget& root);
	// Draws the prepared batches; returns the number of draw calls.
	static unsigned int Draw(const Widget& root, sf::RenderTarget& target);

private:
	static void Collect(const Widget& widget, sf::Vector2f offset, WindowBatches& batches, std::size_t region);
};

}
}
