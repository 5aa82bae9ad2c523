#include <SFGUI/SFGUI.hpp>

#include <SFGUI/Widget.hpp>
#include <SFGUI/Window.hpp>

#include "priv/Batcher.hpp"
#include "priv/Style.hpp"

#include <SFML/Graphics/View.hpp>

namespace sfg {

SFGUI::SFGUI() {
	Context::Get();
}

void SFGUI::Display(sf::RenderWindow& target) {
	Display(static_cast<sf::RenderTarget&>(target));
}

void SFGUI::Display(sf::RenderTexture& target) {
	Display(static_cast<sf::RenderTarget&>(target));
}

namespace {

// The screen area a top-level widget paints, its drop shadow included.
sf::FloatRect PaintedArea(const Widget& widget) {
	const sf::Vector2f position = widget.GetAbsolutePosition();
	const sf::FloatRect& allocation = widget.GetAllocation();
	sf::FloatRect area(position.x, position.y, allocation.width, allocation.height);
	const auto* window = dynamic_cast<const Window*>(&widget);
	if(window && window->HasStyle(Window::SHADOW)) {
		area.width += 3.f;
		area.height += 3.f;
	}
	return area;
}

bool Encloses(const sf::FloatRect& outer, const sf::FloatRect& inner) {
	return inner.left >= outer.left && inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width &&
		   inner.top + inner.height <= outer.top + outer.height;
}

}

bool SFGUI::HidesWhatIsBelow(const Widget& widget) {
	const auto* window = dynamic_cast<const Window*>(&widget);
	return window && window->HasStyle(Window::BACKGROUND) && widget.GetLook().background_color.a == 255;
}

void SFGUI::Display(sf::RenderTarget& target) {
	const sf::View previous = target.getView();
	const sf::Vector2u size = target.getSize();
	target.setView(sf::View(sf::FloatRect(0.f, 0.f, static_cast<float>(size.x), static_cast<float>(size.y))));
	m_draw_calls = 0;
	const std::vector<Desktop*> desktops = Context::Get().GetDesktops();
	for(Desktop* desktop : desktops) {
		// Layout may raise size signals whose handlers change the desktop.
		const std::vector<Widget::Ptr> widgets = desktop->GetWidgets();
		std::vector<const Widget*> shown;
		for(const auto& widget : widgets) {
			if(widget->IsGloballyVisible()) {
				widget->EnsureLayout();
				shown.push_back(widget.get());
			}
		}

		// A window wholly behind an opaque window above it is not drawn: a
		// stack of identical windows (one more game-over box per turn) then
		// costs one window, not all of them.
		std::vector<bool> hidden(shown.size(), false);
		std::vector<sf::FloatRect> covers;
		for(std::size_t i = shown.size(); i-- > 0;) {
			const sf::FloatRect area = PaintedArea(*shown[i]);
			for(const sf::FloatRect& cover : covers) {
				if(Encloses(cover, area)) {
					hidden[i] = true;
					break;
				}
			}
			if(!hidden[i] && HidesWhatIsBelow(*shown[i])) {
				const sf::Vector2f position = shown[i]->GetAbsolutePosition();
				const sf::FloatRect& allocation = shown[i]->GetAllocation();
				covers.emplace_back(position.x, position.y, allocation.width, allocation.height);
			}
		}

		for(std::size_t i = 0; i < shown.size(); ++i) {
			if(!hidden[i]) {
				m_draw_calls += priv::Batcher::Draw(*shown[i], target);
			}
		}
	}
	target.setView(previous);
}

unsigned int SFGUI::GetLastDrawCallCount() const {
	return m_draw_calls;
}

}
