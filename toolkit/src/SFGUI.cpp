#include <SFGUI/SFGUI.hpp>

#include <SFGUI/Widget.hpp>

#include "priv/Batcher.hpp"

#include <SFML/Graphics/View.hpp>

namespace sfg {

SFGUI::SFGUI() {
	Context::Get();
}

SFGUI::~SFGUI() = default;

void SFGUI::Display(sf::RenderWindow& target) {
	Display(static_cast<sf::RenderTarget&>(target));
}

void SFGUI::Display(sf::RenderTexture& target) {
	Display(static_cast<sf::RenderTarget&>(target));
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
		for(const auto& widget : widgets) {
			if(!widget->IsGloballyVisible()) {
				continue;
			}
			widget->EnsureLayout();
			m_draw_calls += priv::Batcher::Draw(*widget, target);
		}
	}
	target.setView(previous);
}

unsigned int SFGUI::GetLastDrawCallCount() const {
	return m_draw_calls;
}

}
