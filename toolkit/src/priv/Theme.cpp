#include "priv/Theme.hpp"

#include <SFGUI/Container.hpp>
#include <SFGUI/Context.hpp>
#include <SFGUI/Widget.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

// Rules to style: the index by rightmost simple selector, matching with
// combinators, specificity, Resolve and Lookup. The text is read into
// rules in ThemeParser.cpp.

namespace sfg {
namespace priv {

namespace {

// The built-in look, expressed as ordinary rules so a theme overrides it
// property by property. Its metrics are compact: a window holding a grid
// of some 800 one-character buttons under a title bar must still fit a
// 1280 x 720 screen without any theme.
const char* const g_builtin_theme = "* {"
									"  Color: #c6cbc4ff;"
									"  BackgroundColor: #464646ff;"
									"  BorderColor: #5a6a50ff;"
									"  BorderColorShift: 20;"
									"  BorderWidth: 1;"
									"  Padding: 1;"
									"  Spacing: 5;"
									"  Gap: 2;"
									"  FontName: Default;"
									"  FontSize: 12;"
									"  TitleBackgroundColor: #5a6a50ff;"
									"  TitlePadding: 2;"
									"}"
									"Button { BackgroundColor: #555752ff; }"
									"Button:Prelight { BackgroundColor: #656762ff; Color: #ffffffff; }"
									"Button:Active { BackgroundColor: #777777ff; Color: #ffffffff; }";

bool AllSame(const std::vector<std::string>& names) {
	return std::all_of(names.begin(), names.end(), [&names](const std::string& name) { return name == names[0]; });
}

}

Theme::Theme() {
	Reset();
	// The built-in look's first rule is the one for `*`, naming every property.
	for(const Declaration& declaration : m_rules.front().declarations) {
		if(declaration.property != OTHER) {
			m_defaults[declaration.property] = declaration;
		}
	}
}

void Theme::Reset() {
	m_rules.clear();
	m_index.clear();
	Parse(g_builtin_theme);
	++m_generation;
	m_looks.clear();
}

unsigned int Theme::GetGeneration() const {
	return m_generation;
}

// Kinds are told apart in the low bits. Two names may share a key: that
// only makes a widget test a few selectors more.
std::size_t Theme::Key(KeyKind kind, const std::string& name) {
	return std::hash<std::string>()(name) * 4 + static_cast<std::size_t>(kind);
}

void Theme::AddRule(Rule&& rule) {
	const auto index = static_cast<std::uint32_t>(m_rules.size());
	m_rules.push_back(std::move(rule));
	const std::vector<Selector>& selectors = m_rules.back().selectors;
	for(std::size_t i = 0; i < selectors.size(); ++i) {
		const Simple& last = selectors[i].parts.back();
		std::size_t key = Key(ANY, std::string());
		// A widget has one id and one class: a part naming two different
		// ones never matches and is not filed at all.
		if(!last.ids.empty()) {
			if(!AllSame(last.ids)) {
				continue;
			}
			key = Key(ID, last.ids[0]);
		}
		else if(!last.classes.empty()) {
			if(!AllSame(last.classes)) {
				continue;
			}
			key = Key(CLASS, last.classes[0]);
		}
		else if(!last.type.empty()) {
			key = Key(TYPE, last.type);
		}
		m_index.push_back(Entry{key, index, static_cast<std::uint32_t>(i)});
	}
}

void Theme::SortIndex(std::size_t first) {
	auto before = [](const Entry& a, const Entry& b) {
		if(a.key != b.key) {
			return a.key < b.key;
		}
		return a.rule != b.rule ? a.rule < b.rule : a.selector < b.selector;
	};
	const auto middle = m_index.begin() + static_cast<std::ptrdiff_t>(first);
	std::sort(middle, m_index.end(), before);
	std::inplace_merge(m_index.begin(), middle, m_index.end(), before);
}

bool Theme::MatchesSimple(const Simple& simple, const Widget& widget) {
	if(!simple.type.empty() && simple.type != widget.GetName()) {
		return false;
	}
	for(const auto& cls : simple.classes) {
		if(cls != widget.GetClass()) {
			return false;
		}
	}
	for(const auto& id : simple.ids) {
		if(id != widget.GetId()) {
			return false;
		}
	}
	return simple.state < 0 || simple.state == static_cast<int>(widget.m_state);
}

// Whether parts[0..index] match with parts[index] matching `widget`.
bool Theme::MatchesFrom(const Selector& selector, std::size_t index, const Widget* widget) {
	if(!widget || !MatchesSimple(selector.parts[index], *widget)) {
		return false;
	}
	if(index == 0) {
		return true;
	}
	const char combinator = selector.combinators[index - 1];
	const Widget* ancestor = widget->m_parent;
	if(combinator == '>') {
		return MatchesFrom(selector, index - 1, ancestor);
	}
	for(; ancestor; ancestor = ancestor->m_parent) {
		if(MatchesFrom(selector, index - 1, ancestor)) {
			return true;
		}
	}
	return false;
}

bool Theme::Matches(const Selector& selector, const Widget& widget) {
	return MatchesFrom(selector, selector.parts.size() - 1, &widget);
}

void Theme::MatchingRules(const Widget& widget, std::vector<Match>& out) const {
	std::vector<Entry> candidates;
	auto add = [this, &candidates](std::size_t key) {
		const auto range = std::equal_range(m_index.begin(), m_index.end(), Entry{key, 0, 0},
											[](const Entry& a, const Entry& b) { return a.key < b.key; });
		candidates.insert(candidates.end(), range.first, range.second);
	};
	add(Key(ANY, std::string()));
	add(Key(TYPE, widget.GetName()));
	if(!widget.GetClass().empty()) {
		add(Key(CLASS, widget.GetClass()));
	}
	if(!widget.GetId().empty()) {
		add(Key(ID, widget.GetId()));
	}
	// Rule order, so that the later of two equally specific rules wins.
	std::sort(candidates.begin(), candidates.end(), [](const Entry& a, const Entry& b) {
		return a.rule != b.rule ? a.rule < b.rule : a.selector < b.selector;
	});
	m_selector_tests += candidates.size();
	out.clear();
	for(const Entry& entry : candidates) {
		const Selector& selector = m_rules[entry.rule].selectors[entry.selector];
		const bool same_rule = !out.empty() && out.back().rule == entry.rule;
		if((same_rule && selector.specificity <= out.back().specificity) || !Matches(selector, widget)) {
			continue;
		}
		if(same_rule) {
			out.back().specificity = selector.specificity;
		}
		else {
			out.push_back(Match{entry.rule, selector.specificity});
		}
	}
}

std::size_t Theme::GetSelectorTests() const {
	return m_selector_tests;
}

std::size_t Theme::GetResolutions() const {
	return m_resolutions;
}

std::shared_ptr<const Style> Theme::Look(const Widget& widget) const {
	// The question: type, class, id and state of the widget and of each
	// ancestor, which is all that selectors look at.
	m_question.clear();
	for(const Widget* w = &widget; w; w = w->m_parent) {
		AppendName(m_question, w->GetName());
		AppendName(m_question, w->GetClass());
		AppendName(m_question, w->GetId());
		m_question += static_cast<char>('0' + static_cast<int>(w->m_state));
	}
	auto& look = m_looks[m_question];
	if(!look) {
		// Unbounded variety (ids made per widget, say) would otherwise only
		// grow: start over now and then.
		if(m_looks.size() > 4096) {
			m_looks.clear();
			return Look(widget);
		}
		auto style = std::make_shared<Style>();
		Resolve(widget, *style);
		look = std::move(style);
	}
	return look;
}

void Theme::Resolve(const Widget& widget, Style& style) const {
	++m_resolutions;
	// Every widget matches the built-in rule for `*`; starting from it, no
	// property is ever left without a value.
	const Declaration* chosen[PROPERTY_COUNT];
	long specificity[PROPERTY_COUNT];
	for(int p = 0; p < PROPERTY_COUNT; ++p) {
		chosen[p] = &m_defaults[p];
		specificity[p] = -1L;
	}
	std::vector<Match> matches;
	MatchingRules(widget, matches);
	for(const Match& match : matches) {
		const long s = match.specificity;
		for(const auto& declaration : m_rules[match.rule].declarations) {
			if(declaration.property != OTHER && s >= specificity[declaration.property]) {
				specificity[declaration.property] = s;
				chosen[declaration.property] = &declaration;
			}
		}
	}
	style.color = chosen[COLOR]->color;
	style.background_color = chosen[BACKGROUND_COLOR]->color;
	style.border_color = chosen[BORDER_COLOR]->color;
	style.title_background_color = chosen[TITLE_BACKGROUND_COLOR]->color;
	style.border_color_shift = chosen[BORDER_COLOR_SHIFT]->number;
	style.border_width = chosen[BORDER_WIDTH]->number;
	style.padding = chosen[PADDING]->number;
	style.spacing = chosen[SPACING]->number;
	style.gap = chosen[GAP]->number;
	style.font_size = chosen[FONT_SIZE]->number;
	style.title_padding = chosen[TITLE_PADDING]->number;
	style.font_name = chosen[FONT_NAME]->text;
	style.character_size = static_cast<unsigned int>(std::lround(style.font_size));
	if(style.character_size == 0) {
		style.character_size = 1;
	}
	style.font = Context::Get().GetFont(style.font_name);
	style.line_height = style.font ? std::ceil(style.font->getLineSpacing(style.character_size)) : 0.f;
}

std::string Theme::Lookup(const std::string& property, const Widget& widget) const {
	long best = -1;
	std::string value;
	std::vector<Match> matches;
	MatchingRules(widget, matches);
	for(const Match& match : matches) {
		for(const auto& declaration : m_rules[match.rule].declarations) {
			if(declaration.name == property && match.specificity >= best) {
				best = match.specificity;
				value = declaration.text;
			}
		}
	}
	return value;
}

}
}
