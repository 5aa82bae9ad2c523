#include "ToolkitTestSupport.hpp"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>

using namespace toolkit_test;

namespace {

class SfgTheme : public ToolkitTest {
	protected:
		sfg::Engine& engine = sfg::Context::Get().GetEngine();

		// A window > box > button tree, the button with class and id.
		void SetUp() override {
			ToolkitTest::SetUp();
			window = sfg::Window::Create();
			window->SetClass("mashwindow");
			box = sfg::Box::Create();
			button = sfg::Button::Create();
			button->SetClass("vbar");
			button->SetId("spawn");
			box->Pack(button);
			window->Add(box);
		}

		std::string Get(const std::string& property, const sfg::Widget::Ptr& widget) {
			return engine.GetProperty(property, *widget);
		}

		sfg::Window::Ptr window;
		sfg::Box::Ptr box;
		sfg::Button::Ptr button;
};

TEST_F(SfgTheme, BuiltInLook) {
	auto label = sfg::Label::Create();
	EXPECT_EQ(Get("Color", label), "#c6cbc4ff");
	EXPECT_EQ(Get("BackgroundColor", label), "#464646ff");
	EXPECT_EQ(Get("FontSize", label), "12");
	EXPECT_EQ(Get("FontName", label), "Default");
	EXPECT_EQ(Get("Padding", label), "1");
	EXPECT_EQ(Get("BackgroundColor", button), "#555752ff");
	button->SetState(sfg::Widget::State::PRELIGHT);
	EXPECT_EQ(Get("BackgroundColor", button), "#656762ff");
	EXPECT_EQ(Get("Color", button), "#ffffffff");
}

TEST_F(SfgTheme, IdBeatsClassBeatsTypeAndStateAndLaterWinsTies) {
	ASSERT_TRUE(engine.LoadThemeFromString(
		"Button#spawn { Color: #000001; }"
		"Button.vbar { Color: #000002; Padding: 1; }"
		"Button { Color: #000003; Padding: 2; Spacing: 7; }"
		"Button { Spacing: 8; }"
		"Button:Prelight { Padding: 3; }"));
	EXPECT_EQ(Get("Color", button), "#000001");
	EXPECT_EQ(Get("Padding", button), "1");
	EXPECT_EQ(Get("Spacing", button), "8");
	// A type plus a state still loses to a class.
	button->SetState(sfg::Widget::State::PRELIGHT);
	EXPECT_EQ(Get("Padding", button), "1");
	ASSERT_TRUE(engine.LoadThemeFromString("Button.vbar:Prelight { Padding: 4; }"));
	EXPECT_EQ(Get("Padding", button), "4");
}

TEST_F(SfgTheme, RulesFiledByTheirLastPartStillApplyInOrder) {
	// Equal specificity across a type and a universal last part: the later
	// rule wins either way round. A part naming two classes needs both.
	ASSERT_TRUE(engine.LoadThemeFromString(
		"Button { Gap: 1; } *:Normal { Gap: 2; }"
		"*:Normal { Spacing: 1; } Button { Spacing: 2; }"
		".vbar.vbar { Padding: 3; } .vbar.other { Padding: 4; }"
		"#spawn, Box { FontSize: 14; } Button.vbar#spawn { FontSize: 15; } .vbar#spawn { FontSize: 16; }"));
	EXPECT_EQ(Get("Gap", button), "2");
	EXPECT_EQ(Get("Spacing", button), "2");
	EXPECT_EQ(Get("Padding", button), "3");
	EXPECT_EQ(Get("FontSize", button), "15");
}

TEST_F(SfgTheme, DescendantChildAndGroupSelectors) {
	ASSERT_TRUE(engine.LoadThemeFromString(
		"Window.mashwindow Button { Gap: 1; }"
		"Window > Button { TitlePadding: 9; }"
		"Window > Box > Button { BorderWidth: 3; }"
		"Label, Box { Spacing: 2; }"
		"* .vbar { FontSize: 20; }"));
	EXPECT_EQ(Get("Gap", button), "1");
	EXPECT_EQ(Get("TitlePadding", button), "2"); // not a direct child: built-in
	EXPECT_EQ(Get("BorderWidth", button), "3");
	EXPECT_EQ(Get("Spacing", box), "2");
	EXPECT_EQ(Get("Spacing", sfg::Label::Create()), "2");
	EXPECT_EQ(Get("FontSize", button), "20");
	// A button outside any window matches none of the ancestor rules.
	auto lone = sfg::Button::Create();
	lone->SetClass("vbar");
	EXPECT_EQ(Get("Gap", lone), "2");
	EXPECT_EQ(Get("FontSize", lone), "12");
}

TEST_F(SfgTheme, PropertiesChangeLayoutAtOnce) {
	// An empty button's requisition is its padding on each side.
	EXPECT_EQ(button->GetRequisition(), sf::Vector2f(2.f, 2.f));
	sfg::Desktop desktop;
	EXPECT_TRUE(desktop.SetProperty("Button.vbar", "Padding", 7));
	EXPECT_EQ(button->GetRequisition(), sf::Vector2f(14.f, 14.f));
	EXPECT_TRUE(desktop.SetProperty("#spawn", "Padding", 2.5f));
	EXPECT_EQ(button->GetRequisition(), sf::Vector2f(5.f, 5.f));
	EXPECT_TRUE(desktop.SetProperty("Button", "Color", sf::Color(1, 2, 3)));
	EXPECT_EQ(Get("Color", button), "#010203ff");
	EXPECT_FALSE(desktop.SetProperty("Button!", "Padding", 3));
	EXPECT_FALSE(desktop.SetProperty("Button", "Padding", "lots"));
	EXPECT_EQ(button->GetRequisition(), sf::Vector2f(5.f, 5.f));
}

TEST_F(SfgTheme, BadRulesAreSkippedTheRestApplies) {
	EXPECT_FALSE(engine.LoadThemeFromString(
		"/* a comment */ Button { Padding: 7; Color: notacolour; }"
		"Label { Padding 3; Spacing: 4; }"
		"Bu tton$ { Padding: 9; }"
		"Box { Gap: 6 }"
		"} stray"));
	EXPECT_EQ(Get("Padding", button), "7");
	EXPECT_EQ(Get("Color", button), "#c6cbc4ff");
	auto label = sfg::Label::Create();
	EXPECT_EQ(Get("Padding", label), "1");
	EXPECT_EQ(Get("Spacing", label), "4");
	EXPECT_EQ(Get("Gap", box), "6");
	EXPECT_TRUE(engine.LoadThemeFromString("  /* only a comment */ "));
	EXPECT_FALSE(engine.LoadThemeFromString("Button { Padding: 2; } /* unterminated"));
	EXPECT_EQ(Get("Padding", button), "2");
	EXPECT_FALSE(engine.LoadThemeFromString("Label { FontSize: -3; BorderColor: #12345; Gap: 1e999; }"));
	EXPECT_EQ(Get("FontSize", label), "12");
}

TEST_F(SfgTheme, FilesLoadOnTopAndMissingFilesApplyNothing) {
	sfg::Desktop desktop;
	EXPECT_FALSE(desktop.LoadThemeFromFile("/nonexistent/dir/Vondrellex.theme"));
	EXPECT_FALSE(desktop.LoadThemeFromFile(::testing::TempDir())); // a directory
	// Neither a theme nor a font is read from a FIFO (it would wait for a
	// writer) or a device.
	const std::string fifo = ::testing::TempDir() + "toolkit_theme_test.fifo";
	ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
	EXPECT_FALSE(desktop.LoadThemeFromFile(fifo));
	EXPECT_FALSE(desktop.LoadThemeFromFile("/dev/zero"));
	EXPECT_EQ(sfg::Context::Get().GetFont(fifo), sfg::Context::Get().GetFont("Default"));
	std::remove(fifo.c_str());
	EXPECT_EQ(Get("Padding", button), "1");
	const std::string path = ::testing::TempDir() + "toolkit_theme_test.theme";
	{
		std::ofstream file(path);
		file << "Button {\n  Padding: 3;\n  BackgroundColor: #11223344;\n}\n";
	}
	EXPECT_TRUE(desktop.LoadThemeFromFile(path));
	EXPECT_EQ(Get("Padding", button), "3");
	EXPECT_EQ(Get("BackgroundColor", button), "#11223344");
	{
		std::ofstream file(path);
		file << "Button { Padding: 4; }\n";
	}
	EXPECT_TRUE(desktop.LoadThemeFromFile(path));
	EXPECT_EQ(Get("Padding", button), "4");
	EXPECT_EQ(Get("BackgroundColor", button), "#11223344"); // earlier rules stay
	std::remove(path.c_str());
}

TEST_F(SfgTheme, FontNamesResolveThroughFontconfigAndFallBack) {
	auto& context = sfg::Context::Get();
	const sf::Font* fallback = context.GetFont("Default");
	ASSERT_NE(fallback, nullptr);
	EXPECT_NE(context.GetDefaultFontPath().find("DejaVuSans"), std::string::npos);
	EXPECT_EQ(context.GetFont("No Such Family Anywhere"), fallback);
	EXPECT_EQ(context.GetFont("/no/such/file.ttf"), fallback);
	const sf::Font* mono = context.GetFont("DejaVu Sans Mono");
	ASSERT_NE(mono, nullptr);
	EXPECT_NE(mono, fallback);
	EXPECT_EQ(context.GetFont(context.GetDefaultFontPath()), fallback);
	EXPECT_EQ(mono->getInfo().family, "DejaVu Sans Mono");
}

}
