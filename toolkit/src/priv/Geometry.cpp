#include "priv/Geometry.hpp"

#include "priv/Batcher.hpp"

#include <algorithm>

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
	const float left = rect.left;
	const float top = rect.top;
	const float right = rect.left + rect.width;
	const float bottom = rect.top + rect.height;
	const float u0 = texture_rect.left;
	const float v0 = texture_rect.top;
	const float u1 = texture_rect.left + texture_rect.width;
	const float v1 = texture_rect.top + texture_rect.height;
	const sf::Vertex top_left(sf::Vector2f(left, top), color, sf::Vector2f(u0, v0));
	const sf::Vertex top_right(sf::Vector2f(right, top), color, sf::Vector2f(u1, v0));
	const sf::Vertex bottom_left(sf::Vector2f(left, bottom), color, sf::Vector2f(u0, v1));
	const sf::Vertex bottom_right(sf::Vector2f(right, bottom), color, sf::Vector2f(u1, v1));
	out.push_back(top_left);
	out.push_back(top_right);
	out.push_back(bottom_left);
	out.push_back(bottom_left);
	out.push_back(top_right);
	out.push_back(bottom_right);
}

void Geometry::AddRect(const sf::FloatRect& rect, const sf::Color& color) {
	if(rect.width <= 0.f || rect.height <= 0.f || color.a == 0) {
		return;
	}
	AppendQuad(quads, rect, color);
}

void Geometry::AddBevel(const sf::FloatRect& rect, float width, const sf::Color& light, const sf::Color& dark) {
	if(width <= 0.f) {
		return;
	}
	width = std::min(width, std::min(rect.width, rect.height) / 2.f);
	AddRect(sf::FloatRect(rect.left, rect.top, rect.width, width), light);
	AddRect(sf::FloatRect(rect.left, rect.top + width, width, rect.height - width), light);
	AddRect(sf::FloatRect(rect.left + width, rect.top + rect.height - width, rect.width - width, width), dark);
	AddRect(sf::FloatRect(rect.left + rect.width - width, rect.top + width, width, rect.height - 2.f * width), dark);
}

sf::Color ShiftColor(const sf::Color& color, int shift) {
	auto channel = [shift](sf::Uint8 value) {
		return static_cast<sf::Uint8>(std::max(0, std::min(255, static_cast<int>(value) + shift)));
	};
	return sf::Color(channel(color.r), channel(color.g), channel(color.b), color.a);
}

}
}
