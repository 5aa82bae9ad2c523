// Text measuring and drawing: these rasterise glyphs, so they need a display.
#include "ToolkitTestSupport.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <cmath>
#include <memory>

using namespace toolkit_test;

namespace {

class SfgDraw : public DisplayTest {
	protected:
		void SetUp() override {
			DisplayTest::SetUp();
			if(IsSkipped()) {
				return;
			}
			// Made here: any texture, even an unused one, opens the display.
			target.reset(new sf::RenderTexture());
			ASSERT_TRUE(target->create(400, 300));
			ASSERT_TRUE(sfg::Context::Get().GetEngine().LoadThemeFromString(
				"#red { BackgroundColor: #ff0000ff; } #blue { BackgroundColor: #0000ffff; }"
				"#glass { BackgroundColor: #00ff0080; }"));
			ASSERT_TRUE(font.loadFromFile(sfg::Context::Get().GetDefaultFontPath()));
			line = std::ceil(font.getLineSpacing(12));
		}

		sf::Image Render() {
			target->clear(sf::Color::Black);
			gui.Display(*target);
			target->display();
			return target->getTexture().copyToImage();
		}

		// A background window with an id, its top-left corner and its size.
		sfg::Window::Ptr Plain(const std::string& id, float x, float y, float size, char style = 2) {
			auto window = sfg::Window::Create(style);
			window->SetId(id);
			window->Add(Block(size - 6.f, size - 6.f)); // a border and a gap of 3 round the child
			window->SetPosition(sf::Vector2f(x, y));
			desktop.Add(window);
			return window;
		}

		// A window showing `widget` at (100, 100), inside its 3-pixel frame.
		void Show(const sfg::Widget::Ptr& widget) {
			auto window = sfg::Window::Create(sfg::Window::NO_STYLE);
			window->Add(widget);
			window->SetPosition(sf::Vector2f(97.f, 97.f));
			desktop.Add(window);
		}

		// The text's width measured with the font directly, as an oracle.
		float Width(const std::string& text) {
			float width = 0.f;
			for(char c : text) {
				width += font.getGlyph(static_cast<unsigned char>(c), 12, false).advance;
			}
			return width;
		}

		std::unique_ptr<sf::RenderTexture> target;
		sfg::SFGUI gui;
		sfg::Desktop desktop;
		sf::Font font;
		float line = 0.f;
};

sf::Image Solid(unsigned int width, unsigned int height, sf::Color color) {
	sf::Image image;
	image.create(width, height, color);
	return image;
}

TEST_F(SfgDraw, WindowsDrawBottomToTopInPixelCoordinatesWhateverTheView) {
	auto red = Plain("red", 10, 10, 100);
	auto blue = Plain("blue", 60, 60, 100);
	sf::View zoomed(sf::FloatRect(-50.f, -50.f, 40.f, 30.f));
	target->setView(zoomed);
	sf::Image shot = Render();
	EXPECT_EQ(target->getView().getCenter(), zoomed.getCenter()); // left as it was
	EXPECT_EQ(shot.getPixel(30, 30), sf::Color::Red);
	EXPECT_EQ(shot.getPixel(80, 80), sf::Color::Blue);
	EXPECT_EQ(shot.getPixel(5, 5), sf::Color::Black);
	desktop.BringToFront(red);
	EXPECT_EQ(Render().getPixel(80, 80), sf::Color::Red);
	red->Show(false);
	blue->SetPosition(sf::Vector2f(200.f, 150.f));
	shot = Render();
	EXPECT_EQ(shot.getPixel(30, 30), sf::Color::Black);
	EXPECT_EQ(shot.getPixel(80, 80), sf::Color::Black);
	EXPECT_EQ(shot.getPixel(250, 200), sf::Color::Blue);
}

TEST_F(SfgDraw, ImagesDrawUnscaledAndViewportsClipAndScroll) {
	// A 50 x 40 viewport at (100, 100) over a picture: green above y = 100,
	// yellow below.
	sf::Image picture = Solid(100, 200, sf::Color::Yellow);
	picture.copy(Solid(100, 100, sf::Color::Green), 0, 0);
	auto viewport = sfg::Viewport::Create();
	viewport->SetRequisition(sf::Vector2f(50.f, 40.f));
	auto image = sfg::Image::Create(picture);
	viewport->Add(image);
	Show(viewport);
	sf::Image shot = Render();
	EXPECT_EQ(shot.getPixel(100, 100), sf::Color::Green);
	EXPECT_EQ(shot.getPixel(149, 139), sf::Color::Green);
	EXPECT_EQ(shot.getPixel(150, 110), sf::Color::Black); // clipped on the right
	EXPECT_EQ(shot.getPixel(110, 140), sf::Color::Black); // and below
	viewport->GetVerticalAdjustment()->SetUpper(1000.f);
	viewport->GetVerticalAdjustment()->SetValue(80.4f); // rounds to 80
	shot = Render();
	EXPECT_EQ(shot.getPixel(110, 119), sf::Color::Green);
	EXPECT_EQ(shot.getPixel(110, 120), sf::Color::Yellow);
	EXPECT_EQ(shot.getPixel(110, 99), sf::Color::Black);
	// Drawn unscaled; an empty image draws nothing.
	image->SetImage(Solid(30, 20, sf::Color::Blue));
	viewport->GetVerticalAdjustment()->SetValue(0.f);
	shot = Render();
	EXPECT_EQ(shot.getPixel(129, 119), sf::Color::Blue);
	EXPECT_EQ(shot.getPixel(130, 119), sf::Color::Black);
	EXPECT_EQ(shot.getPixel(129, 120), sf::Color::Black);
	image->SetImage(sf::Image());
	EXPECT_EQ(image->GetRequisition(), sf::Vector2f(0.f, 0.f));
	EXPECT_EQ(Render().getPixel(100, 100), sf::Color::Black);
}

TEST_F(SfgDraw, WindowsWhollyBehindAnOpaqueWindowAreSkipped) {
	// A stack of identical opaque windows draws as one.
	for(int i = 0; i < 50; ++i) {
		Plain("red", 10, 10, 100);
	}
	Render();
	const unsigned int one = gui.GetLastDrawCallCount();
	auto top = Plain("blue", 10, 10, 100);
	EXPECT_EQ(Render().getPixel(50, 50), sf::Color::Blue);
	EXPECT_EQ(gui.GetLastDrawCallCount(), one);
	// Whatever sticks out, or lies behind a see-through window, is drawn.
	Plain("red", 5, 10, 100);
	desktop.BringToFront(top);
	EXPECT_EQ(Render().getPixel(7, 50), sf::Color::Red);
	EXPECT_EQ(gui.GetLastDrawCallCount(), 2 * one);
	auto glass = Plain("glass", 0, 0, 200);
	const sf::Color mixed = Render().getPixel(50, 50);
	EXPECT_GT(mixed.b, 0);
	EXPECT_GT(mixed.g, 0);
	// A shadow reaching past the window above keeps its window drawn.
	glass->Show(false);
	auto shadowed = Plain("red", 10, 10, 100, sfg::Window::BACKGROUND | sfg::Window::SHADOW);
	desktop.BringToFront(top);
	Render();
	const unsigned int with_shadow = gui.GetLastDrawCallCount();
	shadowed->Show(false);
	Render();
	EXPECT_GT(with_shadow, gui.GetLastDrawCallCount());
}

TEST_F(SfgDraw, ManyWidgetsTakeAFewDrawCallsPerWindow) {
	auto grid = sfg::Window::Create(3);
	grid->SetTitle("grid");
	auto table = sfg::Table::Create();
	for(sf::Uint32 i = 0; i < 100; ++i) {
		table->Attach(sfg::Button::Create(std::string(1, static_cast<char>('a' + i % 26))),
		              sf::Rect<sf::Uint32>(i % 10, i / 10, 1, 1), sfg::Table::FILL, sfg::Table::FILL);
	}
	grid->Add(table);
	desktop.Add(grid);
	auto fixed = sfg::Fixed::Create();
	fixed->Put(sfg::Image::Create(Solid(300, 200, sf::Color(20, 40, 20))), sf::Vector2f(0.f, 0.f));
	for(int i = 0; i < 100; ++i) {
		fixed->Put(sfg::Label::Create("obj" + std::to_string(i)), sf::Vector2f(static_cast<float>(i % 25 * 10), 0.f));
	}
	Show(fixed);
	Render();
	// Per window: quads, glyphs, and the map's picture.
	EXPECT_LE(gui.GetLastDrawCallCount(), 5u);
	EXPECT_GE(gui.GetLastDrawCallCount(), 4u);
}

TEST_F(SfgDraw, LabelsMeasureLinesAndTabs) {
	auto label = sfg::Label::Create("ab\ncdefg\nh");
	EXPECT_EQ(label->GetRequisition(), sf::Vector2f(std::ceil(Width("cdefg")), 3.f * line));
	label->SetText("ab\n");
	EXPECT_EQ(label->GetRequisition().y, line); // a trailing break adds no line
	label->SetText("ab\n\n");
	EXPECT_EQ(label->GetRequisition().y, 2.f * line);
	label->SetText("");
	EXPECT_EQ(label->GetRequisition(), sf::Vector2f(0.f, 0.f));
	label->SetText("abcd\te\n\tf");
	EXPECT_EQ(label->GetWrappedText().toAnsiString(), "abcd    e\n    f");
	EXPECT_EQ(label->GetRequisition().x, std::ceil(Width("abcd    e")));
	label->SetText("a\tb");
	EXPECT_EQ(label->GetWrappedText().toAnsiString(), "a   b");
}

TEST_F(SfgDraw, TextIsDrawnCentredAndFollowsSetText) {
	auto label = sfg::Label::Create("I");
	label->SetRequisition(sf::Vector2f(100.f, 40.f));
	Show(label);
	auto lit_columns = [&](const sf::Image& shot) {
		std::vector<unsigned int> columns;
		for(unsigned int x = 100; x < 200; ++x) {
			for(unsigned int y = 100; y < 140; ++y) {
				if(shot.getPixel(x, y).r > 100) {
					columns.push_back(x);
					break;
				}
			}
		}
		return columns;
	};
	const auto columns = lit_columns(Render());
	ASSERT_FALSE(columns.empty());
	EXPECT_NEAR((columns.front() + columns.back()) / 2.0, 150.0, 3.0);
	label->SetText("");
	EXPECT_TRUE(lit_columns(Render()).empty());
}

TEST_F(SfgDraw, WrapsAtSpacesAndBreaksLongWordsByCharacters) {
	auto label = sfg::Label::Create();
	label->SetLineWrap(true);
	const float width = Width("alpha beta"); // fits exactly
	ASSERT_EQ(width, std::round(width));
	label->SetRequisition(sf::Vector2f(width, 0.f));
	label->SetText("alpha beta gamma");
	EXPECT_EQ(label->GetWrappedText().toAnsiString(), "alpha beta\ngamma");
	EXPECT_EQ(label->GetRequisition(), sf::Vector2f(width, 2.f * line));
	// A long word is broken as late as it fits.
	const std::string word(60, 'x');
	label->SetText(word);
	std::string rest = label->GetWrappedText().toAnsiString();
	std::size_t lines = 1;
	for(std::size_t begin = 0, end = rest.find('\n'); end != std::string::npos; end = rest.find('\n'), ++lines) {
		rest.erase(end, 1);
		EXPECT_LE(Width(rest.substr(begin, end - begin)), width);
		EXPECT_GT(Width(rest.substr(begin, end - begin + 1)), width);
		begin = end;
	}
	EXPECT_GT(lines, 3u);
	EXPECT_EQ(rest, word);
	EXPECT_EQ(label->GetRequisition().y, static_cast<float>(lines) * line);
}

// The console: a wrapping label (at least 512 x 256) in a box in a 510 x 254
// viewport, scrolled after each SetText to show the newest line.
TEST_F(SfgDraw, WrappedHeightIsCurrentRightAfterSetTextAndTheConsoleFollowsIt) {
	auto viewport = sfg::Viewport::Create();
	viewport->SetRequisition(sf::Vector2f(510.f, 254.f));
	auto adjustment = viewport->GetVerticalAdjustment();
	adjustment->SetUpper(100000000.f);
	auto box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 0.f);
	auto label = sfg::Label::Create("");
	label->SetRequisition(sf::Vector2f(512.f, 256.f));
	label->SetLineWrap(true);
	box->Pack(label);
	viewport->Add(box);
	Show(viewport);
	adjustment->SetValue(label->GetRequisition().y - 256.f);
	EXPECT_EQ(adjustment->GetValue(), 0.f);
	std::string text;
	for(int turn = 0; turn < 400; ++turn) {
		text.erase(0, text.size() > 1024 ? text.size() - 1024 : 0);
		text += (turn % 9 == 0) ? "\n\tx = y;" : "abc ";
		label->SetText(text);
		adjustment->SetValue(label->GetRequisition().y - 256.f);
	}
	const float height = label->GetRequisition().y;
	EXPECT_GT(height, 256.f);
	EXPECT_EQ(label->GetAllocation(), sf::FloatRect(0.f, 0.f, 512.f, height));
	// The last line sits at the viewport's bottom edge (give or take the two
	// pixels the viewport is smaller than the label's minimum).
	EXPECT_NEAR(label->GetAbsolutePosition().y + height, viewport->GetAbsolutePosition().y + 254.f, 2.f);

	// Wrapped at the width its box gives it, not at its own requisition.
	auto column = sfg::Box::Create(sfg::Box::Orientation::VERTICAL);
	column->SetRequisition(sf::Vector2f(200.f, 0.f));
	auto wrapped = sfg::Label::Create();
	wrapped->SetLineWrap(true);
	column->Pack(wrapped);
	Show(column);
	EXPECT_EQ(wrapped->GetAllocation().width, 200.f);
	wrapped->SetText(text);
	auto oracle = sfg::Label::Create(text);
	oracle->SetLineWrap(true);
	oracle->SetRequisition(sf::Vector2f(200.f, 0.f));
	EXPECT_EQ(wrapped->GetRequisition().y, oracle->GetRequisition().y);
	EXPECT_GT(oracle->GetRequisition().y, height);
}

}
