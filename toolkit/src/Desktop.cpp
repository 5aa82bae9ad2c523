#include <SFGUI/Desktop.hpp>

#include <SFGUI/Window.hpp>

#include "priv/Dispatch.hpp"
#include "priv/SfmlCompat.hpp"
#include "priv/Style.hpp"

#include <algorithm>
#include <sstream>

namespace sfg {

namespace {

bool HasShadow(const Widget& widget) {
	const auto* window = dynamic_cast<const Window*>(&widget);
	return window && window->HasStyle(Window::SHADOW);
}

bool Encloses(const sf::FloatRect& outer, const sf::FloatRect& inner) {
	const sf::Vector2f inner_start = priv::Corner(inner);
	const sf::Vector2f inner_end = inner_start + priv::Size(inner);
	const sf::Vector2f outer_start = priv::Corner(outer);
	const sf::Vector2f outer_end = outer_start + priv::Size(outer);
	return inner_start.x >= outer_start.x && inner_start.y >= outer_start.y && inner_end.x <= outer_end.x &&
		   inner_end.y <= outer_end.y;
}

unsigned int ThemeGeneration() {
	return Context::Get().GetEngine().GetGeneration();
}

}

sf::FloatRect Desktop::Painted(const Slot& slot) {
	const sf::Vector2f shadow = slot.shadow ? sf::Vector2f(3.f, 3.f) : sf::Vector2f();
	return sf::FloatRect(priv::Corner(slot.bounds), priv::Size(slot.bounds) + shadow);
}

bool Desktop::HidesWhatIsBelow(const Widget& widget) {
	const auto* window = dynamic_cast<const Window*>(&widget);
	return window && window->HasStyle(Window::BACKGROUND) && widget.GetLook().background_color.a == 255;
}

Desktop::Desktop() {
	Context::Get().RegisterDesktop(this);
}

Desktop::~Desktop() {
	for(const auto& widget : m_children) {
		if(widget->m_desktop == this) {
			widget->m_desktop = nullptr;
		}
	}
	Context::Get().UnregisterDesktop(this);
}

void Desktop::Update(float seconds) {
	for(const auto& widget : SeenWindows()) {
		widget->Update(seconds);
	}
}

void Desktop::HandleEvent(const sf::Event& event) {
	priv::Dispatch::Scope scope;
	const priv::EventKind kind = priv::KindOf(event);
	switch(kind) {
		case priv::EventKind::MouseMove:
		case priv::EventKind::MousePress:
		case priv::EventKind::MouseRelease: {
			const bool moved = kind == priv::EventKind::MouseMove;
			const priv::MouseInput input = priv::ReadMouse(event);
			const sf::Vector2f mouse(input.position);
			// Only seen windows can be the top one or the first under the
			// cursor: a covered window lies inside one above it. The snapshot
			// keeps them alive and the walk stable while windows are raised.
			const std::vector<Widget::Ptr> widgets = SeenWindows();
			std::vector<Widget::Ptr> routed;
			bool top = true;
			std::size_t index = widgets.size();
			while(index-- > 0) {
				const Widget::Ptr& widget = widgets[index];
				if(!widget->IsLocallyVisible()) {
					continue;
				}
				++m_visits;
				widget->EnsureLayout();
				const bool inside = widget->m_allocation.contains(mouse);
				if(top || inside) {
					if(!top && inside && kind == priv::EventKind::MousePress) {
						BringToFront(widget);
					}
					widget->RouteEvent(input, sf::Vector2f());
					routed.push_back(widget);
				}
				top = false;
				if(inside) {
					break;
				}
			}
			// Windows that did not see this move did not see the pointer
			// leave: only those routed to before can think it is over them.
			if(moved) {
				std::vector<Widget::Ptr> left;
				for(const auto& weak : m_hovered) {
					const Widget::Ptr widget = weak.lock();
					if(widget && Find(widget.get()) != m_children.size() &&
					   std::find(routed.begin(), routed.end(), widget) == routed.end()) {
						left.push_back(widget);
					}
				}
				m_hovered.clear();
				Leave(left);
			}
			for(const auto& widget : routed) {
				const auto same = [&widget](const WeakPtr<Widget>& weak) { return weak.lock() == widget; };
				if(std::none_of(m_hovered.begin(), m_hovered.end(), same)) {
					m_hovered.push_back(widget);
				}
			}
			break;
		}
		case priv::EventKind::MouseLeft: {
			std::vector<Widget::Ptr> widgets;
			for(const auto& weak : m_hovered) {
				if(const Widget::Ptr widget = weak.lock()) {
					widgets.push_back(widget);
				}
			}
			m_hovered.clear();
			Leave(widgets);
			break;
		}
		case priv::EventKind::KeyPress:
		case priv::EventKind::KeyRelease:
		case priv::EventKind::Text: {
			if(const Widget::Ptr focused = Context::Get().GetFocused()) {
				focused->RouteKeyEvent(event);
			}
			break;
		}
		default:
			break;
	}
}

// Tells the windows the pointer left them, bottom first, as their stack
// goes.
void Desktop::Leave(std::vector<Widget::Ptr>& windows) {
	std::sort(windows.begin(), windows.end(),
			  [](const Widget::Ptr& a, const Widget::Ptr& b) { return a->m_desktop_slot < b->m_desktop_slot; });
	for(const auto& widget : windows) {
		widget->RouteLeave();
	}
}

void Desktop::Add(SharedPtr<Widget> widget) {
	if(!widget || widget->m_desktop == this) {
		return;
	}
	if(widget->m_desktop) {
		// Already on another desktop, which it goes on telling.
		if(std::find(m_children.begin(), m_children.end(), widget) != m_children.end()) {
			return;
		}
		m_shared = true;
	}
	else {
		widget->m_desktop = this;
		widget->m_desktop_slot = static_cast<std::uint32_t>(m_children.size());
	}
	m_children.push_back(widget);
	m_slots.emplace_back();
	if(widget->m_desktop == this) {
		WindowChanged(*widget);
	}
	else {
		m_restack = true;
	}
}

// Index of a widget in m_children, or the end.
std::size_t Desktop::Find(const Widget* widget) const {
	if(widget && widget->m_desktop == this) {
		return widget->m_desktop_slot;
	}
	if(!m_shared) {
		return m_children.size();
	}
	std::size_t index = 0;
	while(index < m_children.size() && m_children[index].get() != widget) {
		++index;
	}
	return index;
}

void Desktop::Remove(SharedPtr<Widget> widget) {
	const std::size_t index = Find(widget.get());
	if(index == m_children.size()) {
		return;
	}
	widget->RouteLeave();
	Forget(*widget);
	m_children.erase(m_children.begin() + static_cast<std::ptrdiff_t>(index));
	m_slots.erase(m_slots.begin() + static_cast<std::ptrdiff_t>(index));
	Renumber(index);
	m_restack = true;
}

void Desktop::RemoveAll() {
	for(const auto& widget : m_children) {
		Forget(*widget);
	}
	m_children.clear();
	m_slots.clear();
	m_seen.clear();
	m_changed.clear();
	m_hovered.clear();
	m_restack = true;
	m_shared = false;
}

void Desktop::BringToFront(SharedPtr<const Widget> widget) {
	const std::size_t index = Find(widget.get());
	if(index == m_children.size() || index + 1 == m_children.size()) {
		return;
	}
	std::rotate(m_children.begin() + static_cast<std::ptrdiff_t>(index),
				m_children.begin() + static_cast<std::ptrdiff_t>(index) + 1, m_children.end());
	std::rotate(m_slots.begin() + static_cast<std::ptrdiff_t>(index),
				m_slots.begin() + static_cast<std::ptrdiff_t>(index) + 1, m_slots.end());
	Renumber(index);
	// The others keep their order: the raised window, if seen, goes last.
	Widget* raised = m_children.back().get();
	const auto seen = std::find(m_seen.begin(), m_seen.end(), raised);
	if(seen != m_seen.end()) {
		m_seen.erase(seen);
		m_seen.push_back(raised);
	}
	if(raised->m_desktop == this) {
		WindowChanged(*raised);
	}
	else {
		m_restack = true;
	}
}

const std::vector<Widget::Ptr>& Desktop::GetWidgets() const {
	return m_children;
}

std::size_t Desktop::GetWindowVisits() const {
	return m_visits;
}

void Desktop::WindowChanged(const Widget& window) {
	Slot& slot = m_slots[window.m_desktop_slot];
	if(!slot.queued) {
		slot.queued = true;
		m_changed.push_back(m_children[window.m_desktop_slot].get());
	}
}

// No longer on this desktop: it tells it nothing more.
void Desktop::Forget(Widget& window) {
	if(window.m_desktop == this) {
		window.m_desktop = nullptr;
	}
	m_seen.erase(std::remove(m_seen.begin(), m_seen.end(), &window), m_seen.end());
	m_changed.erase(std::remove(m_changed.begin(), m_changed.end(), &window), m_changed.end());
}

void Desktop::Renumber(std::size_t from) {
	for(std::size_t i = from; i < m_children.size(); ++i) {
		if(m_children[i]->m_desktop == this) {
			m_children[i]->m_desktop_slot = static_cast<std::uint32_t>(i);
		}
	}
}

std::vector<Widget::Ptr> Desktop::SeenWindows() {
	Refresh();
	std::vector<Widget::Ptr> seen;
	seen.reserve(m_seen.size());
	for(Widget* widget : m_seen) {
		++m_visits;
		seen.push_back(widget->shared_from_this());
	}
	return seen;
}

void Desktop::Refresh() {
	// Size signals raised while laying out run once the stack is consistent.
	priv::Dispatch::Scope scope;
	if(m_theme_generation != ThemeGeneration() || m_shared) {
		m_restack = true;
	}
	// A window's layout may tell of a change again: the list may grow.
	for(std::size_t i = 0; i < m_changed.size() && !m_restack; ++i) {
		Restack(*m_changed[i]);
	}
	if(m_restack) {
		RestackAll();
	}
	for(Widget* widget : m_changed) {
		m_slots[widget->m_desktop_slot].queued = false;
	}
	m_changed.clear();
}

void Desktop::RestackAll() {
	m_restack = false;
	m_theme_generation = ThemeGeneration();
	m_seen.clear();
	std::vector<std::size_t> covers; // seen opaque windows, top first
	for(std::size_t i = m_children.size(); i-- > 0;) {
		Widget& widget = *m_children[i];
		Slot& slot = m_slots[i];
		++m_visits;
		const bool was_drawn = slot.drawn;
		slot.drawn = false;
		slot.covers = false;
		if(!widget.IsLocallyVisible()) {
			if(was_drawn) {
				widget.DropGeometry();
			}
			continue;
		}
		widget.EnsureLayout();
		slot.bounds = widget.m_allocation;
		slot.shadow = HasShadow(widget);
		slot.opaque = HidesWhatIsBelow(widget);
		const sf::FloatRect painted = Painted(slot);
		bool covered = false;
		for(std::size_t cover : covers) {
			if(Encloses(m_slots[cover].bounds, painted)) {
				m_slots[cover].covers = true;
				covered = true;
				break;
			}
		}
		if(!covered) {
			slot.drawn = true;
			m_seen.push_back(&widget);
			if(slot.opaque) {
				covers.push_back(i);
			}
		}
		else if(was_drawn) {
			widget.DropGeometry();
		}
	}
	std::reverse(m_seen.begin(), m_seen.end());
}

// One window whose area, visibility or look may have changed, weighed
// against the seen windows only: a covered window lies inside a seen one
// above it, so whatever covers a window, a seen window covers it too.
void Desktop::Restack(Widget& window) {
	const std::size_t index = window.m_desktop_slot;
	Slot& slot = m_slots[index];
	++m_visits;
	const bool was_drawn = slot.drawn;
	if(!window.IsLocallyVisible()) {
		if(was_drawn && slot.covers) {
			m_restack = true; // what it hid may show now
			return;
		}
		if(was_drawn) {
			m_seen.erase(std::find(m_seen.begin(), m_seen.end(), &window));
			window.DropGeometry();
		}
		slot.drawn = false;
		return;
	}
	window.EnsureLayout();
	const sf::FloatRect bounds = window.m_allocation;
	const bool shadow = HasShadow(window);
	const bool opaque = HidesWhatIsBelow(window);
	if(was_drawn && slot.covers && !(opaque && Encloses(bounds, slot.bounds))) {
		m_restack = true;
		return;
	}
	slot.bounds = bounds;
	slot.shadow = shadow;
	slot.opaque = opaque;
	const sf::FloatRect painted = Painted(slot);
	// Covered from above?
	std::size_t position = m_seen.size(); // where it goes among the seen
	for(std::size_t k = m_seen.size(); k-- > 0;) {
		Widget* other = m_seen[k];
		if(other->m_desktop_slot <= index) {
			break;
		}
		position = k;
		++m_visits;
		Slot& above = m_slots[other->m_desktop_slot];
		if(above.opaque && Encloses(above.bounds, painted)) {
			above.covers = true;
			if(was_drawn) {
				m_seen.erase(std::find(m_seen.begin(), m_seen.end(), &window));
				window.DropGeometry();
			}
			slot.drawn = false;
			return;
		}
	}
	if(!was_drawn) {
		m_seen.insert(m_seen.begin() + static_cast<std::ptrdiff_t>(position), &window);
		slot.drawn = true;
	}
	if(!opaque) {
		return;
	}
	// Does it cover seen windows below it now?
	for(std::size_t k = 0; k < m_seen.size() && m_seen[k] != &window;) {
		Slot& below = m_slots[m_seen[k]->m_desktop_slot];
		++m_visits;
		if(Encloses(bounds, Painted(below))) {
			below.drawn = false;
			slot.covers = true;
			m_seen[k]->DropGeometry();
			m_seen.erase(m_seen.begin() + static_cast<std::ptrdiff_t>(k));
		}
		else {
			++k;
		}
	}
}

bool Desktop::LoadThemeFromFile(const std::string& filename) {
	return Context::Get().GetEngine().LoadThemeFromFile(filename);
}

bool Desktop::SetProperty(const std::string& selector, const std::string& property, const std::string& value) {
	return Context::Get().GetEngine().SetProperty(selector, property, value);
}

bool Desktop::SetProperty(const std::string& selector, const std::string& property, const char* value) {
	return SetProperty(selector, property, value ? std::string(value) : std::string());
}

bool Desktop::SetProperty(const std::string& selector, const std::string& property, const sf::Color& value) {
	static const char digits[] = "0123456789abcdef";
	std::string text("#");
	for(auto component : {value.r, value.g, value.b, value.a}) {
		text += digits[component >> 4];
		text += digits[component & 15];
	}
	return SetProperty(selector, property, text);
}

namespace {

template <typename T>
std::string StreamText(T value) {
	std::ostringstream stream;
	stream << value;
	return stream.str();
}

}

std::string Desktop::NumberText(long double value) {
	return StreamText(value);
}

std::string Desktop::NumberText(long long value) {
	return StreamText(value);
}

std::string Desktop::NumberText(unsigned long long value) {
	return StreamText(value);
}

}
