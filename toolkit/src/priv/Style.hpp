#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Font.hpp>

#include <string>

namespace sfg {
namespace priv {

// A widget's resolved theme in its current state. Theme::Resolve sets every
// field; the values a widget has when no theme says otherwise are those of
// the built-in rule in Theme.cpp, and nowhere else. What each field does,
// where it is drawn and its unit: Theme::Property.
struct Style {
	sf::Color color;
	sf::Color background_color;
	sf::Color border_color;
	sf::Color title_background_color;
	float border_color_shift = 0.f;
	float border_width = 0.f;
	float padding = 0.f;
	float spacing = 0.f;
	float gap = 0.f;
	float font_size = 0.f;
	float title_padding = 0.f;
	std::string font_name;

	// Derived from font_name and font_size.
	const sf::Font* font = nullptr;
	unsigned int character_size = 0;
	float line_height = 0.f;
};

}
}
