#include <SFGUI/Desktop.hpp>

#include "priv/Dispatch.hpp"
#include "priv/SfmlCompat.hpp"

#include <algorithm>
#include <sstream>

namespace sfg {

Desktop::Desktop() {
	Context::Get().RegisterDesktop(this);
}

Desktop::~Desktop() {
	Context::Get().UnregisterDesktop(this);
}

void Desktop::Update(float seconds) {
	const std::vector<Widget::Ptr> widgets = m_children;
	for(const auto& widget : widgets) {
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
			const sf::Vector2f mouse(priv::MousePosition(event));
			// A snapshot keeps every window alive and the walk stable while
			// windows are raised below.
			const std::vector<Widget::Ptr> widgets = m_children;
			std::vector<bool> routed(widgets.size(), false);
			bool top = true;
			std::size_t index = widgets.size();
			while(index-- > 0) {
				const Widget::Ptr& widget = widgets[index];
				if(!widget->IsLocallyVisible()) {
					continue;
				}
				widget->EnsureLayout();
				const bool inside = widget->m_allocation.contains(mouse);
				if(top || inside) {
					if(!top && inside && kind == priv::EventKind::MousePress) {
						BringToFront(widget);
					}
					widget->RouteEvent(event, sf::Vector2f());
					routed[index] = true;
				}
				top = false;
				if(inside) {
					break;
				}
			}
			// Windows that did not see this move did not see the pointer leave.
			if(moved) {
				for(std::size_t i = 0; i < widgets.size(); ++i) {
					if(!routed[i]) {
						widgets[i]->RouteLeave();
					}
				}
			}
			break;
		}
		case priv::EventKind::MouseLeft: {
			const std::vector<Widget::Ptr> widgets = m_children;
			for(const auto& widget : widgets) {
				widget->RouteLeave();
			}
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

void Desktop::Add(SharedPtr<Widget> widget) {
	if(!widget || std::find(m_children.begin(), m_children.end(), widget) != m_children.end()) {
		return;
	}
	m_children.push_back(widget);
}

void Desktop::Remove(SharedPtr<Widget> widget) {
	auto found = std::find(m_children.begin(), m_children.end(), widget);
	if(found != m_children.end()) {
		(*found)->RouteLeave();
		m_children.erase(found);
	}
}

void Desktop::RemoveAll() {
	m_children.clear();
}

void Desktop::BringToFront(SharedPtr<const Widget> widget) {
	auto found = std::find_if(m_children.begin(), m_children.end(),
							  [&widget](const Widget::Ptr& child) { return child.get() == widget.get(); });
	if(found != m_children.end()) {
		std::rotate(found, found + 1, m_children.end());
	}
}

const std::vector<Widget::Ptr>& Desktop::GetWidgets() const {
	return m_children;
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
