// Random and mutated theme text must never crash, hang or throw, and must
// leave the toolkit usable. Seeded, so a failure reproduces.
#include "ToolkitTestSupport.hpp"

#include <random>
#include <string>

using namespace toolkit_test;

namespace {

class SfgThemeFuzz : public ToolkitTest {};

const char* const g_seed_theme =
	"/* the game's look */\n"
	"Window.mashwindow { BackgroundColor: #101010ff; BorderWidth: 2; }\n"
	"Window > Box Label.a, Label#x:Prelight { Color: #ff00ff; FontName: DejaVu Sans Mono; FontSize: 14; }\n"
	"* { Padding: 3; Spacing: 1.5; Gap: 4; TitlePadding: 2; BorderColorShift: -10; }\n"
	"Button:Active { TitleBackgroundColor: #00ff0080; BorderColor: #abcdef; }\n";

std::string Mutate(std::string text, std::mt19937& random) {
	static const std::string alphabet = "{}:;,.#>*/ \n\tabcXYZ019-+\"'$@\\";
	const int edits = 1 + static_cast<int>(random() % 8);
	for(int i = 0; i < edits; ++i) {
		const std::size_t at = text.empty() ? 0 : random() % (text.size() + 1);
		switch(random() % 4) {
			case 0: // insert
				text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), alphabet[random() % alphabet.size()]);
				break;
			case 1: // delete
				if(at < text.size()) {
					text.erase(at, 1 + random() % 5);
				}
				break;
			case 2: // duplicate a slice
				if(at < text.size()) {
					text.insert(at, text.substr(at, random() % 30));
				}
				break;
			default: // random byte
				if(at < text.size()) {
					text[at] = static_cast<char>(random() % 256);
				}
				break;
		}
	}
	return text;
}

TEST_F(SfgThemeFuzz, ParserSurvivesRandomAndMutatedInput) {
	auto& engine = sfg::Context::Get().GetEngine();
	auto window = sfg::Window::Create();
	window->SetClass("mashwindow");
	auto box = sfg::Box::Create();
	auto label = sfg::Label::Create();
	label->SetClass("a");
	label->SetId("x");
	auto button = sfg::Button::Create();
	box->Pack(label);
	box->Pack(button);
	window->Add(box);

	std::mt19937 random(20240611u);
	for(int round = 0; round < 6000; ++round) {
		std::string input;
		if(round % 3 == 0) {
			const std::size_t length = random() % 200;
			for(std::size_t i = 0; i < length; ++i) {
				input.push_back(static_cast<char>(random() % 256));
			}
		}
		else {
			input = Mutate(g_seed_theme, random);
		}
		engine.LoadThemeFromString(input);
		if(round % 50 == 0) {
			// Resolving the result must work too (no glyphs are needed for
			// empty widgets).
			button->SetState(round % 100 ? sfg::Widget::State::NORMAL : sfg::Widget::State::PRELIGHT);
			const sf::Vector2f size = window->GetRequisition();
			EXPECT_GE(size.x, 0.f);
			EXPECT_GE(size.y, 0.f);
			engine.GetProperty("Color", *label);
			engine.ResetProperties();
		}
	}
	// Still a working theme afterwards.
	engine.ResetProperties();
	EXPECT_TRUE(engine.LoadThemeFromString(g_seed_theme));
	EXPECT_EQ(engine.GetProperty("Color", *label), "#ff00ff");
}

TEST_F(SfgThemeFuzz, PathologicalInputsTerminate) {
	auto& engine = sfg::Context::Get().GetEngine();
	EXPECT_FALSE(engine.LoadThemeFromString(std::string(100000, '{')));
	EXPECT_FALSE(engine.LoadThemeFromString(std::string(100000, '}')));
	EXPECT_FALSE(engine.LoadThemeFromString(std::string(50000, '>') + "{ Padding: 1; }"));
	EXPECT_TRUE(engine.LoadThemeFromString(std::string(50000, ';').insert(0, "Label {") + "}"));
	std::string deep;
	for(int i = 0; i < 2000; ++i) {
		deep += "Box ";
	}
	EXPECT_TRUE(engine.LoadThemeFromString(deep + "Label { Padding: 7; }"));
	auto label = sfg::Label::Create();
	EXPECT_EQ(engine.GetProperty("Padding", *label), "1");
	EXPECT_FALSE(engine.LoadThemeFromString(std::string("Label { Padding: 1; }\0garbage", 30)));
}

}
