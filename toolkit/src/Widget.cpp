#include <SFGUI/Widget.hpp>

#include <SFGUI/Container.hpp>
#include <SFGUI/Context.hpp>
#include <SFGUI/Desktop.hpp>

#include "priv/Dispatch.hpp"
#include "priv/Geometry.hpp"
#include "priv/SfmlCompat.hpp"
#include "priv/Style.hpp"
#include "priv/Theme.hpp"

#include <cmath>
#include <limits>
#include <set>

namespace sfg {

Signal::SignalID Widget::OnStateChange = Signal::AllocateID();
Signal::SignalID Widget::OnGainFocus = Signal::AllocateID();
Signal::SignalID Widget::OnLostFocus = Signal::AllocateID();
Signal::SignalID Widget::OnSizeAllocate = Signal::AllocateID();
Signal::SignalID Widget::OnMouseEnter = Signal::AllocateID();
Signal::SignalID Widget::OnMouseLeave = Signal::AllocateID();
Signal::SignalID Widget::OnMouseMove = Signal::AllocateID();
Signal::SignalID Widget::OnMouseLeftPress = Signal::AllocateID();
Signal::SignalID Widget::OnMouseRightPress = Signal::AllocateID();
Signal::SignalID Widget::OnMouseLeftRelease = Signal::AllocateID();
Signal::SignalID Widget::OnMouseRightRelease = Signal::AllocateID();
Signal::SignalID Widget::OnLeftClick = Signal::AllocateID();
Signal::SignalID Widget::OnRightClick = Signal::AllocateID();
Signal::SignalID Widget::OnKeyPress = Signal::AllocateID();
Signal::SignalID Widget::OnKeyRelease = Signal::AllocateID();
Signal::SignalID Widget::OnText = Signal::AllocateID();

const sf::FloatRect Widget::NoClip({-1e9f, -1e9f}, {2e9f, 2e9f});

namespace {

sf::FloatRect Intersect(const sf::FloatRect& a, const sf::FloatRect& b) {
	if(const auto overlap = priv::Intersection(a, b)) {
		return *overlap;
	}
	return sf::FloatRect(priv::Corner(a), sf::Vector2f());
}

unsigned int ThemeGeneration() {
	return Context::Get().GetEngine().GetGeneration();
}

// Calls `visit` on each child in `children` (null for a leaf). A visit may
// run signal handlers outside event routing (leaving from Desktop::Remove,
// a state reset through SetState), and a handler may add or remove children:
// so the walk goes by index over the live list and holds the child it visits.
template <typename Visit>
void ForEachChild(const std::vector<Widget::Ptr>* children, Visit visit) {
	if(!children) {
		return;
	}
	for(std::size_t i = 0; i < children->size(); ++i) {
		if(const Widget::Ptr child = (*children)[i]) {
			visit(*child);
		}
	}
}

}

namespace {

// One copy of each class and id pair in use. Never freed, as they are few
// and widgets point into them (see GlyphTable::For in priv/Text.hpp).
const std::pair<std::string, std::string>* Intern(const std::string& cls, const std::string& id) {
	static auto* names = new std::set<std::pair<std::string, std::string>>();
	return &*names->emplace(cls, id).first;
}

}

// ---- Construction ----

Widget::Widget() :
	m_names(Intern(std::string(), std::string())),
	m_visible(true),
	m_requisition_dirty(true),
	m_layout_dirty(true),
	m_geometry_dirty(true),
	m_render_dirty(true),
	m_style_dirty(true),
	m_in_layout(false),
	m_mouse_in(false),
	m_left_down(false),
	m_right_down(false) {
}

Widget::~Widget() = default;

// ---- State: visibility, names, focus, visual state, parent and signals ----

void Widget::Show(bool show) {
	if(show == m_visible) {
		return;
	}
	m_visible = show;
	if(!show) {
		ResetInteraction();
	}
	m_layout_dirty = true;
	if(m_parent) {
		m_parent->MarkRequisitionDirty();
	}
	MarkRenderDirty();
	TellDesktop();
}

bool Widget::IsLocallyVisible() const {
	return m_visible;
}

bool Widget::IsGloballyVisible() const {
	for(const Widget* widget = this; widget; widget = widget->m_parent) {
		if(!widget->m_visible) {
			return false;
		}
	}
	return true;
}

void Widget::SetClass(const std::string& cls) {
	if(cls == m_names->first) {
		return;
	}
	m_names = Intern(cls, m_names->second);
	InvalidateStyle();
}

const std::string& Widget::GetClass() const {
	return m_names->first;
}

void Widget::SetId(const std::string& id) {
	if(id == m_names->second) {
		return;
	}
	m_names = Intern(m_names->first, id);
	InvalidateStyle();
}

const std::string& Widget::GetId() const {
	return m_names->second;
}

void Widget::GrabFocus() {
	Context& context = Context::Get();
	Ptr previous = context.GetFocused();
	if(previous.get() == this) {
		return;
	}
	context.SetFocused(shared_from_this());
	if(previous) {
		previous->Emit(OnLostFocus);
	}
	Emit(OnGainFocus);
}

bool Widget::HasFocus() const {
	return Context::Get().GetFocused().get() == this;
}

void Widget::SetState(State state) {
	if(state == m_state) {
		return;
	}
	const State old_state = m_state;
	GetLook();
	const std::shared_ptr<const priv::Style> before = m_style;
	m_state = state;
	if(GetChildList()) {
		InvalidateStyle();
	}
	else {
		m_style_dirty = true;
		const priv::Style& after = GetLook();
		if(after.font != before->font || after.character_size != before->character_size ||
		   after.padding != before->padding || after.border_width != before->border_width) {
			MarkRequisitionDirty();
		}
	}
	HandleStateChange(old_state);
	Emit(OnStateChange);
}

Widget::State Widget::GetState() const {
	return m_state;
}

void Widget::HandleStateChange(State) {
	Invalidate();
}

SharedPtr<Container> Widget::GetParent() {
	if(!m_parent) {
		return nullptr;
	}
	return std::static_pointer_cast<Container>(m_parent->weak_from_this().lock());
}

SharedPtr<const Container> Widget::GetParent() const {
	if(!m_parent) {
		return nullptr;
	}
	return std::static_pointer_cast<const Container>(m_parent->weak_from_this().lock());
}

const Widget* Widget::GetRoot() const {
	const Widget* widget = this;
	while(widget->m_parent) {
		widget = widget->m_parent;
	}
	return widget;
}

const std::vector<Widget::Ptr>* Widget::GetChildList() const {
	return nullptr;
}

Signal& Widget::GetSignal(Signal::SignalID id) {
	if(!m_signals) {
		m_signals.reset(new std::map<Signal::SignalID, Signal>());
	}
	return (*m_signals)[id];
}

void Widget::Update(float) {
}

// ---- Layout: requisitions and allocations, computed lazily from the root ----

void Widget::SetRequisition(const sf::Vector2f& requisition) {
	m_requested_size = requisition;
	MarkRequisitionDirty();
}

const sf::Vector2f& Widget::GetRequisition() const {
	const Widget* root = GetRoot();
	if(root->m_theme_seen_by_layout != ThemeGeneration()) {
		root->RefreshThemeRecursive();
	}
	if(m_requisition_dirty) {
		m_requisition_dirty = false;
		sf::Vector2f size = CalculateRequisition();
		if(m_requested_size.x > 0.f) {
			size.x = std::max(size.x, m_requested_size.x);
		}
		if(m_requested_size.y > 0.f) {
			size.y = std::max(size.y, m_requested_size.y);
		}
		m_requisition = size;
	}
	return m_requisition;
}

const sf::FloatRect& Widget::GetAllocation() const {
	EnsureLayout();
	return m_allocation;
}

void Widget::SetAllocation(const sf::FloatRect& rect) {
	Allocate(rect);
}

void Widget::Allocate(const sf::FloatRect& rect) const {
	const sf::Vector2f corner = priv::Corner(rect);
	const sf::Vector2f size = priv::Size(rect);
	const sf::FloatRect rounded({std::round(corner.x), std::round(corner.y)},
								{std::max(0.f, std::round(size.x)), std::max(0.f, std::round(size.y))});
	const bool moved = priv::Corner(rounded) != priv::Corner(m_allocation);
	const bool resized = priv::Size(rounded) != priv::Size(m_allocation);
	if(!moved && !resized && !m_layout_dirty) {
		return;
	}
	const sf::Vector2f old_size = priv::Size(m_allocation);
	m_allocation = rounded;
	if(resized) {
		m_geometry_dirty = true;
		m_layout_dirty = true;
		HandleSizeChange(old_size);
	}
	if(moved || resized) {
		TellDesktop();
	}
	if(m_parent && (moved || resized)) {
		// A top-level widget's batches are relative to itself: moving it
		// alone does not need them rebuilt.
		MarkRenderDirty();
	}
	else if(resized) {
		m_render_dirty = true;
	}
	if(m_layout_dirty) {
		m_layout_dirty = false;
		AllocateChildren();
	}
	if(resized) {
		Emit(OnSizeAllocate);
	}
}

void Widget::SetPosition(const sf::Vector2f& position) {
	const sf::Vector2f rounded(std::round(position.x), std::round(position.y));
	if(rounded == priv::Corner(m_allocation)) {
		return;
	}
	m_allocation = sf::FloatRect(rounded, priv::Size(m_allocation));
	if(m_parent) {
		MarkRenderDirty();
	}
	TellDesktop();
}

sf::Vector2f Widget::GetAbsolutePosition() const {
	EnsureLayout();
	sf::Vector2f position = priv::Corner(m_allocation);
	for(const Widget* parent = m_parent; parent; parent = parent->m_parent) {
		position += priv::Corner(parent->m_allocation) + parent->GetChildOffset();
	}
	return position;
}

void Widget::RequestResize() const {
	MarkRequisitionDirty();
}

void Widget::MarkRequisitionDirty() const {
	const Widget* widget = this;
	while(true) {
		widget->m_requisition_dirty = true;
		widget->m_layout_dirty = true;
		widget->TellDesktop();
		if(!widget->m_parent) {
			break;
		}
		widget = widget->m_parent;
	}
	widget->m_render_dirty = true;
}

void Widget::TellDesktop() const {
	if(m_desktop) {
		m_desktop->WindowChanged(*this);
	}
}

void Widget::EnsureLayout() const {
	GetRoot()->LayoutRoot();
}

void Widget::LayoutRoot() const {
	if(m_in_layout) {
		return;
	}
	if(m_theme_seen_by_layout != ThemeGeneration()) {
		RefreshThemeRecursive();
	}
	if(!m_requisition_dirty && !m_layout_dirty) {
		return;
	}
	// Signals raised while laying out (size changes) run after it.
	priv::Dispatch::Scope scope;
	m_in_layout = true;
	// One pass usually settles the tree. A widget whose requisition depends
	// on the width it is given (a wrapping label) asks for a new one once it
	// learns that width, so a second pass follows; no container makes a
	// width depend on a height, so two passes settle such a tree. The other
	// two are slack; a tree still dirty after four would be cycling (a size
	// that flips each pass), so the loop stops there and the tree is drawn
	// as the last pass left it, rather than hang the frame.
	for(int pass = 0; pass < 4 && (m_requisition_dirty || m_layout_dirty); ++pass) {
		const sf::Vector2f size = GetRootSize(GetRequisition());
		Allocate(sf::FloatRect(priv::Corner(m_allocation), size));
	}
	m_requisition_dirty = false;
	m_layout_dirty = false;
	m_in_layout = false;
}

void Widget::AllocateChildren() const {
}

void Widget::HandleSizeChange(const sf::Vector2f&) const {
}

sf::Vector2f Widget::GetRootSize(const sf::Vector2f& requisition) const {
	return requisition;
}

// ---- Style and drawn look: the resolved theme and the cached geometry ----

const priv::Style& Widget::GetLook() const {
	const unsigned int generation = ThemeGeneration();
	if(!m_style || m_style_dirty || m_theme_seen_by_style != generation) {
		m_style = Context::Get().GetEngine().GetTheme().Look(*this);
		m_style_dirty = false;
		m_theme_seen_by_style = generation;
	}
	return *m_style;
}

void Widget::InvalidateStyle() {
	m_style_dirty = true;
	m_geometry_dirty = true;
	ForEachChild(GetChildList(), [](Widget& child) { child.InvalidateStyle(); });
	MarkRequisitionDirty();
}

void Widget::RefreshThemeRecursive() const {
	m_style_dirty = true;
	m_geometry_dirty = true;
	m_requisition_dirty = true;
	m_layout_dirty = true;
	m_render_dirty = true;
	m_theme_seen_by_layout = ThemeGeneration();
	ForEachChild(GetChildList(), [](Widget& child) { child.RefreshThemeRecursive(); });
}

void Widget::Invalidate() const {
	m_geometry_dirty = true;
	MarkRenderDirty();
}

void Widget::MarkRenderDirty() const {
	GetRoot()->m_render_dirty = true;
}

void Widget::DropGeometry() const {
	m_geometry.reset();
	m_geometry_dirty = true;
	m_render_dirty = true;
	ForEachChild(GetChildList(), [](Widget& child) { child.DropGeometry(); });
}

void Widget::BuildGeometry(priv::Geometry&) const {
}

// ---- Routing: mouse and key events through the tree, and the signals they raise ----

void Widget::HandleEvent(const sf::Event& event) {
	priv::Dispatch::Scope scope;
	const Ptr keep_alive = weak_from_this().lock();
	EnsureLayout();
	switch(priv::KindOf(event)) {
		case priv::EventKind::MouseMove:
		case priv::EventKind::MousePress:
		case priv::EventKind::MouseRelease: {
			sf::Vector2f origin;
			if(m_parent) {
				origin = m_parent->GetAbsolutePosition() + m_parent->GetChildOffset();
			}
			RouteEvent(priv::ReadMouse(event), origin);
			break;
		}
		case priv::EventKind::MouseLeft:
			RouteLeave();
			break;
		case priv::EventKind::KeyPress:
		case priv::EventKind::KeyRelease:
		case priv::EventKind::Text:
			RouteKeyEvent(event);
			break;
		default:
			break;
	}
}

bool Widget::RouteEvent(const priv::MouseInput& input, sf::Vector2f origin, const sf::FloatRect& clip) {
	if(!m_visible) {
		return false;
	}
	const sf::Vector2f mouse(input.position);
	const sf::FloatRect rect(origin + priv::Corner(m_allocation), priv::Size(m_allocation));
	const bool inside = rect.contains(mouse) && clip.contains(mouse);
	bool taken = false;
	if(const auto* children = GetChildList()) {
		const sf::Vector2f child_origin = priv::Corner(rect) + GetChildOffset();
		const sf::FloatRect child_clip = ClipsChildren() ? Intersect(clip, rect) : clip;
		ForEachChild(children, [&](Widget& child) {
			if(child.RouteEvent(input, child_origin, child_clip)) {
				taken = true;
			}
		});
	}
	return ProcessOwnEvent(input, inside, taken);
}

bool Widget::ProcessOwnEvent(const priv::MouseInput& input, bool inside, bool click_taken) {
	const priv::EventKind kind = input.kind;
	const int x = input.position.x;
	const int y = input.position.y;
	if(kind == priv::EventKind::MouseMove) {
		UpdateHover(inside, x, y);
		HandleMouseMoveEvent(x, y);
		if(inside) {
			Emit(OnMouseMove);
		}
		return click_taken;
	}
	const sf::Mouse::Button button = input.button;
	// A press or release also tells where the pointer is: no prior move needed.
	UpdateHover(inside, x, y);
	if(kind == priv::EventKind::MousePress) {
		if(inside && button == sf::Mouse::Button::Left) {
			m_left_down = true;
			Emit(OnMouseLeftPress);
		}
		else if(inside && button == sf::Mouse::Button::Right) {
			m_right_down = true;
			Emit(OnMouseRightPress);
		}
		HandleMouseButtonEvent(button, true, x, y);
		return click_taken;
	}
	bool was_down = false;
	if(button == sf::Mouse::Button::Left) {
		was_down = m_left_down;
		m_left_down = false;
		if(inside) {
			Emit(OnMouseLeftRelease);
		}
	}
	else if(button == sf::Mouse::Button::Right) {
		was_down = m_right_down;
		m_right_down = false;
		if(inside) {
			Emit(OnMouseRightRelease);
		}
	}
	HandleMouseButtonEvent(button, false, x, y);
	if(was_down && inside && !click_taken) {
		Emit(button == sf::Mouse::Button::Left ? OnLeftClick : OnRightClick);
		if(TakesClickAlone()) {
			return true;
		}
	}
	return click_taken;
}

void Widget::UpdateHover(bool inside, int x, int y) {
	if(inside == m_mouse_in) {
		return;
	}
	m_mouse_in = inside;
	if(inside) {
		HandleMouseEnter(x, y);
		Emit(OnMouseEnter);
	}
	else {
		HandleMouseLeave(x, y);
		Emit(OnMouseLeave);
	}
}

void Widget::RouteLeave() {
	if(!m_mouse_in) {
		return;
	}
	ForEachChild(GetChildList(), [](Widget& child) { child.RouteLeave(); });
	UpdateHover(false, -1, -1);
}

void Widget::ResetInteraction() {
	m_mouse_in = false;
	m_left_down = false;
	m_right_down = false;
	if(m_state == State::PRELIGHT || m_state == State::ACTIVE) {
		SetState(State::NORMAL);
	}
	ForEachChild(GetChildList(), [](Widget& child) { child.ResetInteraction(); });
}

void Widget::RouteKeyEvent(const sf::Event& event) {
	if(!IsGloballyVisible()) {
		return;
	}
	HandleKeyEvent(event);
	const priv::EventKind kind = priv::KindOf(event);
	if(kind == priv::EventKind::KeyPress) {
		Emit(OnKeyPress);
	}
	else if(kind == priv::EventKind::KeyRelease) {
		Emit(OnKeyRelease);
	}
	else if(kind == priv::EventKind::Text) {
		Emit(OnText);
	}
}

bool Widget::IsMouseInWidget() const {
	return m_mouse_in;
}

bool Widget::IsMouseButtonDown(sf::Mouse::Button button) const {
	if(button == sf::Mouse::Button::Left) {
		return m_left_down;
	}
	if(button == sf::Mouse::Button::Right) {
		return m_right_down;
	}
	return false;
}

void Widget::Emit(Signal::SignalID id) const {
	priv::Dispatch::Emit(*this, id);
}

void Widget::HandleMouseMoveEvent(int, int) {
}

void Widget::HandleMouseButtonEvent(sf::Mouse::Button, bool, int, int) {
}

void Widget::HandleMouseEnter(int, int) {
}

void Widget::HandleMouseLeave(int, int) {
}

void Widget::HandleKeyEvent(const sf::Event&) {
}

bool Widget::TakesClickAlone() const {
	return false;
}

sf::Vector2f Widget::GetChildOffset() const {
	return sf::Vector2f();
}

bool Widget::ClipsChildren() const {
	return false;
}

}
