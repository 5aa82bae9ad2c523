#include <SFGUI/Window.hpp>

#include "priv/Geometry.hpp"
#include "priv/SfmlCompat.hpp"
#include "priv/Style.hpp"
#include "priv/Text.hpp"

#include <algorithm>
#include <cmath>
#include <set>

namespace sfg {

Signal::SignalID Window::OnCloseButton = Signal::AllocateID();

namespace {
const float g_handle_size = 10.f;
}

Window::Ptr Window::Create(char style) {
	return priv::MakeShared<Window>(style);
}

namespace {

// One copy of each title in use, never freed (see GlyphTable::For in
// priv/Text.hpp).
const sf::String* InternTitle(const sf::String& title) {
	static std::set<sf::String>* titles = new std::set<sf::String>();
	return &*titles->insert(title).first;
}

}

Window::Window(char style) :
	m_title(InternTitle(sf::String())),
	m_style(style) {
}

const std::string& Window::GetName() const {
	static const std::string name("Window");
	return name;
}

void Window::SetTitle(const sf::String& title) {
	if(title == *m_title) {
		return;
	}
	m_title = InternTitle(title);
	Invalidate();
}

const sf::String& Window::GetTitle() const {
	return *m_title;
}

void Window::SetStyle(char style) {
	m_style = style;
	RequestResize();
	Invalidate();
}

char Window::GetStyle() const {
	return m_style;
}

bool Window::HasStyle(Style style) const {
	return (m_style & style) != 0;
}

float Window::GetTitleBarHeight() const {
	if(!HasStyle(TITLEBAR)) {
		return 0.f;
	}
	const priv::Style& style = GetLook();
	return style.line_height + 2.f * style.title_padding;
}

sf::FloatRect Window::GetClientRect() const {
	const priv::Style& style = GetLook();
	const float frame = style.border_width + style.gap;
	const float title = GetTitleBarHeight();
	const sf::Vector2f size = priv::Size(CurrentAllocation());
	return sf::FloatRect({frame, title + frame},
						 {std::max(0.f, size.x - 2.f * frame), std::max(0.f, size.y - 2.f * frame - title)});
}

sf::FloatRect Window::GetCloseButtonRect() const {
	const float title = GetTitleBarHeight();
	const priv::Style& style = GetLook();
	const float size = std::max(0.f, title - 2.f * style.title_padding);
	const float width = priv::Size(CurrentAllocation()).x;
	return sf::FloatRect({width - style.title_padding - size, style.title_padding}, {size, size});
}

sf::FloatRect Window::GetResizeHandleRect() const {
	const sf::Vector2f handle(g_handle_size, g_handle_size);
	return sf::FloatRect(priv::Size(CurrentAllocation()) - handle, handle);
}

sf::Vector2f Window::CalculateRequisition() const {
	const priv::Style& style = GetLook();
	const float frame = style.border_width + style.gap;
	sf::Vector2f size(2.f * frame, 2.f * frame + GetTitleBarHeight());
	const Widget::Ptr child = GetChild();
	if(child && child->IsLocallyVisible()) {
		size += child->GetRequisition();
	}
	return size;
}

sf::Vector2f Window::GetRootSize(const sf::Vector2f& requisition) const {
	// Grows with its content, never shrinks by itself.
	const sf::Vector2f size = priv::Size(CurrentAllocation());
	return sf::Vector2f(std::max(size.x, requisition.x), std::max(size.y, requisition.y));
}

void Window::AllocateChildren() const {
	const Widget::Ptr child = GetChild();
	if(child && child->IsLocallyVisible()) {
		child->SetAllocation(GetClientRect());
	}
}

void Window::BuildGeometry(priv::Geometry& geometry) const {
	const priv::Style& style = GetLook();
	const sf::FloatRect whole(sf::Vector2f(), priv::Size(CurrentAllocation()));
	const sf::Vector2f size = priv::Size(whole);
	const int shift = static_cast<int>(style.border_color_shift);
	if(HasStyle(SHADOW)) {
		geometry.AddRect(sf::FloatRect({3.f, 3.f}, size), sf::Color(0, 0, 0, 100));
	}
	if(HasStyle(BACKGROUND)) {
		geometry.AddRect(whole, style.background_color);
		geometry.AddBevel(whole, style.border_width, priv::ShiftColor(style.border_color, shift),
						  priv::ShiftColor(style.border_color, -shift));
	}
	if(HasStyle(TITLEBAR)) {
		const float title = GetTitleBarHeight();
		geometry.AddRect(sf::FloatRect({0.f, 0.f}, {size.x, title}), style.title_background_color);
		if(style.font && !m_title->isEmpty()) {
			priv::TextLayout layout;
			priv::LayoutText(layout, *m_title, style.font, style.character_size, style.line_height, -1.f);
			priv::AppendText(geometry.glyphs, layout,
							 sf::Vector2f(style.title_padding + style.border_width, style.title_padding), style.color);
			geometry.glyph_texture = priv::GlyphTable::For(style.font, style.character_size).GetTexture();
		}
		if(HasStyle(CLOSE)) {
			const sf::FloatRect box = GetCloseButtonRect();
			geometry.AddRect(box, priv::ShiftColor(style.title_background_color, -shift));
			geometry.AddBevel(box, 1.f, priv::ShiftColor(style.title_background_color, shift),
							  priv::ShiftColor(style.title_background_color, -2 * shift));
		}
	}
	if(HasStyle(RESIZE)) {
		const sf::FloatRect handle = GetResizeHandleRect();
		const sf::Vector2f corner = priv::Corner(handle);
		const sf::Vector2f extent = priv::Size(handle);
		const sf::Color color = priv::ShiftColor(style.border_color, shift);
		for(int step = 0; step < 3; ++step) {
			const float inset = 3.f * static_cast<float>(step);
			geometry.AddRect(
				sf::FloatRect({corner.x + inset, corner.y + extent.y - 2.f - inset}, {extent.x - inset - 1.f, 1.f}),
				color);
		}
	}
}

void Window::HandleMouseButtonEvent(sf::Mouse::Button button, bool press, int x, int y) {
	if(button != sf::Mouse::Button::Left) {
		return;
	}
	const sf::Vector2f origin = GetAbsolutePosition();
	const sf::Vector2f local(static_cast<float>(x) - origin.x, static_cast<float>(y) - origin.y);
	if(press) {
		if(!IsMouseInWidget()) {
			return;
		}
		if(HasStyle(RESIZE) && GetResizeHandleRect().contains(local)) {
			m_resizing = true;
			m_drag_offset = priv::Size(CurrentAllocation()) - local;
		}
		else if(HasStyle(TITLEBAR) && local.y < GetTitleBarHeight()) {
			if(HasStyle(CLOSE) && GetCloseButtonRect().contains(local)) {
				m_close_pressed = true;
			}
			else {
				m_dragging = true;
				m_drag_offset = local;
			}
		}
		return;
	}
	if(m_close_pressed && IsMouseInWidget() && GetCloseButtonRect().contains(local)) {
		Emit(OnCloseButton);
	}
	m_close_pressed = false;
	m_dragging = false;
	m_resizing = false;
}

void Window::HandleMouseMoveEvent(int x, int y) {
	if(!m_dragging && !m_resizing) {
		return;
	}
	const sf::Vector2f cursor(static_cast<float>(x), static_cast<float>(y));
	const sf::Vector2f origin = GetAbsolutePosition();
	const sf::FloatRect& allocation = CurrentAllocation();
	if(m_dragging) {
		// No clamping: a window may be dragged partly off the target, and
		// keeping it on screen is left to the program that owns it.
		const sf::Vector2f parent_origin = origin - priv::Corner(allocation);
		SetPosition(cursor - m_drag_offset - parent_origin);
		return;
	}
	const sf::Vector2f& requisition = GetRequisition();
	const sf::Vector2f wanted = cursor - origin + m_drag_offset;
	SetAllocation(sf::FloatRect(priv::Corner(allocation),
								{std::max(requisition.x, wanted.x), std::max(requisition.y, wanted.y)}));
}

}
