#include <SFGUI/Context.hpp>

#include <SFGUI/Widget.hpp>

#include "priv/SfmlCompat.hpp"

#include <SFML/System/Err.hpp>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace sfg {

namespace {

struct FontMatch {
	std::string family;
	std::string file;
};

FontMatch MatchFamily(const std::string& name) {
	FontMatch result;
	FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name.c_str()));
	if(!pattern) {
		return result;
	}
	FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
	FcDefaultSubstitute(pattern);
	FcResult outcome = FcResultNoMatch;
	FcPattern* match = FcFontMatch(nullptr, pattern, &outcome);
	if(match) {
		FcChar8* family = nullptr;
		FcChar8* file = nullptr;
		if(FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch && family) {
			result.family = reinterpret_cast<const char*>(family);
		}
		if(FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
			result.file = reinterpret_cast<const char*>(file);
		}
		FcPatternDestroy(match);
	}
	FcPatternDestroy(pattern);
	return result;
}

bool SameName(const std::string& a, const std::string& b) {
	return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
			   return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
		   });
}

// A regular file (or a link to one) with something in it. Nothing else is
// opened: a theme may name any path as its font, and opening a FIFO would
// wait for a writer.
bool IsReadableFile(const std::string& path) {
	std::error_code error;
	if(!std::filesystem::is_regular_file(path, error)) {
		return false;
	}
	std::ifstream file(path, std::ios::in | std::ios::binary);
	return static_cast<bool>(file) && file.peek() != std::ifstream::traits_type::eof();
}

}

Context& Context::Get() {
	// Never destroyed: fonts and their atlases must outlive every widget and
	// every static object that might still draw.
	static Context* context = new Context();
	return *context;
}

Engine& Context::GetEngine() {
	return m_engine;
}

const std::string& Context::GetDefaultFontPath() {
	if(!m_default_font_searched) {
		m_default_font_searched = true;
		for(const char* family : {"DejaVu Sans", "sans-serif"}) {
			const FontMatch match = MatchFamily(family);
			if(!match.file.empty() && IsReadableFile(match.file)) {
				m_default_font_path = match.file;
				break;
			}
		}
	}
	return m_default_font_path;
}

const sf::Font* Context::GetFont(const std::string& name) {
	auto known = m_font_by_name.find(name);
	if(known != m_font_by_name.end()) {
		return known->second;
	}
	auto load = [this](const std::string& path) -> const sf::Font* {
		if(path.empty()) {
			return nullptr;
		}
		auto loaded = m_font_by_path.find(path);
		if(loaded != m_font_by_path.end()) {
			return loaded->second.get();
		}
		if(!IsReadableFile(path)) {
			return nullptr;
		}
		std::unique_ptr<sf::Font> font(new sf::Font());
		// A bad file is a theme problem, reported by falling back, not by text.
		std::streambuf* previous = sf::err().rdbuf(nullptr);
		const bool ok = priv::LoadFont(*font, path);
		sf::err().rdbuf(previous);
		sf::err().clear();
		if(!ok) {
			return nullptr;
		}
		const sf::Font* result = font.get();
		m_font_by_path[path] = std::move(font);
		return result;
	};
	const sf::Font* font = nullptr;
	if(!SameName(name, "Default")) {
		if(name.find('/') != std::string::npos || name.find('.') != std::string::npos) {
			font = load(name);
		}
		if(!font) {
			const FontMatch match = MatchFamily(name);
			if(SameName(match.family, name)) {
				font = load(match.file);
			}
		}
	}
	if(!font) {
		font = load(GetDefaultFontPath());
	}
	m_font_by_name[name] = font;
	return font;
}

void Context::SetFocused(const SharedPtr<Widget>& widget) {
	m_focused = widget;
}

SharedPtr<Widget> Context::GetFocused() const {
	return m_focused.lock();
}

void Context::RegisterDesktop(Desktop* desktop) {
	if(std::find(m_desktops.begin(), m_desktops.end(), desktop) == m_desktops.end()) {
		m_desktops.push_back(desktop);
	}
}

void Context::UnregisterDesktop(Desktop* desktop) {
	m_desktops.erase(std::remove(m_desktops.begin(), m_desktops.end(), desktop), m_desktops.end());
}

const std::vector<Desktop*>& Context::GetDesktops() const {
	return m_desktops;
}

}
