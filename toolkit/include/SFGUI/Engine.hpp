#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace sfg {

class Widget;

namespace priv {
class Theme;
}

// Holds the theme: the built-in look plus every rule loaded on top of it.
// One engine serves the whole process (see Context).
class Engine {
public:
	Engine();
	~Engine();
	Engine(const Engine&) = delete;
	Engine& operator=(const Engine&) = delete;

	// Reads a CSS-like theme file and adds its rules on top of the current
	// ones. Returns false when the file cannot be read (nothing applied) or
	// when some rule or declaration did not parse (those are skipped, the
	// rest applies). Never throws or prints. A file of more than
	// MAX_THEME_BYTES counts as unreadable.
	bool LoadThemeFromFile(const std::string& filename);
	// 32 MiB: thousands of times any real theme, and small enough to read
	// whole into memory without a second thought.
	static constexpr std::uintmax_t MAX_THEME_BYTES = 32u << 20;
	// Same for theme text held in memory.
	bool LoadThemeFromString(const std::string& data);

	// Adds one rule `selector { property: value; }`. Returns false when the
	// selector or the value does not parse.
	bool SetProperty(const std::string& selector, const std::string& property, const std::string& value);

	// The value text of `property` for `widget` in its current state, or
	// empty when no rule sets it.
	std::string GetProperty(const std::string& property, const Widget& widget) const;

	// Drops every loaded rule, back to the built-in look.
	void ResetProperties();

	// Increases with every change of the rules.
	unsigned int GetGeneration() const;

	// What styling has cost so far, for tests and benchmarks: selectors
	// weighed against a widget, and looks resolved afresh (widgets that ask
	// the same question share one look).
	std::size_t GetSelectorTests() const;
	std::size_t GetResolutions() const;

private:
	// Widgets resolve their look against the rules.
	friend class Widget;
	const priv::Theme& GetTheme() const;

	std::unique_ptr<priv::Theme> m_theme;
};

}
