#include "ToolkitTestSupport.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

using namespace toolkit_test;

namespace {

class SfgTheme : public ToolkitTest {
protected:
	// A window.mashwindow > box > button.vbar#spawn tree, a lone
	// button.vbar and a label.
	void SetUp() override {
		ToolkitTest::SetUp();
		window->SetClass("mashwindow");
		button->SetClass("vbar");
		lone->SetClass("vbar");
		button->SetId("spawn");
		box->Pack(button);
		window->Add(box);
	}

	// b: the button, B: the button in its prelight state, l: the lone
	// button, x: the box, L: the label, w: the window.
	std::string Get(const std::string& property, char widget) {
		button->SetState(widget == 'B' ? sfg::Widget::State::PRELIGHT : sfg::Widget::State::NORMAL);
		const sfg::Widget::Ptr widgets[] = {button, button, lone, box, label, window};
		return engine.GetProperty(property, *widgets[std::string("bBlxLw").find(widget)]);
	}

	sfg::Engine& engine = sfg::Context::Get().GetEngine();
	sfg::Window::Ptr window = sfg::Window::Create();
	sfg::Box::Ptr box = sfg::Box::Create();
	sfg::Button::Ptr button = sfg::Button::Create();
	sfg::Button::Ptr lone = sfg::Button::Create();
	sfg::Label::Ptr label = sfg::Label::Create();
};

// Loads `theme` alone on top of the built-in look and reads one property of
// one widget (see Get).
struct ThemeRow {
	const char* theme;
	bool parses;
	char widget;
	const char* property;
	const char* value;
};

const ThemeRow g_themes[] = {
	{"", true, 'L', "BackgroundColor", "#464646ff"}, // the built-in look
	{"", true, 'b', "BackgroundColor", "#555752ff"},
	{"", true, 'B', "BackgroundColor", "#656762ff"},
	{"", true, 'B', "Color", "#ffffffff"},
	{"Button.vbar { Color: #000002; } Button#spawn { Color: #000001; } Button { Color: #000003; }", true, 'b', "Color",
	 "#000001"},
	{"Button.vbar { Padding: 1; } Button:Prelight { Padding: 3; }", true, 'B', "Padding", "1"},
	{"Button:Prelight { Padding: 3; } Button.vbar:Prelight { Padding: 4; }", true, 'B', "Padding", "4"},
	{"Button { Spacing: 7; } Button { Spacing: 8; }", true, 'b', "Spacing", "8"},
	{"Button { Gap: 1; } *:Normal { Gap: 3; }", true, 'b', "Gap", "3"},
	{"*:Normal { Gap: 1; } Button { Gap: 3; }", true, 'b', "Gap", "3"},
	{".vbar.vbar { Padding: 3; } .vbar.other { Padding: 4; }", true, 'b', "Padding", "3"},
	{"Button.vbar#spawn { FontSize: 15; } .vbar#spawn { FontSize: 16; }", true, 'b', "FontSize", "15"},
	{"Window.mashwindow Button { Gap: 1; }", true, 'b', "Gap", "1"},
	{"Window.mashwindow Button { Gap: 1; }", true, 'l', "Gap", "2"},
	{"Window > Button { Gap: 9; }", true, 'b', "Gap", "2"},
	{"Window > Box > Button { Gap: 3; }", true, 'b', "Gap", "3"},
	{"* .vbar { FontSize: 20; }", true, 'l', "FontSize", "12"},
	{"Label, Box { Spacing: 2; }", true, 'x', "Spacing", "2"},
	{"Window { BackgroundColor: #112233; }", true, 'w', "BackgroundColor", "#112233"},
	{"/* Label { Gap: 4; } */ Label { Gap: 5; }", true, 'L', "Gap", "5"},
	{"Label { Gap: 5; } /* unterminated", false, 'L', "Gap", "5"},
	{"Label { Color: notacolour; Gap: 5; }", false, 'L', "Color", "#c6cbc4ff"},
	{"Label { Padding 3; Spacing: 4; }", false, 'L', "Spacing", "4"},
	{"Bu tton$ { Padding: 9; } Box { Gap: 6 } } stray", false, 'x', "Gap", "6"},
	{"Label { FontSize: -3; BorderColor: #12345; Gap: 1e999; }", false, 'L', "FontSize", "12"},
};

TEST_F(SfgTheme, SelectorsSpecificityAndBadRules) {
	for(const ThemeRow& row : g_themes) {
		SCOPED_TRACE(row.theme);
		engine.ResetProperties();
		EXPECT_EQ(engine.LoadThemeFromString(row.theme), row.parses);
		EXPECT_EQ(Get(row.property, row.widget), row.value);
	}
}

TEST_F(SfgTheme, PropertiesChangeLayoutAtOnce) {
	EXPECT_EQ(button->GetRequisition(), sf::Vector2f(2.f, 2.f)); // an empty button: its padding
	sfg::Desktop desktop;
	EXPECT_TRUE(desktop.SetProperty("Button.vbar", "Padding", 7));
	EXPECT_EQ(button->GetRequisition(), sf::Vector2f(14.f, 14.f));
	EXPECT_TRUE(desktop.SetProperty("#spawn", "Padding", 9));
	EXPECT_TRUE(desktop.SetProperty("#spawn", "Padding", 2.5f)); // the later of equals wins
	EXPECT_TRUE(desktop.SetProperty("Button", "Color", sf::Color(1, 2, 3)));
	EXPECT_FALSE(desktop.SetProperty("Button!", "Padding", 3));
	EXPECT_FALSE(desktop.SetProperty("Button", "Padding", "lots"));
	EXPECT_EQ(button->GetRequisition(), sf::Vector2f(5.f, 5.f));
	EXPECT_EQ(Get("Color", 'b'), "#010203ff");
}

TEST_F(SfgTheme, FilesLoadOnTopAndUnreadableOnesApplyNothing) {
	sfg::Desktop desktop;
	// Named per process: other checkouts may run this test at the same time.
	const std::string path = ::testing::TempDir() + "toolkit_theme_test." + std::to_string(getpid());
	const std::string fifo = path + ".fifo";
	ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
	// Neither a theme nor a font is read from a FIFO (it would wait for a
	// writer), a device or a directory; unknown fonts fall back to the default.
	for(const std::string& path :
		{std::string("/nonexistent/x.theme"), ::testing::TempDir(), fifo, std::string("/dev/zero")}) {
		EXPECT_FALSE(desktop.LoadThemeFromFile(path)) << path;
		EXPECT_EQ(sfg::Context::Get().GetFont(path), sfg::Context::Get().GetFont("Default")) << path;
	}
	EXPECT_EQ(sfg::Context::Get().GetFont("No Such Family"), sfg::Context::Get().GetFont("Default"));
	EXPECT_EQ(sfg::Context::Get().GetFont("DejaVu Sans Mono")->getInfo().family, "DejaVu Sans Mono");
	std::remove(fifo.c_str());
	std::ofstream(path) << "Button {\n  Padding: 3;\n  BackgroundColor: #11223344;\n}\n";
	EXPECT_TRUE(desktop.LoadThemeFromFile(path));
	std::ofstream(path) << "Button { Padding: 4; }\n";
	EXPECT_TRUE(desktop.LoadThemeFromFile(path));
	EXPECT_EQ(Get("Padding", 'b'), "4");
	EXPECT_EQ(Get("BackgroundColor", 'b'), "#11223344"); // earlier rules stay
	// Far bigger than any real theme: unreadable, and never read whole.
	std::ofstream(path) << "Button { Padding: 9; }\n";
	std::filesystem::resize_file(path, sfg::Engine::MAX_THEME_BYTES + 1);
	EXPECT_FALSE(desktop.LoadThemeFromFile(path));
	EXPECT_EQ(Get("Padding", 'b'), "4");
	std::remove(path.c_str());
}

// Random bytes and mutations of a real theme never crash, hang, throw or
// print, and leave the toolkit usable. Seeded, so a failure reproduces.
TEST_F(SfgTheme, ParserSurvivesAnyInput) {
	const std::string seed =
		"/* the game's look */ Window.mashwindow { BackgroundColor: #101010ff; BorderWidth: 2; }\n"
		"Window > Box Label.a, Button#spawn:Prelight { Color: #ff00ff; FontName: DejaVu Sans Mono; FontSize: 14; }\n"
		"* { Padding: 3; Spacing: 1.5; Gap: 4; TitlePadding: 2; BorderColorShift: -10; }\n"
		"Button:Active { TitleBackgroundColor: #00ff0080; BorderColor: #abcdef; }\n";
	std::mt19937 random(20240611u);
	testing::internal::CaptureStdout();
	testing::internal::CaptureStderr();
	for(int round = 0; round < 6000; ++round) {
		// Pieces of the real theme spliced with random bytes.
		std::string input;
		for(std::size_t length = random() % 300; input.size() < length;) {
			const std::size_t at = random() % seed.size();
			input += random() % 3 ? seed.substr(at, random() % 40) : std::string(1, static_cast<char>(random() % 256));
		}
		engine.LoadThemeFromString(input);
		if(round % 50 == 0) {
			EXPECT_GE(window->GetRequisition().x, 0.f); // the result resolves
			Get("Color", round % 100 ? 'b' : 'B');
			engine.ResetProperties();
		}
	}
	engine.ResetProperties();
	for(const std::string& input :
		{std::string(100000, '{'), std::string(100000, '}'), std::string(50000, '>') + "{ Gap: 1; }",
		 std::string("Label { Gap: 1; }\0 x", 20)}) {
		EXPECT_FALSE(engine.LoadThemeFromString(input));
	}
	std::string deep;
	for(int i = 0; i < 2000; ++i) {
		deep += "Box ";
	}
	EXPECT_TRUE(engine.LoadThemeFromString(deep + "Label { Padding: 7; }"));
	EXPECT_TRUE(engine.LoadThemeFromString("Label {" + std::string(50000, ';') + "}"));
	EXPECT_EQ(testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr(), "");
	EXPECT_EQ(Get("Padding", 'L'), "1");
	EXPECT_TRUE(engine.LoadThemeFromString(seed));
	EXPECT_EQ(Get("Color", 'B'), "#ff00ff");
}

}

// Styling answers each distinct question once (type, class, id and state of
// the widget and its ancestors) and tries a selector repeated in a group
// once: a grid of identical cells under many matching rules, and labels made
// anew under a group of thousands of copies of `Label`, cost a handful of
// resolutions, not one per widget and rule.
TEST_F(SfgTheme, ManyMatchingRulesResolveOncePerQuestion) {
	std::string rules;
	for(int i = 0; i < 400; ++i) {
		rules += "Window Table > Button.vbar { Padding: " + std::to_string(i % 5 + 1) + "; }\n";
	}
	for(int i = 0; i < 20000; ++i) {
		rules += "Label, ";
	}
	ASSERT_TRUE(engine.LoadThemeFromString(rules + "Label { Padding: 4; } Window.other Button.vbar { Padding: 9; }"));
	auto grid = sfg::Table::Create();
	std::vector<sfg::Button::Ptr> cells;
	for(std::uint32_t i = 0; i < 200; ++i) {
		cells.push_back(sfg::Button::Create());
		cells.back()->SetClass("vbar");
		grid->Attach(cells.back(), sf::Rect<std::uint32_t>({i % 20, i / 20}, {1, 1}));
	}
	auto other = sfg::Window::Create();
	other->SetClass("other");
	other->Add(grid);
	const std::size_t resolutions = engine.GetResolutions();
	const std::size_t tests = engine.GetSelectorTests();
	EXPECT_EQ(cells[7]->GetRequisition(), sf::Vector2f(18.f, 18.f)); // under Window.other
	other->SetClass("");
	EXPECT_EQ(cells[7]->GetRequisition(), sf::Vector2f(10.f, 10.f)); // rule 399: 5
	cells[3]->SetState(sfg::Widget::State::PRELIGHT);
	EXPECT_EQ(cells[3]->GetRequisition(), sf::Vector2f(10.f, 10.f));
	for(int turn = 0; turn < 5; ++turn) {
		box->RemoveAll();
		for(int i = 0; i < 40; ++i) {
			box->Pack(sfg::Label::Create());
		}
		box->GetRequisition(); // styles them
		EXPECT_EQ(engine.GetProperty("Padding", *box->GetChildren().back()), "4");
	}
	// Window, grid and cell twice each (the window's class changed), the
	// lit cell, the box and its labels: a dozen at most.
	EXPECT_LE(engine.GetResolutions() - resolutions, 12u);
	EXPECT_LE(engine.GetSelectorTests() - tests, 4000u);
}
