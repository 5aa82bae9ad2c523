#pragma once

#include <SFGUI/Bin.hpp>

#include <SFML/System/String.hpp>

namespace sfg {

// A top-level window with one child. Its requisition is the child's plus
// border width and gap on each side, plus the title bar's height when it has
// one. Its size is the larger of its current size and its requisition: it
// grows with its content and never shrinks by itself.
class Window : public Bin {
public:
	typedef SharedPtr<Window> Ptr;
	typedef SharedPtr<const Window> PtrConst;

	// Style bits; both Window::Style::TITLEBAR and Window::TITLEBAR work.
	enum Style : char {
		NO_STYLE = 0,        // nothing drawn, no title space, no dragging
		TITLEBAR = 1 << 0,   // title bar; a left press in it drags the window
		BACKGROUND = 1 << 1, // background and border
		RESIZE = 1 << 2,     // bottom-right resize handle
		SHADOW = 1 << 3,     // drop shadow
		CLOSE = 1 << 4,      // close button in the title bar
		TOPLEVEL = TITLEBAR | BACKGROUND | RESIZE
	};

	// style: any combination of Style bits (a plain number such as 3 works).
	static Ptr Create(char style = Style::TOPLEVEL);

	const std::string& GetName() const override;

	// Setting the title it already shows costs a comparison and changes nothing.
	void SetTitle(const sf::String& title);
	const sf::String& GetTitle() const;

	void SetStyle(char style);
	char GetStyle() const;
	bool HasStyle(Style style) const;

	// The area given to the child, relative to the window's top-left.
	sf::FloatRect GetClientRect() const;

	// Emitted when the close button is clicked (style CLOSE).
	static Signal::SignalID OnCloseButton;

protected:
	explicit Window(char style);
	sf::Vector2f CalculateRequisition() const override;
	void AllocateChildren() const override;
	void BuildGeometry(priv::Geometry& geometry) const override;
	void HandleMouseMoveEvent(int x, int y) override;
	void HandleMouseButtonEvent(sf::Mouse::Button button, bool press, int x, int y) override;
	sf::Vector2f GetRootSize(const sf::Vector2f& requisition) const override;

private:
	float GetTitleBarHeight() const;
	sf::FloatRect GetCloseButtonRect() const;
	sf::FloatRect GetResizeHandleRect() const;

	// One copy per distinct title in the process.
	const sf::String* m_title;
	// Where a drag or a resize took hold, relative to the window (a drag)
	// or to its bottom-right corner (a resize).
	sf::Vector2f m_drag_offset;
	char m_style;
	bool m_dragging = false;
	bool m_resizing = false;
	bool m_close_pressed = false;
};

}
