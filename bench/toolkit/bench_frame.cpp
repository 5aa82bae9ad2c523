// The cost of drawing the game's biggest screens through the toolkit, next
// to the floor: the same quads and glyphs pre-built in one vertex array per
// texture and drawn directly. ratio_to_floor is the toolkit frame's time
// over the floor frame's, both measured alternately in the same loop.
//
// Also the world map's turn: remove its 1,000 labels, create and put 1,000
// new ones, then lay out and draw.

#include <SFGUI/SFGUI.hpp>
#include <SFGUI/Widgets.hpp>

#include <SFML/Graphics.hpp>

#include "BenchMain.h"
#include "SfmlCompat.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const NeedsDisplay needs("bench_frame");

const unsigned int g_width = 1280;
const unsigned int g_height = 720;

struct Scene {
	sf::RenderWindow window;
	sfg::SFGUI gui;
	sfg::Desktop desktop;
	sfg::Window::Ptr designer;
	std::vector<sfg::Button::Ptr> cells;
	sfg::Window::Ptr map;
	sfg::Fixed::Ptr fixed;
	sfg::Image::Ptr picture;
	std::vector<sfg::Label::Ptr> labels;
	sfg::Window::Ptr bar;
	sfg::Window::Ptr console;
	sfg::Label::Ptr console_text;
	sfg::Viewport::Ptr console_view;
	int turn = 0;
};

const char* const g_classes[] = {"zero", "three", "seven", "a", "f"};

std::string LabelText(int turn, int index) {
	static const char* const names[] = {"@Lair", "~new", "scout", "lRfX", "pingF", "aaKm"};
	return std::string(names[(index + turn) % 6]) + std::to_string(index % 97);
}

void PutLabels(Scene& scene) {
	scene.labels.clear();
	for(int i = 0; i < 1000; ++i) {
		auto label = sfg::Label::Create(LabelText(scene.turn, i));
		label->SetClass(g_classes[(i + scene.turn) % 5]);
		scene.fixed->Put(label, sf::Vector2f(static_cast<float>((i * 37 + scene.turn * 11) % 560),
											 static_cast<float>((i * 53) % 380)));
		scene.labels.push_back(label);
	}
}

// The game's screens: the designer's 828-cell grid, the world map with its
// picture and 1,000 labels, a bar of buttons and the typing console.
Scene& TheScene() {
	static Scene* scene = nullptr;
	if(scene) {
		return *scene;
	}
	scene = new Scene();
	Scene& s = *scene;
	compat::OpenWindow(s.window, {g_width, g_height}, 32, "bench_frame", sf::Style::None);
	s.window.setPosition(sf::Vector2i(0, 0));
	sfg::Context::Get().GetEngine().LoadThemeFromString(
		"Label.zero { Color: #303030ff; } Label.three { Color: #505050ff; } Label.seven { Color: #808080ff; }"
		"Label.a { Color: #b0b0b0ff; } Label.f { Color: #ffffffff; }"
		"Window.worldmap { BackgroundColor: #202020ff; } Button.rogue { Padding: 2; }");

	s.designer = sfg::Window::Create(3);
	s.designer->SetTitle(" ");
	auto table = sfg::Table::Create();
	const std::string glyphs = "#.@lfRBXTCpFrwsAakm ";
	for(std::uint32_t x = 0; x < 46; ++x) {
		for(std::uint32_t y = 0; y < 18; ++y) {
			auto cell = sfg::Button::Create(std::string(1, glyphs[(x * 7 + y * 3) % glyphs.size()]));
			cell->SetClass("rogue");
			table->Attach(cell, sf::Rect<std::uint32_t>({x, y}, {1, 1}), sfg::Table::FILL, sfg::Table::FILL);
			s.cells.push_back(cell);
		}
	}
	s.designer->Add(table);
	s.designer->SetPosition(sf::Vector2f(404.f, 300.f));

	s.map = sfg::Window::Create(3);
	s.map->SetClass("worldmap");
	s.map->SetTitle(" ");
	s.map->SetPosition(sf::Vector2f(104.f, 40.f));
	sf::Image picture;
	compat::Resize(picture, {600, 400}, sf::Color(30, 50, 30));
	for(unsigned int y = 0; y < 400; y += 7) {
		for(unsigned int x = 0; x < 600; ++x) {
			compat::SetPixel(picture, x, y, sf::Color(40, 70, 40));
		}
	}
	s.fixed = sfg::Fixed::Create();
	s.picture = sfg::Image::Create(picture);
	s.fixed->Put(s.picture, sf::Vector2f(0.f, 0.f));
	PutLabels(s);
	s.map->Add(s.fixed);

	s.bar = sfg::Window::Create(2);
	s.bar->SetRequisition(sf::Vector2f(64.f, static_cast<float>(g_height)));
	auto box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 5.f);
	for(int i = 0; i < 8; ++i) {
		box->Pack(sfg::Button::Create("c~new" + std::to_string(i)), false, true);
	}
	s.bar->Add(box);

	s.console = sfg::Window::Create(3);
	s.console->SetClass("mashwindow");
	s.console->SetPosition(sf::Vector2f(384.f, 240.f));
	s.console_view = sfg::Viewport::Create();
	s.console_view->SetRequisition(sf::Vector2f(510.f, 254.f));
	s.console_view->GetVerticalAdjustment()->SetUpper(100000000.f);
	auto console_box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL);
	s.console_text = sfg::Label::Create();
	s.console_text->SetClass("mashwindow");
	s.console_text->SetRequisition(sf::Vector2f(512.f, 256.f));
	s.console_text->SetLineWrap(true);
	std::string text;
	while(text.size() < 1031) {
		text += "void World::Turn() {\n\tfor(auto* o : objects) o->Act(); // each room in order\n}\n";
	}
	text.resize(1031);
	s.console_text->SetText(text);
	console_box->Pack(s.console_text);
	s.console_view->Add(console_box);
	s.console->Add(s.console_view);
	s.console_view->GetVerticalAdjustment()->SetValue(s.console_text->GetRequisition().y - 256.f);

	s.desktop.Add(s.map);
	s.desktop.Add(s.designer);
	s.desktop.Add(s.console);
	s.desktop.Add(s.bar);
	return s;
}

// The floor: every quad the toolkit draws for these screens, built once
// from the widgets' final geometry into one array per texture.
struct Floor {
	sf::VertexArray quads{sf::PrimitiveType::Triangles};
	sf::VertexArray glyphs{sf::PrimitiveType::Triangles};
	sf::VertexArray pictures{sf::PrimitiveType::Triangles};
	sf::Texture picture;
	const sf::Texture* atlas = nullptr;
};

void AddQuad(sf::VertexArray& array, sf::FloatRect rect, sf::Color color, sf::FloatRect texture = sf::FloatRect()) {
	const sf::Vector2f start = compat::Corner(rect);
	const sf::Vector2f end = start + compat::Size(rect);
	const sf::Vector2f texture_start = compat::Corner(texture);
	const sf::Vector2f texture_end = texture_start + compat::Size(texture);
	const sf::Vector2f corners[4] = {start, {end.x, start.y}, {start.x, end.y}, end};
	const sf::Vector2f uv[4] = {
		texture_start, {texture_end.x, texture_start.y}, {texture_start.x, texture_end.y}, texture_end};
	for(int index : {0, 1, 2, 2, 1, 3}) {
		array.append(sf::Vertex{corners[index], color, uv[index]});
	}
}

// A box with a one-pixel bevel: five quads, as the toolkit draws it.
void AddBox(sf::VertexArray& array, sf::FloatRect rect, sf::Color color) {
	const sf::Vector2f at = compat::Corner(rect);
	const sf::Vector2f size = compat::Size(rect);
	AddQuad(array, rect, color);
	AddQuad(array, sf::FloatRect(at, {size.x, 1.f}), sf::Color(100, 100, 100));
	AddQuad(array, sf::FloatRect({at.x, at.y + 1.f}, {1.f, size.y - 1.f}), sf::Color(100, 100, 100));
	AddQuad(array, sf::FloatRect({at.x + 1.f, at.y + size.y - 1.f}, {size.x - 1.f, 1.f}), sf::Color(40, 40, 40));
	AddQuad(array, sf::FloatRect({at.x + size.x - 1.f, at.y + 1.f}, {1.f, size.y - 2.f}), sf::Color(40, 40, 40));
}

void AddText(Floor& floor, const sf::Font& font, const std::string& text, sf::Vector2f origin, sf::Color color) {
	float pen = std::round(origin.x);
	float baseline = std::round(origin.y) + 12.f;
	for(char c : text) {
		if(c == '\n') {
			pen = std::round(origin.x);
			baseline += std::ceil(font.getLineSpacing(12));
			continue;
		}
		const sf::Glyph& glyph = font.getGlyph(static_cast<unsigned char>(c == '\t' ? ' ' : c), 12, false);
		if(c != ' ' && c != '\t') {
			AddQuad(
				floor.glyphs,
				sf::FloatRect(sf::Vector2f(pen, baseline) + compat::Corner(glyph.bounds), compat::Size(glyph.bounds)),
				color, sf::FloatRect(glyph.textureRect));
		}
		pen += glyph.advance;
	}
}

Floor& TheFloor(Scene& s) {
	static Floor* floor = nullptr;
	if(floor) {
		return *floor;
	}
	floor = new Floor();
	Floor& f = *floor;
	const sf::Font& font = *sfg::Context::Get().GetFont("Default");
	for(const auto& window : {s.map, s.designer, s.console, s.bar}) {
		const sf::FloatRect& a = window->GetAllocation();
		AddBox(f.quads, a, sf::Color(70, 70, 70));
		if(window->HasStyle(sfg::Window::TITLEBAR)) {
			AddQuad(f.quads, sf::FloatRect(compat::Corner(a), {compat::Size(a).x, 24.f}), sf::Color(90, 106, 80));
		}
	}
	for(const auto& cell : s.cells) {
		const sf::Vector2f at = cell->GetAbsolutePosition();
		AddBox(f.quads, sf::FloatRect(at, compat::Size(cell->GetAllocation())), sf::Color(85, 87, 82));
		AddText(f, font, cell->GetLabel().toAnsiString(), at + sf::Vector2f(3.f, 2.f), sf::Color::White);
	}
	for(const auto& label : s.labels) {
		AddText(f, font, label->GetText().toAnsiString(), label->GetAbsolutePosition(), sf::Color::White);
	}
	for(const auto& child : s.bar->GetChildren()) {
		for(const auto& widget : std::static_pointer_cast<sfg::Container>(child)->GetChildren()) {
			const sf::Vector2f at = widget->GetAbsolutePosition();
			AddBox(f.quads, sf::FloatRect(at, compat::Size(widget->GetAllocation())), sf::Color(85, 87, 82));
			AddText(f, font, std::static_pointer_cast<sfg::Button>(widget)->GetLabel().toAnsiString(),
					at + sf::Vector2f(5.f, 5.f), sf::Color::White);
		}
	}
	// The console's text, all of it, as the toolkit draws it (clipped by the GPU).
	const sf::Vector2f console_at = s.console_text->GetAbsolutePosition();
	AddText(f, font, s.console_text->GetWrappedText().toAnsiString(), console_at, sf::Color::White);
	f.atlas = &font.getTexture(12);
	if(!f.picture.loadFromImage(s.picture->GetImage())) {
		std::fprintf(stderr, "cannot make the picture's texture\n");
	}
	const sf::Vector2f picture_at = s.picture->GetAbsolutePosition();
	AddQuad(f.pictures, sf::FloatRect(picture_at, sf::Vector2f(600.f, 400.f)), sf::Color::White,
			sf::FloatRect({0.f, 0.f}, {600.f, 400.f}));
	return f;
}

void DrawFloor(sf::RenderWindow& window, const Floor& floor) {
	window.draw(floor.quads);
	window.draw(floor.pictures, sf::RenderStates(&floor.picture));
	window.draw(floor.glyphs, sf::RenderStates(floor.atlas));
}

double Seconds(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to) {
	return std::chrono::duration<double>(to - from).count();
}

// One frame as the game's loop does it (clear, toolkit draw, show), next to
// the floor's frame (clear, three draws, show).
void BM_Frame(benchmark::State& state) {
	Scene& s = TheScene();
	s.window.clear();
	s.gui.Display(s.window);
	s.window.display();
	Floor& floor = TheFloor(s);
	double toolkit_time = 0.0;
	double floor_time = 0.0;
	for(auto _ : state) {
		const auto t0 = std::chrono::steady_clock::now();
		s.window.clear();
		s.gui.Display(s.window);
		s.window.display();
		const auto t1 = std::chrono::steady_clock::now();
		s.window.clear();
		DrawFloor(s.window, floor);
		s.window.display();
		const auto t2 = std::chrono::steady_clock::now();
		toolkit_time += Seconds(t0, t1);
		floor_time += Seconds(t1, t2);
		state.SetIterationTime(Seconds(t0, t1));
	}
	const double n = static_cast<double>(state.iterations());
	state.counters["toolkit_ms"] = 1e3 * toolkit_time / n;
	state.counters["floor_ms"] = 1e3 * floor_time / n;
	state.counters["ratio_to_floor"] = toolkit_time / floor_time;
	state.counters["draw_calls"] = s.gui.GetLastDrawCallCount();
	state.counters["floor_vertices"] =
		static_cast<double>(floor.quads.getVertexCount() + floor.glyphs.getVertexCount() + 6);
}
BENCHMARK(BM_Frame)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Clear and show alone: what every frame pays before drawing anything.
void BM_EmptyFrame(benchmark::State& state) {
	Scene& s = TheScene();
	for(auto _ : state) {
		s.window.clear();
		s.window.display();
	}
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond);

// The same frame while the pointer sweeps over the designer's grid: each
// move changes two cells' hover state, so the designer's batches are rebuilt
// every frame.
void BM_FrameWithHover(benchmark::State& state) {
	Scene& s = TheScene();
	const sf::FloatRect grid = s.designer->GetAllocation();
	int step = 0;
	for(auto _ : state) {
		const sf::Vector2i corner(compat::Corner(grid));
		const int width = static_cast<int>(compat::Size(grid).x - 40.f);
		const sf::Vector2i pointer(corner.x + 20 + (step * 9) % width, corner.y + 40 + (step / 40 * 7) % 300);
		++step;
		s.desktop.HandleEvent(compat::MouseMoveEvent(pointer));
		s.window.clear();
		s.gui.Display(s.window);
		s.window.display();
	}
}
BENCHMARK(BM_FrameWithHover)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The world map's turn: remove every label, create and put N new ones with
// their classes, then lay out and draw one frame. Linear in N.
void BM_ReplaceLabels(benchmark::State& state) {
	Scene& s = TheScene();
	const int count = static_cast<int>(state.range(0));
	auto replace = [&s, count]() {
		for(const auto& label : s.labels) {
			s.fixed->Remove(label);
		}
		s.labels.clear();
		++s.turn;
		for(int i = 0; i < count; ++i) {
			auto label = sfg::Label::Create(LabelText(s.turn, i));
			label->SetClass(g_classes[(i + s.turn) % 5]);
			s.fixed->Put(label, sf::Vector2f(static_cast<float>((i * 37 + s.turn * 11) % 560),
											 static_cast<float>((i * 53) % 380)));
			s.labels.push_back(label);
		}
	};
	for(auto _ : state) {
		replace();
		s.window.clear();
		s.gui.Display(s.window);
		s.window.display();
	}
	state.SetComplexityN(count);
}
BENCHMARK(BM_ReplaceLabels)->Arg(250)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// The same replacement without drawing: the toolkit's own work.
void BM_ReplaceLabelsLayoutOnly(benchmark::State& state) {
	Scene& s = TheScene();
	for(auto _ : state) {
		for(const auto& label : s.labels) {
			s.fixed->Remove(label);
		}
		s.labels.clear();
		++s.turn;
		PutLabels(s);
		sf::FloatRect allocation = s.map->GetAllocation();
		benchmark::DoNotOptimize(allocation);
	}
}
BENCHMARK(BM_ReplaceLabelsLayoutOnly)->Unit(benchmark::kMillisecond);

// The console's per-turn work: a new 1,031-character text, its wrapped
// height, and the scroll to its end.
void BM_ConsoleSetText(benchmark::State& state) {
	Scene& s = TheScene();
	std::string text = s.console_text->GetText().toAnsiString();
	int step = 0;
	for(auto _ : state) {
		text.erase(0, 5);
		text += "abcd" + std::to_string(step++ % 10);
		s.console_text->SetText(text);
		s.console_view->GetVerticalAdjustment()->SetValue(s.console_text->GetRequisition().y - 256.f);
		sf::FloatRect allocation = s.console->GetAllocation();
		benchmark::DoNotOptimize(allocation);
	}
}
BENCHMARK(BM_ConsoleSetText)->Unit(benchmark::kMicrosecond);

}
