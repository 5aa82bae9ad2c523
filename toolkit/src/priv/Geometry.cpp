#include "priv/Geometry.hpp"

#include "priv/Batcher.hpp"
#include "priv/SfmlCompat.hpp"

#include <algorithm>
#include <cstdint>

namespace sfg {
namespace priv {

Geometry::Geometry() = default;
Geometry::~Geometry() = default;

void Geometry::Clear() {
	quads.clear();
	image.clear();
	image_texture = nullptr;
	glyphs.clear();
	glyph_texture = nullptr;
}

void AppendQuad(std::vector<sf::Vertex>& out, const sf::FloatRect& rect, const sf::Color& color,
				const sf::FloatRect& texture_rect) {
	const sf::Vector2f start = Corner(rect);
	const sf::Vector2f end = start + Size(rect);
	const sf::Vector2f texture_start = Corner(texture_rect);
	const sf::Vector2f texture_end = texture_start + Size(texture_rect);
	const sf::Vertex top_left{start, color, texture_start};
	const sf::Vertex top_right{{end.x, start.y}, color, {texture_end.x, texture_start.y}};
	const sf::Vertex bottom_left{{start.x, end.y}, color, {texture_start.x, texture_end.y}};
	const sf::Vertex bottom_right{end, color, texture_end};
	out.push_back(top_left);
	out.push_back(top_right);
	out.push_back(bottom_left);
	out.push_back(bottom_left);
	out.push_back(top_right);
	out.push_back(bottom_right);
}

void Geometry::AddRect(const sf::FloatRect& rect, const sf::Color& color) {
	if(Size(rect).x <= 0.f || Size(rect).y <= 0.f || color.a == 0) {
		return;
	}
	AppendQuad(quads, rect, color);
}

void Geometry::AddBevel(const sf::FloatRect& rect, float width, const sf::Color& light, const sf::Color& dark) {
	if(width <= 0.f) {
		return;
	}
	const sf::Vector2f corner = Corner(rect);
	const sf::Vector2f size = Size(rect);
	width = std::min(width, std::min(size.x, size.y) / 2.f);
	AddRect(sf::FloatRect(corner, {size.x, width}), light);
	AddRect(sf::FloatRect({corner.x, corner.y + width}, {width, size.y - width}), light);
	AddRect(sf::FloatRect({corner.x + width, corner.y + size.y - width}, {size.x - width, width}), dark);
	AddRect(sf::FloatRect({corner.x + size.x - width, corner.y + width}, {width, size.y - 2.f * width}), dark);
}

sf::Color ShiftColor(const sf::Color& color, int shift) {
	auto channel = [shift](std::uint8_t value) {
		return static_cast<std::uint8_t>(std::max(0, std::min(255, static_cast<int>(value) + shift)));
	};
	return sf::Color(channel(color.r), channel(color.g), channel(color.b), color.a);
}

}
}
