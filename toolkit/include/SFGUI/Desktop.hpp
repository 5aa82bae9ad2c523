#pragma once

#include <SFGUI/Context.hpp>
#include <SFGUI/Widget.hpp>

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Window/Event.hpp>

#include <cstddef>
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
//
// A window that is hidden, or wholly behind an opaque window above it
// (BACKGROUND style, background alpha 255), costs nothing: it is not
// updated, laid out, routed to or drawn. Which windows are seen is kept up
// to date from what changed (windows tell their desktop when their area,
// visibility or look may have changed), so a frame costs the windows that
// are seen and those that changed, however many lie covered below.
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

	// How many times the desktop has looked at one of its windows, to stack,
	// update, route or draw it: what its frames cost in windows, for tests
	// and benchmarks.
	std::size_t GetWindowVisits() const;

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
	friend class SFGUI;
	friend class Widget;

	// A window's place in the stack as last worked out.
	struct Slot {
		sf::FloatRect bounds; // its allocation: what it hides when opaque
		bool shadow = false;  // paints 3 pixels right of and below it too
		bool drawn = false;   // shown and not wholly behind an opaque window
		bool opaque = false;
		bool covers = false; // some window below was found wholly behind it
		bool queued = false; // in m_changed
	};

	// Called by a window of this desktop when its area, visibility or look
	// may have changed.
	void WindowChanged(const Widget& window);
	// Brings the list of seen windows up to date.
	void Refresh();
	void RestackAll();
	void Restack(Widget& window);
	void Forget(Widget& window);
	void Leave(std::vector<Widget::Ptr>& windows);
	void Renumber(std::size_t from);
	// What a window paints on screen, its drop shadow included.
	static sf::FloatRect Painted(const Slot& slot);
	// Whether a window paints every pixel of its allocation opaquely, so
	// that nothing wholly behind it needs drawing.
	static bool HidesWhatIsBelow(const Widget& widget);
	// Index of a widget in m_children, or its size.
	std::size_t Find(const Widget* widget) const;
	// The seen windows, bottom to top, held for the caller's walk.
	std::vector<Widget::Ptr> SeenWindows();

	// A number as theme text, the way an output stream writes it.
	static std::string NumberText(long double value);
	static std::string NumberText(long long value);
	static std::string NumberText(unsigned long long value);

	std::vector<Widget::Ptr> m_children;
	std::vector<Slot> m_slots;   // one per child, in the same order
	std::vector<Widget*> m_seen; // the drawn windows, bottom to top
	std::vector<Widget*> m_changed;
	// Windows that got a mouse event and may think the pointer is over them.
	std::vector<WeakPtr<Widget>> m_hovered;
	std::size_t m_visits = 0;
	unsigned int m_theme_generation = 0;
	bool m_restack = true;
	// A window of this desktop is also on another one and tells only that
	// one of its changes: then every refresh restacks all.
	bool m_shared = false;
};

}
