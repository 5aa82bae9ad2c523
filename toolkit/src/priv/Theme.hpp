#pragma once

#include "priv/Style.hpp"

#include <SFML/Graphics/Color.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace sfg {

class Widget;

namespace priv {

// The rules of a CSS-like theme and their resolution for a widget.
//
//   Selector { Name: value; }      /* comments */
//
// A simple selector is a type name or `*`, followed by any of `.class`,
// `#id` and `:State`; simple selectors combine by descendant (space) and child
// (`>`); groups are separated by commas. For each property the rule with the
// highest specificity (ids, then classes, then types and states) wins; on a
// tie the later rule wins.
//
// Selectors are filed by the rightmost simple selector's id, else its class,
// else its type, as browsers do: a widget is tested only against the
// selectors filed under its own id, class and type and those whose rightmost
// part names none, so rules that cannot match it cost next to nothing.
//
// A widget's look depends only on the type, class, id and state of the
// widget and of each of its ancestors: widgets that agree on all of these
// share one resolved look, resolved once per theme (Look). Identical
// selectors of one group are filed once.
class Theme {
public:
	// The properties the toolkit draws with: what each does, where it is
	// drawn, and its unit. Colours are written #RRGGBB or #RRGGBBAA; lengths
	// are pixels from 0 to 10000. The default of each is in the built-in rule
	// for `*` (Theme.cpp).
	//
	// Adding one: (1) an enumerator here, with its line; (2) its name in
	// g_property_names (ThemeParser.cpp; a static_assert checks the count);
	// (3) its case in ParseDeclaration's switch (-Wswitch names a missing
	// one); (4) its default in the built-in `*` rule; (5) a field in Style
	// and its line in Resolve; (6) if it changes a leaf's size, the
	// comparison in Widget::SetState that asks for a new requisition.
	enum Property {
		COLOR,                  // Text of labels, buttons and window titles. Colour.
		BACKGROUND_COLOR,       // Fill of buttons and of windows with a background; an opaque window hides
								// what lies under it (its alpha decides). Colour.
		BORDER_COLOR,           // A window's bevelled border and its resize grip, shaded by
								// BorderColorShift. Colour.
		BORDER_COLOR_SHIFT,     // How far bevel edges are lightened and darkened (buttons from their
								// background, windows from BorderColor, the close box from the title's
								// colour); added to each channel, -255 to 255.
		BORDER_WIDTH,           // Thickness of the bevel of buttons and windows; also insets a window's
								// client area and its title text. Pixels.
		PADDING,                // Space between a button's edge and its label, on each side. Pixels.
		SPACING,                // Resolved and answered by Lookup, but drawn by nothing: boxes and tables
								// take their spacing from their own setters. Pixels.
		GAP,                    // Space between a window's border and its child, on each side. Pixels.
		FONT_NAME,              // Font of all text: "Default", a file path, or a fontconfig family
								// (quotes allowed); an unknown name gives the default font.
		FONT_SIZE,              // Character size of all text, rounded to whole pixels, 1 to 200; it and the
								// font set the line height. Pixels.
		TITLE_BACKGROUND_COLOR, // Fill of a window's title bar, and the shades of its close box. Colour.
		TITLE_PADDING,          // Space around the title text in the title bar (its height is the line
								// height plus twice this) and around the close box. Pixels.
		OTHER,                  // Any other name: kept as text, for Lookup only.
		PROPERTY_COUNT = OTHER
	};

	Theme();

	// Back to the built-in look.
	void Reset();
	// Adds the rules of `text`; false when anything was skipped.
	bool Parse(const std::string& text);
	// Adds one rule; false (and nothing added) when it does not parse.
	bool Add(const std::string& selector, const std::string& property, const std::string& value);

	// The look of `widget` in its current state, shared with every widget
	// that asks the same question (see above).
	std::shared_ptr<const Style> Look(const Widget& widget) const;
	// Resolves afresh, without the shared looks.
	void Resolve(const Widget& widget, Style& style) const;
	std::string Lookup(const std::string& property, const Widget& widget) const;

	unsigned int GetGeneration() const;
	// Selectors weighed against a widget so far, and looks resolved afresh.
	std::size_t GetSelectorTests() const;
	std::size_t GetResolutions() const;

	// What the parser (ThemeParser.cpp) reads a theme into. A Rule is a
	// group of Selectors and the Declarations they share; a Selector is a
	// chain of Simple selectors joined by combinators; a Simple selector is
	// one type (or `*`) with its classes, ids and state.
	struct Simple {
		std::string type; // empty: any
		std::vector<std::string> classes;
		std::vector<std::string> ids;
		int state = -1; // -1: any
	};
	struct Selector {
		std::vector<Simple> parts;     // left to right
		std::vector<char> combinators; // between parts: ' ' or '>'
		long specificity = 0;
	};
	struct Declaration {
		Property property = OTHER;
		std::string name;
		std::string text;
		sf::Color color;
		float number = 0.f;
	};
	struct Rule {
		std::vector<Selector> selectors;
		std::vector<Declaration> declarations;
	};

private:
	// A selector, by the index of its rule and its place in the rule,
	// filed under a key: see Key().
	struct Entry {
		std::size_t key;
		std::uint32_t rule;
		std::uint32_t selector;
	};
	// A rule that matches a widget, with the highest specificity among
	// its selectors that match.
	struct Match {
		std::size_t rule;
		long specificity;
	};

	static bool Matches(const Selector& selector, const Widget& widget);
	static bool MatchesSimple(const Simple& simple, const Widget& widget);
	static bool MatchesFrom(const Selector& selector, std::size_t index, const Widget* widget);
	enum KeyKind { ANY, TYPE, CLASS, ID };
	static std::size_t Key(KeyKind kind, const std::string& name);
	// Files the selectors of a new rule at the end of the index.
	void AddRule(Rule&& rule);
	// Sorts the entries filed since `first` into the index.
	void SortIndex(std::size_t first);
	// The rules matching `widget`, in the order they were added.
	void MatchingRules(const Widget& widget, std::vector<Match>& out) const;

	std::vector<Rule> m_rules;
	std::vector<Entry> m_index; // by key, then rule, then selector
	// The built-in rule for `*`, by property: what resolving starts from,
	// so that no property can be left without a value.
	Declaration m_defaults[PROPERTY_COUNT];
	unsigned int m_generation = 1;
	// Resolved looks by question (see Look); emptied when the rules change.
	mutable std::unordered_map<std::string, std::shared_ptr<const Style>> m_looks;
	mutable std::string m_question;
	mutable std::size_t m_selector_tests = 0;
	mutable std::size_t m_resolutions = 0;
};

// Appends `name` so that no two different lists of names read the same: the
// parser tells a group's selectors apart by such text, and Look files its
// questions under it.
inline void AppendName(std::string& out, const std::string& name) {
	out += std::to_string(name.size());
	out += ':';
	out += name;
}

}
}
