#include <SFGUI/Engine.hpp>

#include "priv/Theme.hpp"

#include <filesystem>
#include <fstream>

namespace sfg {

Engine::Engine() :
	m_theme(new priv::Theme()) {
}

Engine::~Engine() = default;

bool Engine::LoadThemeFromFile(const std::string& filename) {
	std::error_code error;
	if(!std::filesystem::is_regular_file(filename, error)) {
		return false; // missing, a directory, a FIFO, a device, or not even statable
	}
	const std::uintmax_t size = std::filesystem::file_size(filename, error);
	if(error || size > MAX_THEME_BYTES) {
		return false;
	}
	std::ifstream file(filename, std::ios::in | std::ios::binary);
	if(!file) {
		return false;
	}
	// Read no further than the bound, even from a file that grew meanwhile.
	std::string contents(static_cast<std::size_t>(size), '\0');
	file.read(&contents[0], static_cast<std::streamsize>(size));
	if(file.bad() || file.gcount() != static_cast<std::streamsize>(size) ||
	   file.peek() != std::ifstream::traits_type::eof()) {
		return false;
	}
	return m_theme->Parse(contents);
}

bool Engine::LoadThemeFromString(const std::string& data) {
	return m_theme->Parse(data);
}

bool Engine::SetProperty(const std::string& selector, const std::string& property, const std::string& value) {
	return m_theme->Add(selector, property, value);
}

std::string Engine::GetProperty(const std::string& property, const Widget& widget) const {
	return m_theme->Lookup(property, widget);
}

void Engine::ResetProperties() {
	m_theme->Reset();
}

unsigned int Engine::GetGeneration() const {
	return m_theme->GetGeneration();
}

std::size_t Engine::GetSelectorTests() const {
	return m_theme->GetSelectorTests();
}

std::size_t Engine::GetResolutions() const {
	return m_theme->GetResolutions();
}

const priv::Theme& Engine::GetTheme() const {
	return *m_theme;
}

}
