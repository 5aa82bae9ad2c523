#include "priv/Theme.hpp"

#include <SFGUI/Widget.hpp>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <unordered_set>

// Text to rules: character classes, comments, selectors, declarations and
// blocks. What the rules then do to a widget is in Theme.cpp.

namespace sfg {
namespace priv {

namespace {

const char* const g_property_names[] = {
	"Color", "BackgroundColor", "BorderColor", "BorderColorShift",     "BorderWidth", "Padding", "Spacing",
	"Gap",   "FontName",        "FontSize",    "TitleBackgroundColor", "TitlePadding"};

const char* const g_state_names[] = {"Normal", "Active", "Prelight", "Selected", "Insensitive"};

// A name per enumerator, in the enumerators' order.
static_assert(std::size(g_property_names) == Theme::PROPERTY_COUNT,
			  "a theme property without its name, or a name too many");
static_assert(std::size(g_state_names) == static_cast<std::size_t>(Widget::State::INSENSITIVE) + 1,
			  "a widget state without its name, or a name too many");

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
	for(std::size_t s = 0; s < std::size(g_state_names); ++s) {
		if(EqualsNoCase(name, g_state_names[s])) {
			state = static_cast<int>(s);
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
	for(std::size_t p = 0; p < std::size(g_property_names); ++p) {
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

}
}
