#include <SFGUI/Button.hpp>

#include "priv/Geometry.hpp"
#include "priv/SfmlCompat.hpp"
#include "priv/Style.hpp"
#include "priv/Text.hpp"

#include <cmath>

namespace sfg {

Button::Ptr Button::Create(const sf::String& label) {
	return priv::MakeShared<Button>(label);
}

Button::Button(const sf::String& label) :
	m_label(label) {
}

const std::string& Button::GetName() const {
	static const std::string name("Button");
	return name;
}

void Button::SetLabel(const sf::String& label) {
	if(label == m_label) {
		return;
	}
	m_label = label;
	RequestResize();
	Invalidate();
}

const sf::String& Button::GetLabel() const {
	return m_label;
}

sf::Vector2f Button::CalculateRequisition() const {
	const priv::Style& style = GetLook();
	const sf::Vector2f text = priv::MeasureText(m_label, style.font, style.character_size, style.line_height);
	return sf::Vector2f(std::ceil(text.x) + 2.f * style.padding, text.y + 2.f * style.padding);
}

void Button::BuildGeometry(priv::Geometry& geometry) const {
	const priv::Style& style = GetLook();
	const sf::Vector2f size = priv::Size(CurrentAllocation());
	const sf::FloatRect whole(sf::Vector2f(), size);
	const int shift = static_cast<int>(style.border_color_shift);
	const bool pressed = GetState() == State::ACTIVE;
	geometry.AddRect(whole, style.background_color);
	const sf::Color light = priv::ShiftColor(style.background_color, shift);
	const sf::Color dark = priv::ShiftColor(style.background_color, -shift);
	geometry.AddBevel(whole, style.border_width, pressed ? dark : light, pressed ? light : dark);
	if(!style.font || m_label.isEmpty()) {
		return;
	}
	priv::TextLayout layout;
	priv::LayoutText(layout, m_label, style.font, style.character_size, style.line_height, -1.f);
	sf::Vector2f origin(std::floor((size.x - std::ceil(layout.width)) / 2.f),
						std::floor((size.y - layout.GetHeight()) / 2.f));
	if(pressed) {
		origin += sf::Vector2f(1.f, 1.f);
	}
	priv::AppendText(geometry.glyphs, layout, origin, style.color);
	geometry.glyph_texture = priv::GlyphTable::For(style.font, style.character_size).GetTexture();
}

void Button::HandleMouseEnter(int, int) {
	SetState(IsMouseButtonDown(sf::Mouse::Button::Left) ? State::ACTIVE : State::PRELIGHT);
}

void Button::HandleMouseLeave(int, int) {
	SetState(State::NORMAL);
}

void Button::HandleMouseButtonEvent(sf::Mouse::Button button, bool press, int, int) {
	if(button != sf::Mouse::Button::Left) {
		return;
	}
	if(press) {
		if(IsMouseInWidget()) {
			SetState(State::ACTIVE);
		}
		return;
	}
	SetState(IsMouseInWidget() ? State::PRELIGHT : State::NORMAL);
}

bool Button::TakesClickAlone() const {
	return true;
}

}
