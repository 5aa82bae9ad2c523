#include <SFGUI/Label.hpp>

#include "priv/Geometry.hpp"
#include "priv/SfmlCompat.hpp"
#include "priv/Style.hpp"
#include "priv/Text.hpp"

#include <cmath>

namespace sfg {

namespace {

// The label's own copy of a text; every empty label shares one.
std::shared_ptr<const sf::String> OwnText(const sf::String& text) {
	static const auto* empty = new std::shared_ptr<const sf::String>(std::make_shared<sf::String>());
	return text.isEmpty() ? *empty : std::make_shared<const sf::String>(text);
}

}

Label::Ptr Label::Create(const sf::String& text) {
	return priv::MakeShared<Label>(text);
}

Label::Label(const sf::String& text) :
	m_text(OwnText(text)) {
}

Label::~Label() = default;

const std::string& Label::GetName() const {
	static const std::string name("Label");
	return name;
}

void Label::SetText(const sf::String& text) {
	if(text == *m_text) {
		return;
	}
	m_text = OwnText(text);
	m_layout.reset();
	RequestResize();
	Invalidate();
}

const sf::String& Label::GetText() const {
	return *m_text;
}

void Label::SetLineWrap(bool wrap) {
	if(wrap == m_wrap) {
		return;
	}
	m_wrap = wrap;
	m_layout.reset();
	RequestResize();
	Invalidate();
}

bool Label::GetLineWrap() const {
	return m_wrap;
}

sf::String Label::GetWrappedText() const {
	const priv::TextLayout& layout = GetLayout();
	std::u32string out;
	for(std::size_t i = 0; i < layout.lines.size(); ++i) {
		if(i) {
			out.push_back(U'\n');
		}
		out.append(layout.text, layout.lines[i].begin, layout.lines[i].end - layout.lines[i].begin);
	}
	return sf::String::fromUtf32(out.begin(), out.end());
}

float Label::GetWrapWidth() const {
	if(!m_wrap) {
		return -1.f;
	}
	// The width from the last layout; before the first one, the width asked for.
	const float width = priv::Size(CurrentAllocation()).x;
	return width > 0.f ? width : GetRequestedSize().x;
}

const priv::TextLayout& Label::GetLayout() const {
	const priv::Style& style = GetLook();
	const float wrap = GetWrapWidth();
	const priv::TextLayout* layout = m_layout.get();
	if(!layout || layout->font != style.font || layout->size != style.character_size ||
	   layout->line_height != style.line_height || layout->wrap_width != wrap) {
		if(m_wrap) {
			auto own = std::make_shared<priv::TextLayout>();
			priv::LayoutText(*own, *m_text, style.font, style.character_size, style.line_height, wrap);
			m_layout = std::move(own);
		}
		else {
			m_layout = priv::SharedLayout(*m_text, style.font, style.character_size, style.line_height);
			// The shared layout keeps the text too: one copy serves.
			m_text = std::shared_ptr<const sf::String>(m_layout, &m_layout->source);
		}
	}
	return *m_layout;
}

sf::Vector2f Label::CalculateRequisition() const {
	const priv::TextLayout& layout = GetLayout();
	const float height = layout.GetHeight();
	return sf::Vector2f(m_wrap ? 0.f : std::ceil(layout.width), height);
}

void Label::HandleSizeChange(const sf::Vector2f& old_size) const {
	if(m_wrap && old_size.x != priv::Size(CurrentAllocation()).x) {
		// The wrapped height depends on the width just given.
		RequestResize();
	}
}

void Label::BuildGeometry(priv::Geometry& geometry) const {
	const priv::Style& style = GetLook();
	const priv::TextLayout& layout = GetLayout();
	if(!style.font || layout.lines.empty()) {
		return;
	}
	const sf::Vector2f size = priv::Size(CurrentAllocation());
	sf::Vector2f origin;
	if(!m_wrap) {
		origin.x = std::floor((size.x - std::ceil(layout.width)) / 2.f);
		origin.y = std::floor((size.y - layout.GetHeight()) / 2.f);
	}
	priv::AppendText(geometry.glyphs, layout, origin, style.color);
	geometry.glyph_texture = priv::GlyphTable::For(style.font, style.character_size).GetTexture();
}

}
