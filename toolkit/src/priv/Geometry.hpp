#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <memory>
#include <vector>

namespace sfg {
namespace priv {

struct WindowBatches;

// The cached look of one widget, relative to its own top-left corner, in
// three layers drawn in this order: untextured quads, one picture, glyphs of
// one font atlas. Triangles, six vertices per quad.
struct Geometry {
	std::vector<sf::Vertex> quads;
	std::vector<sf::Vertex> image;
	const sf::Texture* image_texture = nullptr;
	std::vector<sf::Vertex> glyphs;
	const sf::Texture* glyph_texture = nullptr;

	// Only on a top-level widget: its whole tree merged into draw batches.
	std::unique_ptr<WindowBatches> batches;

	Geometry();
	~Geometry();

	void Clear();

	void AddRect(const sf::FloatRect& rect, const sf::Color& color);
	// A `width`-pixel frame inside `rect`: `light` on the top and left edges,
	// `dark` on the bottom and right ones.
	void AddBevel(const sf::FloatRect& rect, float width, const sf::Color& light, const sf::Color& dark);
};

// Appends one textured or plain quad as two triangles.
void AppendQuad(std::vector<sf::Vertex>& out, const sf::FloatRect& rect, const sf::Color& color,
				const sf::FloatRect& texture_rect = sf::FloatRect());

// `color` lightened (positive `shift`) or darkened (negative) per channel.
sf::Color ShiftColor(const sf::Color& color, int shift);

}
}
