#pragma once

#include <SFGUI/SharedPtr.hpp>
#include <SFGUI/Signal.hpp>

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sfg {

class Container;
class Desktop;

namespace priv {
struct Geometry;
struct MouseInput;
struct Style;
class Batcher;
class Dispatch;
class Theme;
}

// Base of every widget. Widgets are created through the static Create() of
// their class and are always owned by shared pointers.
//
// Geometry is kept lazily: a change (text, visibility, children, requested
// size) only marks the widget and its ancestors dirty; requisitions and
// allocations are recomputed once, when they are asked for or drawn.
// All sizes and positions are in pixels.
class Widget : public std::enable_shared_from_this<Widget> {
public:
	typedef SharedPtr<Widget> Ptr;
	typedef SharedPtr<const Widget> PtrConst;

	// Visual state, selectable in the theme as :Normal, :Active, ...
	enum class State : char { NORMAL = 0, ACTIVE, PRELIGHT, SELECTED, INSENSITIVE };

	Widget(const Widget&) = delete;
	Widget& operator=(const Widget&) = delete;
	virtual ~Widget();

	// The type name used by theme selectors, e.g. "Button".
	virtual const std::string& GetName() const = 0;

	// Shows or hides the widget (default: shown). Hidden widgets take no
	// space in their container, are not drawn and get no events.
	void Show(bool show = true);
	// Whether Show(false) was called on this widget itself.
	bool IsLocallyVisible() const;
	// Whether this widget and every ancestor are shown.
	bool IsGloballyVisible() const;

	// Theme class and id (default: empty), matched by `.class` and `#id`.
	void SetClass(const std::string& cls);
	const std::string& GetClass() const;
	void SetId(const std::string& id);
	const std::string& GetId() const;

	// Requested minimum size per axis; a value <= 0 means no minimum.
	void SetRequisition(const sf::Vector2f& requisition);
	// Per axis the larger of the computed size and the requested one;
	// always current (recomputed on demand after a change).
	const sf::Vector2f& GetRequisition() const;

	// Position (relative to the parent) and size in whole pixels, laid out
	// on demand so it is current whenever it is asked for.
	const sf::FloatRect& GetAllocation() const;
	// Sets position and size; containers normally do this for their children.
	void SetAllocation(const sf::FloatRect& rect);
	// Moves the widget (rounded to whole pixels); meant for top-level windows.
	void SetPosition(const sf::Vector2f& position);
	// Position on screen (window pixels): the sum of the parents' offsets.
	sf::Vector2f GetAbsolutePosition() const;

	// Makes this widget receive key and text events.
	void GrabFocus();
	bool HasFocus() const;

	void SetState(State state);
	State GetState() const;

	// The container holding this widget, or null.
	SharedPtr<Container> GetParent();
	SharedPtr<const Container> GetParent() const;

	// The signal of the given kind; created on first use, lives as long as the widget.
	Signal& GetSignal(Signal::SignalID id);

	// Feeds one event to this widget and its children. Mouse coordinates are
	// window pixels. Signals raised by the event run after routing, with
	// every affected widget kept alive until they have all returned.
	void HandleEvent(const sf::Event& event);

	// Advances time-dependent behaviour by `seconds`.
	virtual void Update(float seconds);

	// Marks the requisition (and so the layout) of this widget dirty.
	void RequestResize() const;
	// Marks this widget's drawn look dirty (layout unchanged).
	void Invalidate() const;

	// Signal kinds, for GetSignal.
	static Signal::SignalID OnStateChange;  // SetState changed the state
	static Signal::SignalID OnGainFocus;    // GrabFocus made it focused
	static Signal::SignalID OnLostFocus;    // another widget grabbed the focus
	static Signal::SignalID OnSizeAllocate; // its size changed in a layout
	static Signal::SignalID OnMouseEnter;   // the pointer came over it (move, press or release)
	static Signal::SignalID OnMouseLeave;   // the pointer left it (or it was covered or removed)
	static Signal::SignalID OnMouseMove;    // the pointer moved inside it
	static Signal::SignalID OnMouseLeftPress;
	static Signal::SignalID OnMouseRightPress;
	static Signal::SignalID OnMouseLeftRelease;
	static Signal::SignalID OnMouseRightRelease;
	// A press and the following release of that button both inside the
	// widget; also raised on the containers around it, unless a Button
	// inside took the click.
	static Signal::SignalID OnLeftClick;
	static Signal::SignalID OnRightClick;
	// Key and text events, to the focused widget only.
	static Signal::SignalID OnKeyPress;
	static Signal::SignalID OnKeyRelease;
	static Signal::SignalID OnText;

protected:
	Widget();

	// The widget's own size need, before the requested minimum is applied.
	virtual sf::Vector2f CalculateRequisition() const = 0;
	// Lays out children inside the current allocation (containers).
	virtual void AllocateChildren() const;
	// Called after the allocation changed.
	virtual void HandleSizeChange(const sf::Vector2f& old_size) const;
	// Appends the widget's look, in coordinates relative to its own top-left.
	virtual void BuildGeometry(priv::Geometry& geometry) const;
	// Called when the state changed.
	virtual void HandleStateChange(State old_state);

	// Event hooks, called for every routed mouse event whether or not it is
	// inside (IsMouseInWidget() tells); coordinates in window pixels.
	virtual void HandleMouseMoveEvent(int x, int y);
	virtual void HandleMouseButtonEvent(sf::Mouse::Button button, bool press, int x, int y);
	virtual void HandleMouseEnter(int x, int y);
	virtual void HandleMouseLeave(int x, int y);
	virtual void HandleKeyEvent(const sf::Event& event);
	// Whether a click on this widget stops its containers' clicks.
	virtual bool TakesClickAlone() const;

	// Offset applied to the children's positions (viewport scrolling).
	virtual sf::Vector2f GetChildOffset() const;
	// Whether this widget clips its children to its allocation.
	virtual bool ClipsChildren() const;
	// Size of a widget without parent, given its requisition (default: the requisition).
	virtual sf::Vector2f GetRootSize(const sf::Vector2f& requisition) const;

	// The allocation as last laid out, without laying out first (for use
	// while laying out).
	const sf::FloatRect& CurrentAllocation() const {
		return m_allocation;
	}
	// The minimum given to SetRequisition (components <= 0: none).
	const sf::Vector2f& GetRequestedSize() const {
		return m_requested_size;
	}

	// The resolved theme for this widget in its current state.
	const priv::Style& GetLook() const;
	// Whether the pointer is over the widget (as of the last mouse event).
	bool IsMouseInWidget() const;
	// Whether the given mouse button was pressed inside and not yet released.
	bool IsMouseButtonDown(sf::Mouse::Button button) const;

	// Queues a signal emission (or runs it when no event is being routed).
	void Emit(Signal::SignalID id) const;

	// Ensures the top-level ancestor's layout is current.
	void EnsureLayout() const;
	// Drops cached style (this widget and its descendants).
	void InvalidateStyle();

private:
	friend class Container;
	friend class Desktop;
	friend class SFGUI;
	friend class priv::Batcher;
	friend class priv::Dispatch;
	friend class priv::Theme;

	// Routes a mouse event through the subtree. `origin` is the parent's
	// absolute child origin, `clip` the visible area (by default nothing is
	// clipped). Returns whether a widget in the subtree took a click alone.
	bool RouteEvent(const priv::MouseInput& input, sf::Vector2f origin, const sf::FloatRect& clip = NoClip);
	bool ProcessOwnEvent(const priv::MouseInput& input, bool inside, bool click_taken);
	// Clears hover of a subtree the pointer is no longer over.
	void RouteLeave();
	void MarkRequisitionDirty() const;
	void MarkRenderDirty() const;
	// Tells the desktop this is a window of that its area, visibility or
	// look may have changed.
	void TellDesktop() const;
	void LayoutRoot() const;
	// SetAllocation's work, also done by the lazy layout of a const getter.
	void Allocate(const sf::FloatRect& rect) const;
	void ResetInteraction();
	const Widget* GetRoot() const;
	// Frees the drawn look of a whole tree (made again when next drawn).
	void DropGeometry() const;
	// Rebuilds the theme-dependent state of a whole tree after a theme change.
	void RefreshThemeRecursive() const;
	void RouteKeyEvent(const sf::Event& event);
	void UpdateHover(bool inside, int x, int y);
	// The children (entries may be null), or null for a leaf.
	virtual const std::vector<Ptr>* GetChildList() const;

	// A clip rectangle larger than any screen: routing from the top of a
	// tree starts with nothing clipped.
	static const sf::FloatRect NoClip;

	Container* m_parent = nullptr;
	// The desktop this widget is a window of (see TellDesktop).
	Desktop* m_desktop = nullptr;
	// Class and id, one copy of each pair in the process: many widgets
	// share a few names.
	const std::pair<std::string, std::string>* m_names;
	sf::Vector2f m_requested_size;
	// Requisition and allocation are rebuilt lazily, from const getters too.
	mutable sf::Vector2f m_requisition;
	mutable sf::FloatRect m_allocation;
	// Made when first drawn; dropped while the widget is not drawn.
	mutable std::unique_ptr<priv::Geometry> m_geometry;
	// Shared with the widgets that have the same look (see priv::Theme).
	mutable std::shared_ptr<const priv::Style> m_style;
	// Made on first use: most widgets never have a handler.
	std::unique_ptr<std::map<Signal::SignalID, Signal>> m_signals;
	std::uint32_t m_child_index = 0;
	std::uint32_t m_desktop_slot = 0; // its place in m_desktop's stack
	// The lazy state. A change only sets flags; the work is done once, by
	// whoever next needs its result. Each flag is one bit, as there are many
	// widgets; the constructor starts every dirty flag set.
	//
	//   flag / counter       set by                                 cleared by       causes
	//   requisition_dirty    MarkRequisitionDirty, on the widget    GetRequisition,  CalculateRequisition on the next
	//                        and each ancestor (a resize, a child   LayoutRoot       GetRequisition; at the root, a
	//                        added or removed, shown or hidden, a                    layout pass
	//                        new style); RefreshThemeRecursive
	//   layout_dirty         MarkRequisitionDirty, Show, Allocate   Allocate,        AllocateChildren on the next
	//                        to a new size, RefreshThemeRecursive   LayoutRoot       Allocate, even to the same rect;
	//                                                                                at the root, a layout pass
	//   geometry_dirty       Invalidate, InvalidateStyle, Allocate  Batcher::Collect BuildGeometry when next drawn
	//                        to a new size, DropGeometry,
	//                        RefreshThemeRecursive
	//   render_dirty         MarkRenderDirty, MarkRequisitionDirty, Batcher::Prepare the root's batches collected again
	//   (on the root)        a root's Allocate to a new size,                        from every widget's geometry
	//                        DropGeometry, RefreshThemeRecursive
	//   style_dirty          SetState, InvalidateStyle,             GetLook          the theme asked for the look again
	//                        RefreshThemeRecursive
	//   in_layout (guard)    LayoutRoot, while its passes run       LayoutRoot       a LayoutRoot reached from a getter
	//                                                                                during layout returns at once
	//   theme_seen_by_style  GetLook: the theme generation it       (a count)        another generation: the theme
	//                        last resolved the look under                            asked for the look again
	//   theme_seen_by_layout RefreshThemeRecursive: the generation  (a count)        another generation at the root:
	//                        it last refreshed the tree for                          the whole tree refreshed (every
	//                                                                                flag above set) before layout
	mutable unsigned int m_theme_seen_by_style = 0;
	mutable unsigned int m_theme_seen_by_layout = 0;
	State m_state = State::NORMAL;
	bool m_visible : 1;
	mutable bool m_requisition_dirty : 1;
	mutable bool m_layout_dirty : 1;
	mutable bool m_geometry_dirty : 1;
	mutable bool m_render_dirty : 1;
	mutable bool m_style_dirty : 1;
	mutable bool m_in_layout : 1;
	bool m_mouse_in : 1;
	bool m_left_down : 1;
	bool m_right_down : 1;
};

}
