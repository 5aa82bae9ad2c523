#include <SFGUI/Engine.hpp>

#include "priv/Theme.hpp"

#include <filesystem>
#include <fstream>
#include <sstream>

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
	std::ifstream file(filename, std::ios::in | std::ios::binary);
	if(!file) {
		return false;
	}
	std::ostringstream contents;
	contents << file.rdbuf();
	if(file.bad()) {
		return false;
	}
	return m_theme->Parse(contents.str());
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

const priv::Theme& Engine::GetTheme() const {
	return *m_theme;
}

}
