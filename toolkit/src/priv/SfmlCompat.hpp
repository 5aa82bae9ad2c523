#pragma once

// Everything the toolkit does differently on SFML 2 (2.5, 2.6) and SFML 3.
// The rest of the toolkit is written once, for both lines: rectangles are
// built from two vectors, vertices with braces, keys and buttons with their
// enum's name, fixed-size integers from <cstdint>.

#include <SFML/Config.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Mouse.hpp>

#include <optional>
#include <string>

namespace sfg {
namespace priv {

// A rectangle's top-left corner.
template <typename T>
sf::Vector2<T> Corner(const sf::Rect<T>& rect) {
#if SFML_VERSION_MAJOR >= 3
	return rect.position;
#else
	return sf::Vector2<T>(rect.left, rect.top);
#endif
}

// A rectangle's width and height.
template <typename T>
sf::Vector2<T> Size(const sf::Rect<T>& rect) {
#if SFML_VERSION_MAJOR >= 3
	return rect.size;
#else
	return sf::Vector2<T>(rect.width, rect.height);
#endif
}

// The overlap of two rectangles; none when they only touch or are apart.
template <typename T>
std::optional<sf::Rect<T>> Intersection(const sf::Rect<T>& a, const sf::Rect<T>& b) {
#if SFML_VERSION_MAJOR >= 3
	return a.findIntersection(b);
#else
	sf::Rect<T> overlap;
	if(!a.intersects(b, overlap)) {
		return std::nullopt;
	}
	return overlap;
#endif
}

// The kinds of event the toolkit routes; everything else is Other.
enum class EventKind { Other, MouseMove, MousePress, MouseRelease, MouseLeft, KeyPress, KeyRelease, Text };

inline EventKind KindOf(const sf::Event& event) {
#if SFML_VERSION_MAJOR >= 3
	if(event.is<sf::Event::MouseMoved>()) {
		return EventKind::MouseMove;
	}
	if(event.is<sf::Event::MouseButtonPressed>()) {
		return EventKind::MousePress;
	}
	if(event.is<sf::Event::MouseButtonReleased>()) {
		return EventKind::MouseRelease;
	}
	if(event.is<sf::Event::MouseLeft>()) {
		return EventKind::MouseLeft;
	}
	if(event.is<sf::Event::KeyPressed>()) {
		return EventKind::KeyPress;
	}
	if(event.is<sf::Event::KeyReleased>()) {
		return EventKind::KeyRelease;
	}
	if(event.is<sf::Event::TextEntered>()) {
		return EventKind::Text;
	}
	return EventKind::Other;
#else
	switch(event.type) {
		case sf::Event::MouseMoved:
			return EventKind::MouseMove;
		case sf::Event::MouseButtonPressed:
			return EventKind::MousePress;
		case sf::Event::MouseButtonReleased:
			return EventKind::MouseRelease;
		case sf::Event::MouseLeft:
			return EventKind::MouseLeft;
		case sf::Event::KeyPressed:
			return EventKind::KeyPress;
		case sf::Event::KeyReleased:
			return EventKind::KeyRelease;
		case sf::Event::TextEntered:
			return EventKind::Text;
		default:
			return EventKind::Other;
	}
#endif
}

// A mouse move, press or release as routing needs it: its kind, where the
// pointer is (window pixels) and, for a press or release, the button. The one
// place the toolkit reads these from an event: each event is read once, at
// the desktop or widget it is handed to, and the routing passes this on.
struct MouseInput {
	EventKind kind = EventKind::Other;
	sf::Vector2i position;
	sf::Mouse::Button button = sf::Mouse::Button::Left;
};

inline MouseInput ReadMouse(const sf::Event& event) {
	MouseInput input;
	input.kind = KindOf(event);
#if SFML_VERSION_MAJOR >= 3
	if(const auto* moved = event.getIf<sf::Event::MouseMoved>()) {
		input.position = moved->position;
	}
	else if(const auto* pressed = event.getIf<sf::Event::MouseButtonPressed>()) {
		input.position = pressed->position;
		input.button = pressed->button;
	}
	else if(const auto* released = event.getIf<sf::Event::MouseButtonReleased>()) {
		input.position = released->position;
		input.button = released->button;
	}
#else
	if(input.kind == EventKind::MouseMove) {
		input.position = sf::Vector2i(event.mouseMove.x, event.mouseMove.y);
	}
	else if(input.kind == EventKind::MousePress || input.kind == EventKind::MouseRelease) {
		input.position = sf::Vector2i(event.mouseButton.x, event.mouseButton.y);
		input.button = event.mouseButton.button;
	}
#endif
	return input;
}

inline bool LoadFont(sf::Font& font, const std::string& path) {
#if SFML_VERSION_MAJOR >= 3
	return font.openFromFile(path);
#else
	return font.loadFromFile(path);
#endif
}

}
}
