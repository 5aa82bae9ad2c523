#include <SFGUI/SFGUI.hpp>

#include <SFGUI/Widget.hpp>
#include <SFGUI/Window.hpp>

#include "priv/Batcher.hpp"
#include "priv/SfmlCompat.hpp"
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
	sf::Vector2f size = priv::Size(widget.GetAllocation());
	const auto* window = dynamic_cast<const Window*>(&widget);
	if(window && window->HasStyle(Window::SHADOW)) {
		size += sf::Vector2f(3.f, 3.f);
	}
	return sf::FloatRect(widget.GetAbsolutePosition(), size);
}

bool Encloses(const sf::FloatRect& outer, const sf::FloatRect& inner) {
	const sf::Vector2f inner_start = priv::Corner(inner);
	const sf::Vector2f inner_end = inner_start + priv::Size(inner);
	const sf::Vector2f outer_start = priv::Corner(outer);
	const sf::Vector2f outer_end = outer_start + priv::Size(outer);
	return inner_start.x >= outer_start.x && inner_start.y >= outer_start.y && inner_end.x <= outer_end.x &&
		   inner_end.y <= outer_end.y;
}

}

bool SFGUI::HidesWhatIsBelow(const Widget& widget) {
	const auto* window = dynamic_cast<const Window*>(&widget);
	return window && window->HasStyle(Window::BACKGROUND) && widget.GetLook().background_color.a == 255;
}

void SFGUI::Display(sf::RenderTarget& target) {
	const sf::View previous = target.getView();
	const sf::Vector2u size = target.getSize();
	target.setView(sf::View(sf::FloatRect(sf::Vector2f(), sf::Vector2f(size))));
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
				covers.emplace_back(shown[i]->GetAbsolutePosition(), priv::Size(shown[i]->GetAllocation()));
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
