// Styling the designer's 828 grid cells: the theme resolved for every cell,
// once against the shipped theme and once against the shipped theme plus
// 100,000 rules that match no cell, measured alternately in the same loop.
// Rules that cannot match a widget should cost it nothing: the goal is
// ratio_to_shipped <= 2.
//
// Then two themes of about 10 MB whose rules do match, styled the way the
// widgets style themselves (one look per distinct question, see
// priv::Theme::Look): 160,000 rules that all match the designer's cells, and
// the shipped theme behind one rule of a group of 1,700,000 `Label`
// selectors. first_ms is the first styling after the theme loaded (goal:
// under 1 s); ratio_to_shipped compares what styling costs a key from then
// on, a designer made anew or the map's labels made anew each turn, with
// the same against the shipped theme (goal: at most 3).
//
// Needs no display (styling loads the font but draws nothing). Run it from
// the top of the source tree, where it finds Themes/Vondrellex.theme.

#include "priv/Style.hpp"
#include "priv/Theme.hpp"

#include <SFGUI/Widgets.hpp>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Designer {
	sfg::Window::Ptr window;
	std::vector<sfg::Button::Ptr> cells;
};

// The designer's widget tree: a column of choice buttons beside the 46 x 18
// grid, and under them the type string and the three command buttons.
Designer MakeDesigner() {
	Designer d;
	d.window = sfg::Window::Create(3);
	d.window->SetClass("rogue");
	auto contains = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 0.f);
	auto first_row = sfg::Box::Create(sfg::Box::Orientation::HORIZONTAL, 0.f);
	auto choices = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 0.f);
	for(const char* kind : {"@", "l", "R", "p", "f"}) {
		auto choice = sfg::Button::Create(kind);
		choice->SetClass("available");
		choices->Pack(choice);
	}
	auto grid = sfg::Table::Create();
	for(std::uint32_t x = 0; x < 46; ++x) {
		for(std::uint32_t y = 0; y < 18; ++y) {
			auto cell = sfg::Button::Create(" ");
			cell->SetClass("available");
			grid->Attach(cell, sf::Rect<std::uint32_t>({x, y}, {1, 1}));
			d.cells.push_back(cell);
		}
	}
	first_row->Pack(choices);
	first_row->Pack(grid);
	auto second_row = sfg::Fixed::Create();
	auto description = sfg::Label::Create();
	description->SetClass("rogue");
	second_row->Put(description, sf::Vector2f(20.f, 10.f));
	for(const char* command : {"Inventory", "Delete", "Spawn"}) {
		auto button = sfg::Button::Create(command);
		button->SetClass("rogue");
		second_row->Put(button, sf::Vector2f(0.f, 0.f));
	}
	contains->Pack(first_row);
	contains->Pack(second_row);
	d.window->Add(contains);
	return d;
}

// Rules of every kind a theme may hold (by class, id, type, under
// ancestors, and aimed at the cells' class but narrowed by an id), none of
// which matches a designer cell.
std::string NonMatchingRules(int count) {
	std::string rules;
	for(int i = 0; i < count; ++i) {
		const std::string n = std::to_string(i);
		switch(i % 5) {
			case 0:
				rules += "Label.gone" + n + " { Color: #102030; }\n";
				break;
			case 1:
				rules += "#cell" + n + " { Padding: 2; }\n";
				break;
			case 2:
				rules += "Widget" + n + " { Gap: 3; }\n";
				break;
			case 3:
				rules += "Window.rogue Table > Button.lit" + n + " { FontSize: 11; }\n";
				break;
			default:
				rules += "Button.available#cell" + n + " { BackgroundColor: #203040; }\n";
				break;
		}
	}
	return rules;
}

std::string ShippedTheme(benchmark::State& state) {
	std::ifstream file("Themes/Vondrellex.theme");
	if(!file) {
		state.SkipWithError("Themes/Vondrellex.theme not found: run from the top of the source tree");
		return std::string();
	}
	std::ostringstream text;
	text << file.rdbuf();
	return text.str();
}

double Seconds(std::chrono::steady_clock::time_point since) {
	return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The counters every comparison with the shipped theme reports.
void ReportAgainstShipped(benchmark::State& state, double shipped_time, double large_time) {
	const double n = static_cast<double>(state.iterations());
	state.counters["shipped_ms"] = 1e3 * shipped_time / n;
	state.counters["large_ms"] = 1e3 * large_time / n;
	state.counters["ratio_to_shipped"] = large_time / shipped_time;
}

double StyleCells(const sfg::priv::Theme& theme, const Designer& designer, sfg::priv::Style& style) {
	const auto start = std::chrono::steady_clock::now();
	for(const auto& cell : designer.cells) {
		theme.Resolve(*cell, style);
	}
	benchmark::DoNotOptimize(style.padding);
	return Seconds(start);
}

void BM_StyleDesignerCells(benchmark::State& state) {
	const std::string shipped_text = ShippedTheme(state);
	if(shipped_text.empty()) {
		return;
	}
	sfg::priv::Theme shipped;
	sfg::priv::Theme large;
	shipped.Parse(shipped_text);
	large.Parse(shipped_text + NonMatchingRules(static_cast<int>(state.range(0))));
	const Designer designer = MakeDesigner();
	sfg::priv::Style style;
	double shipped_time = 0.0;
	double large_time = 0.0;
	for(auto _ : state) {
		shipped_time += StyleCells(shipped, designer, style);
		large_time += StyleCells(large, designer, style);
	}
	ReportAgainstShipped(state, shipped_time, large_time);
}
BENCHMARK(BM_StyleDesignerCells)->Arg(100000)->Unit(benchmark::kMillisecond);

// About 10 MB of rules of every form that matches a designer cell: by type,
// class and state, under each of its ancestors, by child and descendant.
std::string MatchingRules() {
	const char* const selectors[] = {"Button",
									 "Button.available",
									 "Button:Normal",
									 "Table > Button",
									 "Window.rogue Button.available",
									 "Box Table Button",
									 "Window Box > Box > Table > Button.available:Normal",
									 "* Button"};
	std::string rules;
	for(int i = 0; rules.size() < 10u * 1024u * 1024u; ++i) {
		rules += selectors[i % 8];
		rules +=
			" { Padding: " + std::to_string(i % 3) + "; BackgroundColor: #2030" + std::to_string(10 + i % 90) + "; }\n";
	}
	return rules;
}

std::string LongLabelGroup() {
	std::string rules;
	rules.reserve(1700000u * 7u + 32u);
	for(int i = 0; i < 1700000; ++i) {
		rules += "Label, ";
	}
	return rules + "Label { Padding: 3; }\n";
}

// The world map's labels, made anew as every turn makes them: one per object
// shown, with one of the sixteen fading classes.
struct Map {
	sfg::Window::Ptr window = sfg::Window::Create(3);
	sfg::Fixed::Ptr fixed = sfg::Fixed::Create();
	std::vector<sfg::Label::Ptr> labels;
	Map() {
		window->SetClass("worldmap");
		window->Add(fixed);
	}
	void Rebuild() {
		static const char* const classes[] = {"zero",  "one",  "two", "three", "four", "five", "six", "seven",
											  "eight", "nine", "a",   "b",     "c",    "d",    "e",   "f"};
		fixed->RemoveAll();
		labels.clear();
		for(int i = 0; i < 40; ++i) {
			auto label = sfg::Label::Create("lR" + std::to_string(i));
			label->SetClass(classes[i % 16]);
			fixed->Put(label, sf::Vector2f(static_cast<float>(i * 10), 0.f));
			labels.push_back(label);
		}
	}
};

template <typename Widgets>
double StyleLooks(const sfg::priv::Theme& theme, const Widgets& widgets) {
	const auto start = std::chrono::steady_clock::now();
	float sum = 0.f;
	for(const auto& widget : widgets) {
		sum += theme.Look(*widget)->padding;
	}
	benchmark::DoNotOptimize(sum);
	return Seconds(start);
}

void BM_MatchingRules(benchmark::State& state) {
	const std::string shipped_text = ShippedTheme(state);
	sfg::priv::Theme shipped;
	sfg::priv::Theme large;
	shipped.Parse(shipped_text);
	large.Parse(shipped_text + MatchingRules());
	const std::size_t tests_before = large.GetSelectorTests();
	const double first = StyleLooks(large, MakeDesigner().cells);
	state.counters["first_ms"] = 1e3 * first;
	state.counters["selector_tests"] = static_cast<double>(large.GetSelectorTests() - tests_before);
	StyleLooks(shipped, MakeDesigner().cells);
	double shipped_time = 0.0;
	double large_time = 0.0;
	for(auto _ : state) {
		shipped_time += StyleLooks(shipped, MakeDesigner().cells);
		large_time += StyleLooks(large, MakeDesigner().cells);
	}
	ReportAgainstShipped(state, shipped_time, large_time);
}
BENCHMARK(BM_MatchingRules)->Unit(benchmark::kMillisecond);

void BM_LongLabelGroup(benchmark::State& state) {
	const std::string shipped_text = ShippedTheme(state);
	sfg::priv::Theme shipped;
	sfg::priv::Theme large;
	shipped.Parse(shipped_text);
	large.Parse(shipped_text + LongLabelGroup());
	Map map;
	map.Rebuild();
	const double first = StyleLooks(large, map.labels);
	state.counters["first_ms"] = 1e3 * first;
	double shipped_time = 0.0;
	double large_time = 0.0;
	for(auto _ : state) {
		map.Rebuild();
		shipped_time += StyleLooks(shipped, map.labels);
		map.Rebuild();
		large_time += StyleLooks(large, map.labels);
	}
	ReportAgainstShipped(state, shipped_time, large_time);
}
BENCHMARK(BM_LongLabelGroup)->Unit(benchmark::kMillisecond);

}
