#include "priv/Theme.hpp"

#include <SFGUI/Container.hpp>
#include <SFGUI/Context.hpp>
#include <SFGUI/Widget.hpp>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <unordered_set>

namespace sfg {
namespace priv {

namespace {

// The built-in look, expressed as ordinary rules so a theme overrides it
// property by property. Its metrics are compact: a window of one-character
// buttons (a grid of 46 x 18 cells under a title bar) must still fit a
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

const char* const g_property_names[] = {
	"Color", "BackgroundColor", "BorderColor", "BorderColorShift",     "BorderWidth", "Padding", "Spacing",
	"Gap",   "FontName",        "FontSize",    "TitleBackgroundColor", "TitlePadding"};

const char* const g_state_names[] = {"Normal", "Active", "Prelight", "Selected", "Insensitive"};

bool IsSpace(char c) {
	return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string Trim(const std::string& text) {
	std::size_t begin = 0;
	std::size_t end = text.size();
	while(begin < end && IsSpace(text[begin])) {
		++begin;
	}
	while(end > begin && IsSpace(text[end - 1])) {
		--end;
	}
	return text.substr(begin, end - begin);
}

bool IsNameChar(char c) {
	const unsigned char u = static_cast<unsigned char>(c);
	return std::isalnum(u) || c == '_' || c == '-' || u >= 0x80;
}

bool EqualsNoCase(const std::string& a, const char* b) {
	std::size_t i = 0;
	for(; i < a.size() && b[i]; ++i) {
		if(std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
			return false;
		}
	}
	return i == a.size() && !b[i];
}

int HexDigit(char c) {
	if(c >= '0' && c <= '9') {
		return c - '0';
	}
	if(c >= 'a' && c <= 'f') {
		return c - 'a' + 10;
	}
	if(c >= 'A' && c <= 'F') {
		return c - 'A' + 10;
	}
	return -1;
}

bool ParseColor(const std::string& text, sf::Color& out) {
	if((text.size() != 7 && text.size() != 9) || text[0] != '#') {
		return false;
	}
	std::uint8_t channels[4] = {0, 0, 0, 255};
	for(std::size_t i = 1, channel = 0; i < text.size(); i += 2, ++channel) {
		const int high = HexDigit(text[i]);
		const int low = HexDigit(text[i + 1]);
		if(high < 0 || low < 0) {
			return false;
		}
		channels[channel] = static_cast<std::uint8_t>(high * 16 + low);
	}
	out = sf::Color(channels[0], channels[1], channels[2], channels[3]);
	return true;
}

bool ParseNumber(const std::string& text, float low, float high, float& out) {
	if(text.empty() || text.size() > 32) {
		return false;
	}
	for(char c : text) {
		if(!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+')) {
			return false;
		}
	}
	errno = 0;
	char* end = nullptr;
	const double value = std::strtod(text.c_str(), &end);
	if(end != text.c_str() + text.size() || errno != 0 || !std::isfinite(value) || value < low || value > high) {
		return false;
	}
	out = static_cast<float>(value);
	return true;
}

bool AllSame(const std::vector<std::string>& names) {
	return std::all_of(names.begin(), names.end(), [&names](const std::string& name) { return name == names[0]; });
}

// Replaces comments by a space. Returns false for an unterminated comment
// (the rest of the text is dropped).
bool StripComments(const std::string& text, std::string& out) {
	out.clear();
	out.reserve(text.size());
	std::size_t i = 0;
	while(i < text.size()) {
		if(text[i] == '/' && i + 1 < text.size() && text[i + 1] == '*') {
			const std::size_t close = text.find("*/", i + 2);
			if(close == std::string::npos) {
				return false;
			}
			out.push_back(' ');
			i = close + 2;
			continue;
		}
		out.push_back(text[i]);
		++i;
	}
	return true;
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

namespace {

// What a selector names, counted for its specificity.
struct Weight {
	long ids = 0;
	long classes = 0;
	long others = 0; // types and states

	// Ids outweigh classes, which outweigh the rest; each count is capped so
	// that it cannot spill into the next.
	long Specificity() const {
		return std::min(ids, 999L) * 1000000L + std::min(classes, 999L) * 1000L + std::min(others, 999L);
	}
};

// Reads the name starting at `i` (empty when there is none) and moves past it.
std::string ReadName(const std::string& text, std::size_t& i) {
	const std::size_t begin = i;
	while(i < text.size() && IsNameChar(text[i])) {
		++i;
	}
	return text.substr(begin, i - begin);
}

// The state a `:State` names, in any case, or -1.
int StateNamed(const std::string& name) {
	int state = -1;
	for(int s = 0; s < 5; ++s) {
		if(EqualsNoCase(name, g_state_names[s])) {
			state = s;
		}
	}
	return state;
}

// Skips the blanks and the `>` before a simple selector. `combinator` becomes
// '>' when there was one, else ' ' when there were blanks, else 0. Returns
// false for a second `>`.
bool ReadCombinator(const std::string& text, std::size_t& i, char& combinator) {
	combinator = 0;
	for(; i < text.size() && (IsSpace(text[i]) || text[i] == '>'); ++i) {
		if(text[i] != '>') {
			combinator = combinator ? combinator : ' ';
		}
		else if(combinator == '>') {
			return false;
		}
		else {
			combinator = '>';
		}
	}
	return true;
}

// Reads the simple selector at `i`: a type name or `*`, then any number of
// `.class`, `#id` and `:State`. Returns false when there is none or a part
// does not parse.
bool ParseSimpleSelector(const std::string& text, std::size_t& i, Theme::Simple& simple, Weight& weight) {
	const std::size_t n = text.size();
	bool any = false;
	if(i < n && text[i] == '*') {
		++i;
		any = true;
	}
	else if(i < n && IsNameChar(text[i])) {
		simple.type = ReadName(text, i);
		++weight.others;
		any = true;
	}
	while(i < n && (text[i] == '.' || text[i] == '#' || text[i] == ':')) {
		const char kind = text[i++];
		const std::string name = ReadName(text, i);
		if(name.empty()) {
			return false;
		}
		if(kind == '.') {
			simple.classes.push_back(name);
			++weight.classes;
		}
		else if(kind == '#') {
			simple.ids.push_back(name);
			++weight.ids;
		}
		else {
			const int state = StateNamed(name);
			if(state < 0 || (simple.state >= 0 && simple.state != state)) {
				return false;
			}
			simple.state = state;
			++weight.others;
		}
		any = true;
	}
	return any;
}

bool ParseSelector(const std::string& text, Theme::Selector& out) {
	out = Theme::Selector();
	Weight weight;
	std::size_t i = 0;
	char combinator = 0;
	// Blanks may come first, a `>` may not.
	if(!ReadCombinator(text, i, combinator) || combinator == '>') {
		return false;
	}
	while(i < text.size()) {
		Theme::Simple simple;
		if(!ParseSimpleSelector(text, i, simple, weight)) {
			return false;
		}
		out.parts.push_back(simple);
		if(!ReadCombinator(text, i, combinator)) {
			return false;
		}
		if(i == text.size()) {
			if(combinator == '>') {
				return false; // nothing after the `>`
			}
		}
		else if(!combinator) {
			return false; // two simple selectors run together
		}
		else {
			out.combinators.push_back(combinator);
		}
	}
	if(out.parts.empty()) {
		return false;
	}
	out.specificity = weight.Specificity();
	return true;
}

// Appends `name` so that no two different lists of names read the same.
void AppendName(std::string& out, const std::string& name) {
	out += std::to_string(name.size());
	out += ':';
	out += name;
}

// What a selector asks, as text: two selectors that read the same match the
// same widgets with the same specificity.
std::string Canonical(const Theme::Selector& selector) {
	std::string out;
	for(std::size_t i = 0; i < selector.parts.size(); ++i) {
		const Theme::Simple& part = selector.parts[i];
		AppendName(out, part.type);
		for(const auto& cls : part.classes) {
			out += '.';
			AppendName(out, cls);
		}
		for(const auto& id : part.ids) {
			out += '#';
			AppendName(out, id);
		}
		out += ':';
		out += std::to_string(part.state);
		out += i < selector.combinators.size() ? selector.combinators[i] : ';';
	}
	return out;
}

// A group's members in order; a member that repeats an earlier one adds
// nothing and is dropped, so that a group of a million copies of one
// selector costs what one does.
bool ParseSelectorGroup(const std::string& text, std::vector<Theme::Selector>& out) {
	out.clear();
	std::unordered_set<std::string> seen;
	std::size_t begin = 0;
	while(true) {
		const std::size_t comma = text.find(',', begin);
		const std::string part = text.substr(begin, comma == std::string::npos ? std::string::npos : comma - begin);
		Theme::Selector selector;
		if(!ParseSelector(part, selector)) {
			out.clear();
			return false;
		}
		if(seen.insert(Canonical(selector)).second) {
			out.push_back(std::move(selector));
		}
		if(comma == std::string::npos) {
			return true;
		}
		begin = comma + 1;
	}
}

bool ParseDeclaration(const std::string& raw_name, const std::string& raw_value, Theme::Declaration& out) {
	const std::string name = Trim(raw_name);
	std::string value = Trim(raw_value);
	if(name.empty() || value.empty() || name.size() > 64 || value.size() > 4096) {
		return false;
	}
	for(char c : name) {
		if(!IsNameChar(c)) {
			return false;
		}
	}
	out = Theme::Declaration();
	out.name = name;
	for(int p = 0; p < Theme::PROPERTY_COUNT; ++p) {
		if(name == g_property_names[p]) {
			out.property = static_cast<Theme::Property>(p);
		}
	}
	switch(out.property) {
		case Theme::COLOR:
		case Theme::BACKGROUND_COLOR:
		case Theme::BORDER_COLOR:
		case Theme::TITLE_BACKGROUND_COLOR:
			if(!ParseColor(value, out.color)) {
				return false;
			}
			break;
		case Theme::BORDER_COLOR_SHIFT:
			if(!ParseNumber(value, -255.f, 255.f, out.number)) {
				return false;
			}
			break;
		case Theme::FONT_SIZE:
			if(!ParseNumber(value, 1.f, 200.f, out.number)) {
				return false;
			}
			break;
		case Theme::BORDER_WIDTH:
		case Theme::PADDING:
		case Theme::SPACING:
		case Theme::GAP:
		case Theme::TITLE_PADDING:
			if(!ParseNumber(value, 0.f, 10000.f, out.number)) {
				return false;
			}
			break;
		case Theme::FONT_NAME:
			if(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
				value = Trim(value.substr(1, value.size() - 2));
			}
			if(value.empty()) {
				return false;
			}
			break;
		case Theme::OTHER:
			break;
	}
	out.text = value;
	return true;
}

// Blocks do not nest: from the `{` at `open`, the index past the brace that
// closes it (or the end of the text).
std::size_t SkipNestedBlock(const std::string& text, std::size_t open) {
	int depth = 1;
	std::size_t k = open + 1;
	for(; k < text.size() && depth > 0; ++k) {
		if(text[k] == '{') {
			++depth;
		}
		else if(text[k] == '}') {
			--depth;
		}
	}
	return k;
}

// Reads a block's declarations, `name: value` separated by semicolons.
// Returns false when one did not parse; it is skipped, the rest are read.
bool ParseDeclarations(const std::string& block, std::vector<Theme::Declaration>& out) {
	bool ok = true;
	std::size_t begin = 0;
	while(begin <= block.size()) {
		std::size_t end = block.find(';', begin);
		if(end == std::string::npos) {
			end = block.size();
		}
		const std::string item = block.substr(begin, end - begin);
		if(!Trim(item).empty()) {
			const std::size_t colon = item.find(':');
			Theme::Declaration declaration;
			if(colon == std::string::npos ||
			   !ParseDeclaration(item.substr(0, colon), item.substr(colon + 1), declaration)) {
				ok = false;
			}
			else {
				out.push_back(declaration);
			}
		}
		begin = end + 1;
	}
	return ok;
}

}

bool Theme::Parse(const std::string& input) {
	const std::size_t first_entry = m_index.size();
	std::string text;
	bool ok = StripComments(input, text);
	std::size_t i = 0;
	const std::size_t n = text.size();
	while(i < n) {
		while(i < n && IsSpace(text[i])) {
			++i;
		}
		if(i >= n) {
			break;
		}
		const std::size_t open = text.find('{', i);
		if(open == std::string::npos) {
			ok = false; // a selector without a block
			break;
		}
		const std::size_t stray_close = text.rfind('}', open);
		if(stray_close != std::string::npos && stray_close >= i) {
			ok = false; // garbage up to a closing brace: drop it
			i = stray_close + 1;
			continue;
		}
		std::size_t close = text.find('}', open + 1);
		const std::size_t nested = text.find('{', open + 1);
		bool rule_ok = true;
		if(close == std::string::npos) {
			rule_ok = false;
			close = n;
		}
		if(nested < close) {
			ok = false;
			i = SkipNestedBlock(text, open);
			continue;
		}
		Rule rule;
		if(!ParseSelectorGroup(text.substr(i, open - i), rule.selectors)) {
			rule_ok = false;
		}
		if(!ParseDeclarations(text.substr(open + 1, close - open - 1), rule.declarations)) {
			ok = false;
		}
		if(!rule_ok) {
			ok = false;
		}
		else if(!rule.declarations.empty()) {
			AddRule(std::move(rule));
		}
		i = close + 1;
	}
	SortIndex(first_entry);
	++m_generation;
	m_looks.clear();
	return ok;
}

bool Theme::Add(const std::string& selector, const std::string& property, const std::string& value) {
	Rule rule;
	Declaration declaration;
	if(!ParseSelectorGroup(selector, rule.selectors) || !ParseDeclaration(property, value, declaration)) {
		return false;
	}
	rule.declarations.push_back(declaration);
	const std::size_t first_entry = m_index.size();
	AddRule(std::move(rule));
	SortIndex(first_entry);
	++m_generation;
	m_looks.clear();
	return true;
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
