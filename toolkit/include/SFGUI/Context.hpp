#pragma once

#include <SFGUI/Engine.hpp>
#include <SFGUI/SharedPtr.hpp>

#include <SFML/Graphics/Font.hpp>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sfg {

class Widget;
class Desktop;

// Process-wide toolkit state: the theme engine, loaded fonts, the focused
// widget and the desktops to draw. Created on first use and deliberately
// never destroyed, so fonts and textures outlive every widget.
class Context {
public:
	static Context& Get();

	Engine& GetEngine();

	// A font by theme name: "Default", a file path, or a fontconfig family
	// name. Unknown names give the default font; may return null only when
	// no font at all can be loaded. The font lives as long as the process.
	const sf::Font* GetFont(const std::string& name);
	// The file the default font was loaded from (DejaVu Sans via fontconfig).
	const std::string& GetDefaultFontPath();

	void SetFocused(const SharedPtr<Widget>& widget);
	SharedPtr<Widget> GetFocused() const;

	void RegisterDesktop(Desktop* desktop);
	void UnregisterDesktop(Desktop* desktop);
	const std::vector<Desktop*>& GetDesktops() const;

private:
	Context() = default;

	Engine m_engine;
	std::map<std::string, const sf::Font*> m_font_by_name;
	std::map<std::string, std::unique_ptr<sf::Font>> m_font_by_path;
	std::string m_default_font_path;
	bool m_default_font_searched = false;
	WeakPtr<Widget> m_focused;
	std::vector<Desktop*> m_desktops;
};

}
