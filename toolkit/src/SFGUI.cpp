#include <SFGUI/SFGUI.hpp>

#include <SFGUI/Widget.hpp>

#include "priv/Batcher.hpp"

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

void SFGUI::Display(sf::RenderTarget& target) {
	const sf::View previous = target.getView();
	const sf::Vector2u size = target.getSize();
	target.setView(sf::View(sf::FloatRect(sf::Vector2f(), sf::Vector2f(size))));
	m_draw_calls = 0;
	const std::vector<Desktop*> desktops = Context::Get().GetDesktops();
	for(Desktop* desktop : desktops) {
		// Only the windows seen: a stack of identical windows (the same
		// message box opened again and again) costs one window, not all.
		for(const auto& widget : desktop->SeenWindows()) {
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
