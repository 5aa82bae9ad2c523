#include "priv/Text.hpp"

#include "priv/Geometry.hpp"
#include "priv/SfmlCompat.hpp"

#include <cmath>
#include <map>
#include <memory>
#include <unordered_map>

namespace sfg {
namespace priv {

GlyphTable::GlyphTable(const sf::Font* font, unsigned int size) :
	m_font(font),
	m_size(size) {
	for(bool& loaded : m_ascii_loaded) {
		loaded = false;
	}
}

GlyphMetrics GlyphTable::Fetch(char32_t code_point) const {
	GlyphMetrics metrics;
	if(!m_font) {
		return metrics;
	}
	const sf::Glyph& glyph = m_font->getGlyph(code_point, m_size, false);
	metrics.advance = glyph.advance;
	metrics.bounds = glyph.bounds;
	metrics.texture_rect = sf::FloatRect(glyph.textureRect);
	return metrics;
}

GlyphMetrics GlyphTable::Get(char32_t code_point) {
	if(code_point < 128) {
		if(!m_ascii_loaded[code_point]) {
			m_ascii[code_point] = Fetch(code_point);
			m_ascii_loaded[code_point] = true;
		}
		return m_ascii[code_point];
	}
	for(const auto& entry : m_other) {
		if(entry.first == code_point) {
			return entry.second;
		}
	}
	if(m_other.size() > 4096) {
		m_other.clear();
	}
	m_other.emplace_back(code_point, Fetch(code_point));
	return m_other.back().second;
}

const sf::Texture* GlyphTable::GetTexture() const {
	return m_font ? &m_font->getTexture(m_size) : nullptr;
}

GlyphTable& GlyphTable::For(const sf::Font* font, unsigned int size) {
	static std::map<std::pair<const sf::Font*, unsigned int>, std::unique_ptr<GlyphTable>>* tables =
		new std::map<std::pair<const sf::Font*, unsigned int>, std::unique_ptr<GlyphTable>>();
	auto& slot = (*tables)[std::make_pair(font, size)];
	if(!slot) {
		slot.reset(new GlyphTable(font, size));
	}
	return *slot;
}

namespace {

// Tabs become spaces up to the next multiple of four columns.
void ExpandTabs(const sf::String& text, std::u32string& out) {
	out.clear();
	out.reserve(text.getSize());
	std::size_t column = 0;
	for(auto it = text.begin(); it != text.end(); ++it) {
		const char32_t c = *it;
		if(c == U'\t') {
			do {
				out.push_back(U' ');
				++column;
			} while(column % 4 != 0);
		}
		else if(c == U'\r') {
			continue;
		}
		else {
			out.push_back(c);
			column = (c == U'\n') ? 0 : column + 1;
		}
	}
}

// Appends a line and widens the layout to it.
void EmitLine(TextLayout& layout, std::size_t begin, std::size_t end, float width) {
	TextLine line;
	line.begin = begin;
	line.end = end;
	line.width = width;
	layout.lines.push_back(line);
	layout.width = std::max(layout.width, width);
}

// Breaks a word wider than the line between characters, at least one
// character per line. Every full piece becomes a line; the last piece is
// returned, to start the next line.
TextLine BreakLongWord(TextLayout& layout, GlyphTable& glyphs, std::size_t word_begin, std::size_t word_end,
					   float wrap) {
	const std::u32string& text = layout.text;
	std::size_t piece_begin = word_begin;
	float piece_width = 0.f;
	for(std::size_t k = word_begin; k < word_end; ++k) {
		const float advance = glyphs.Get(text[k]).advance;
		if(k > piece_begin && piece_width + advance > wrap) {
			EmitLine(layout, piece_begin, k, piece_width);
			piece_begin = k;
			piece_width = 0.f;
		}
		piece_width += advance;
	}
	TextLine rest;
	rest.begin = piece_begin;
	rest.end = word_end;
	rest.width = piece_width;
	return rest;
}

void WrapParagraph(TextLayout& layout, GlyphTable& glyphs, std::size_t begin, std::size_t end, float wrap) {
	const std::u32string& text = layout.text;
	if(wrap <= 0.f) {
		float width = 0.f;
		for(std::size_t i = begin; i < end; ++i) {
			width += glyphs.Get(text[i]).advance;
		}
		EmitLine(layout, begin, end, width);
		return;
	}
	std::size_t line_begin = begin;
	std::size_t line_end = begin;
	float line_width = 0.f;
	bool line_has_word = false;
	std::size_t i = begin;
	while(i < end) {
		// Spaces before the next word.
		std::size_t space_begin = i;
		float space_width = 0.f;
		while(i < end && text[i] == U' ') {
			space_width += glyphs.Get(text[i]).advance;
			++i;
		}
		if(i == end) {
			break; // trailing spaces take no room
		}
		const std::size_t word_begin = i;
		float word_width = 0.f;
		while(i < end && text[i] != U' ') {
			word_width += glyphs.Get(text[i]).advance;
			++i;
		}
		const std::size_t word_end = i;
		if(!line_has_word) {
			// Leading spaces of a paragraph are kept as indentation.
			if(space_begin != line_begin || line_width + space_width + word_width > wrap) {
				line_begin = word_begin;
				space_width = 0.f;
			}
		}
		if(line_width + space_width + word_width <= wrap) {
			line_width += space_width + word_width;
			line_end = word_end;
			line_has_word = true;
			continue;
		}
		if(line_has_word) {
			EmitLine(layout, line_begin, line_end, line_width);
			line_begin = word_begin;
			if(word_width <= wrap) {
				// The word starts the next line.
				line_end = word_end;
				line_width = word_width;
				continue;
			}
		}
		const TextLine rest = BreakLongWord(layout, glyphs, word_begin, word_end, wrap);
		line_begin = rest.begin;
		line_end = rest.end;
		line_width = rest.width;
		line_has_word = true;
	}
	EmitLine(layout, line_begin, line_has_word ? line_end : line_begin, line_has_word ? line_width : 0.f);
}

}

void LayoutText(TextLayout& layout, const sf::String& text, const sf::Font* font, unsigned int size, float line_height,
				float wrap_width) {
	ExpandTabs(text, layout.text);
	layout.lines.clear();
	layout.width = 0.f;
	layout.line_height = line_height;
	layout.font = font;
	layout.size = size;
	layout.wrap_width = wrap_width;
	if(layout.text.empty()) {
		return;
	}
	GlyphTable& glyphs = GlyphTable::For(font, size);
	std::size_t begin = 0;
	const std::size_t length = layout.text.size();
	while(begin < length) {
		std::size_t end = layout.text.find(U'\n', begin);
		if(end == std::u32string::npos) {
			end = length;
		}
		WrapParagraph(layout, glyphs, begin, end, wrap_width);
		begin = end + 1; // a trailing line break adds no line
	}
}

namespace {

struct LayoutKey {
	std::u32string text;
	const sf::Font* font;
	unsigned int size;
	float line_height;

	bool operator==(const LayoutKey& other) const {
		return font == other.font && size == other.size && line_height == other.line_height && text == other.text;
	}
};

struct LayoutKeyHash {
	std::size_t operator()(const LayoutKey& key) const {
		return std::hash<std::u32string>()(key.text) ^ std::hash<const void*>()(key.font) ^ (key.size * 31u);
	}
};

}

std::shared_ptr<const TextLayout> SharedLayout(const sf::String& text, const sf::Font* font, unsigned int size,
											   float line_height) {
	// Long texts are rarely shown twice alike: laid out for their own.
	if(text.getSize() > 256) {
		auto layout = std::make_shared<TextLayout>();
		LayoutText(*layout, text, font, size, line_height, -1.f);
		layout->source = text;
		return layout;
	}
	// Never freed, as the glyph tables are not (see GlyphTable::For).
	static auto* layouts = new std::unordered_map<LayoutKey, std::shared_ptr<const TextLayout>, LayoutKeyHash>();
	LayoutKey key{std::u32string(text.begin(), text.end()), font, size, line_height};
	auto found = layouts->find(key);
	if(found != layouts->end()) {
		return found->second;
	}
	// Texts shown once and never again would only pile up: start over now
	// and then (the labels keep their own).
	if(layouts->size() >= 4096) {
		layouts->clear();
	}
	auto layout = std::make_shared<TextLayout>();
	LayoutText(*layout, text, font, size, line_height, -1.f);
	layout->source = text;
	layouts->emplace(std::move(key), layout);
	return layout;
}

void AppendText(std::vector<sf::Vertex>& out, const TextLayout& layout, sf::Vector2f origin, const sf::Color& color) {
	if(!layout.font || layout.lines.empty()) {
		return;
	}
	GlyphTable& glyphs = GlyphTable::For(layout.font, layout.size);
	float baseline = std::round(origin.y) + static_cast<float>(layout.size);
	for(const auto& line : layout.lines) {
		float pen = std::round(origin.x);
		for(std::size_t i = line.begin; i < line.end; ++i) {
			const char32_t c = layout.text[i];
			const GlyphMetrics glyph = glyphs.Get(c);
			if(c != U' ' && Size(glyph.texture_rect).x > 0.f) {
				const sf::FloatRect quad(sf::Vector2f(pen, baseline) + Corner(glyph.bounds), Size(glyph.bounds));
				AppendQuad(out, quad, color, glyph.texture_rect);
			}
			pen += glyph.advance;
		}
		baseline += layout.line_height;
	}
}

sf::Vector2f MeasureText(const sf::String& text, const sf::Font* font, unsigned int size, float line_height) {
	TextLayout layout;
	LayoutText(layout, text, font, size, line_height, -1.f);
	return sf::Vector2f(layout.width, layout.GetHeight());
}

}
}
