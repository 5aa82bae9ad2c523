#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <SFML/System/String.hpp>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sfg {
namespace priv {

// Metrics of one glyph at one size: advance, quad relative to the pen on the
// baseline, and its place in the font's atlas.
struct GlyphMetrics {
	float advance = 0.f;
	sf::FloatRect bounds;
	sf::FloatRect texture_rect;
};

// Glyph metrics of one font at one size, fetched from the font (and so
// rasterised into its atlas) on first use only.
class GlyphTable {
public:
	GlyphTable(const sf::Font* font, unsigned int size);
	// By value: the table may grow (or start over) on the next lookup, which
	// would leave a reference into it dangling.
	GlyphMetrics Get(char32_t code_point);
	const sf::Texture* GetTexture() const;

	// The shared table of a font at a size.
	//
	// This and the toolkit's other process-wide tables (the shared text
	// layouts, the interned class and id names and window titles, the
	// context with its fonts) are made on first use and never freed, on
	// purpose. Widgets point into them, and a widget may be destroyed, or
	// even drawn, from a static object's destructor, after a table with a
	// destructor of its own would already be gone: left alone, they outlive
	// every widget whatever the order of destruction at exit. Each is small
	// or bounded, and the system takes the memory back when the process ends.
	static GlyphTable& For(const sf::Font* font, unsigned int size);

private:
	GlyphMetrics Fetch(char32_t code_point) const;

	const sf::Font* m_font;
	unsigned int m_size;
	GlyphMetrics m_ascii[128];
	bool m_ascii_loaded[128];
	std::vector<std::pair<char32_t, GlyphMetrics>> m_other;
};

struct TextLine {
	std::size_t begin = 0;
	std::size_t end = 0;
	float width = 0.f;
};

// Text broken into lines: tabs expanded to spaces up to the next multiple of
// four columns, line breaks honoured (a trailing one adds no line) and, when
// wrapping, long lines broken at spaces (or between characters for words
// wider than the wrap width).
struct TextLayout {
	sf::String source; // as given; kept by shared layouts only
	std::u32string text;
	std::vector<TextLine> lines;
	float width = 0.f; // widest line
	float line_height = 0.f;
	// What the layout was made for.
	const sf::Font* font = nullptr;
	unsigned int size = 0;
	float wrap_width = -1.f;

	float GetHeight() const {
		return static_cast<float>(lines.size()) * line_height;
	}
};

// wrap_width <= 0: no wrapping.
void LayoutText(TextLayout& layout, const sf::String& text, const sf::Font* font, unsigned int size, float line_height,
				float wrap_width);

// The layout of a text without wrapping, shared by everyone who shows the
// same text in the same font, size and line height (labels made anew on
// every refresh, many windows showing one message): one copy serves them all.
std::shared_ptr<const TextLayout> SharedLayout(const sf::String& text, const sf::Font* font, unsigned int size,
											   float line_height);

// Appends the glyph quads of `layout` (lines left-aligned) with its first
// line's top-left at `origin`, in whole pixels.
void AppendText(std::vector<sf::Vertex>& out, const TextLayout& layout, sf::Vector2f origin, const sf::Color& color);

// Width and height of a one-off text (no wrapping).
sf::Vector2f MeasureText(const sf::String& text, const sf::Font* font, unsigned int size, float line_height);

}
}
