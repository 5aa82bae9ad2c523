#pragma once

#include <SFGUI/Context.hpp>
#include <SFGUI/Widget.hpp>

#include <SFML/Graphics/Color.hpp>
#include <SFML/Window/Event.hpp>

#include <string>
#include <type_traits>
#include <vector>

namespace sfg {

// The stack of top-level windows, bottom to top.
//
// Mouse events go to the top visible window always (so drags continue
// outside it) and to lower windows only while the cursor is inside them; the
// first window containing the cursor ends the walk. A press inside a lower
// window raises it before it gets the press. Key and text events go to the
// focused widget only. Signal handlers may add, remove or raise windows and
// remove widgets; everything touched stays alive until the event is done.
class Desktop {
public:
	Desktop();
	~Desktop();
	Desktop(const Desktop&) = delete;
	Desktop& operator=(const Desktop&) = delete;

	// Advances every window by `seconds`.
	void Update(float seconds);

	// Routes one event (mouse coordinates in window pixels).
	void HandleEvent(const sf::Event& event);

	// Puts a widget on top; a widget already on the desktop is ignored.
	void Add(SharedPtr<Widget> widget);
	// Takes a widget off the desktop; others are ignored.
	void Remove(SharedPtr<Widget> widget);
	void RemoveAll();
	// Raises a widget that is on the desktop; others are ignored.
	void BringToFront(SharedPtr<const Widget> widget);
	// The widgets, bottom to top.
	const std::vector<Widget::Ptr>& GetWidgets() const;

	// Loads a theme file on top of the current rules (see Engine).
	bool LoadThemeFromFile(const std::string& filename);

	// Adds a theme rule; `value` is a string, an sf::Color or a number.
	bool SetProperty(const std::string& selector, const std::string& property, const std::string& value);
	bool SetProperty(const std::string& selector, const std::string& property, const char* value);
	bool SetProperty(const std::string& selector, const std::string& property, const sf::Color& value);
	template <typename T>
	bool SetProperty(const std::string& selector, const std::string& property, const T& value) {
		static_assert(std::is_arithmetic<T>::value, "theme property values are strings, colours or numbers");
		// Written from the widest type of its kind, which holds it exactly.
		typedef std::conditional_t<std::is_signed<T>::value, long long, unsigned long long> WideInteger;
		typedef std::conditional_t<std::is_floating_point<T>::value, long double, WideInteger> Wide;
		return SetProperty(selector, property, NumberText(static_cast<Wide>(value)));
	}

private:
	// A number as theme text, the way an output stream writes it.
	static std::string NumberText(long double value);
	static std::string NumberText(long long value);
	static std::string NumberText(unsigned long long value);

	std::vector<Widget::Ptr> m_children;
};

}
