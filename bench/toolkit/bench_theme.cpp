// Styling the designer's 828 grid cells: the theme resolved for every cell,
// once against the shipped theme and once against the shipped theme plus
// 100,000 rules that match no cell, measured alternately in the same loop.
// Rules that cannot match a widget should cost it nothing: the goal is
// ratio_to_shipped <= 2.
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

double StyleCells(const sfg::priv::Theme& theme, const Designer& designer, sfg::priv::Style& style) {
	const auto start = std::chrono::steady_clock::now();
	for(const auto& cell : designer.cells) {
		theme.Resolve(*cell, style);
	}
	benchmark::DoNotOptimize(style.padding);
	return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_StyleDesignerCells(benchmark::State& state) {
	std::ifstream file("Themes/Vondrellex.theme");
	if(!file) {
		state.SkipWithError("Themes/Vondrellex.theme not found: run from the top of the source tree");
		return;
	}
	std::ostringstream shipped_text;
	shipped_text << file.rdbuf();
	sfg::priv::Theme shipped;
	sfg::priv::Theme large;
	shipped.Parse(shipped_text.str());
	large.Parse(shipped_text.str() + NonMatchingRules(static_cast<int>(state.range(0))));
	const Designer designer = MakeDesigner();
	sfg::priv::Style style;
	double shipped_time = 0.0;
	double large_time = 0.0;
	for(auto _ : state) {
		shipped_time += StyleCells(shipped, designer, style);
		large_time += StyleCells(large, designer, style);
	}
	const double n = static_cast<double>(state.iterations());
	state.counters["shipped_ms"] = 1e3 * shipped_time / n;
	state.counters["large_ms"] = 1e3 * large_time / n;
	state.counters["ratio_to_shipped"] = large_time / shipped_time;
}
BENCHMARK(BM_StyleDesignerCells)->Arg(100000)->Unit(benchmark::kMillisecond);

}

BENCHMARK_MAIN();
