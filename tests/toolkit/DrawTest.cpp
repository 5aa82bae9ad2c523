// Text measuring and drawing: these rasterise glyphs, so they need a display.
#include "ToolkitTestSupport.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

using namespace toolkit_test;

namespace {

// Skipped without a display.
class SfgDraw : public ToolkitTest {
protected:
	void SetUp() override {
		const char* display = std::getenv("DISPLAY");
		if(!display || !*display) {
			GTEST_SKIP() << "needs a display (run under xvfb-run)";
		}
		ToolkitTest::SetUp();
		// Made here (any texture opens the display) and kept for the whole
		// process: when the last GL resource goes, SFML closes the display
		// and Xvfb resets, refusing the next test's connection for a moment.
		if(!target) {
			target = new sf::RenderTexture();
			ASSERT_TRUE(compat::Resize(*target, {400, 300}));
		}
		ASSERT_TRUE(sfg::Context::Get().GetEngine().LoadThemeFromString(
			"#red { BackgroundColor: #ff0000ff; } #blue { BackgroundColor: #0000ffff; }"
			"#glass { BackgroundColor: #00ff0080; }"));
		ASSERT_TRUE(compat::LoadFont(font, sfg::Context::Get().GetDefaultFontPath()));
		line = std::ceil(font.getLineSpacing(12));
	}

	sf::Image Render() {
		target->clear(sf::Color::Black);
		gui.Display(*target);
		target->display();
		return target->getTexture().copyToImage();
	}

	struct Pixel {
		unsigned int x, y;
		sf::Color color;
	};
	void ExpectPixels(std::initializer_list<Pixel> pixels) {
		const sf::Image shot = Render();
		for(const Pixel& pixel : pixels) {
			EXPECT_EQ(compat::GetPixel(shot, pixel.x, pixel.y), pixel.color) << "at " << pixel.x << ", " << pixel.y;
		}
	}

	// A window on the desktop whose child's top-left corner is (x, y)
	// (inside a 3-pixel frame); the id picks a background colour.
	sfg::Window::Ptr Put(const sfg::Widget::Ptr& child, float x, float y, const char* id = "",
						 char style = sfg::Window::NO_STYLE) {
		auto window = sfg::Window::Create(style);
		window->SetId(id);
		window->Add(child);
		window->SetPosition(sf::Vector2f(x - 3.f, y - 3.f));
		desktop.Add(window);
		return window;
	}

	// The text's width measured with the font directly, as an oracle.
	float Width(const std::string& text) {
		float width = 0.f;
		for(char c : text) {
			width += font.getGlyph(static_cast<unsigned char>(c), 12, false).advance;
		}
		return width;
	}

	static sf::RenderTexture* target;
	sfg::SFGUI gui;
	sfg::Desktop desktop;
	sf::Font font;
	float line = 0.f;
};

sf::RenderTexture* SfgDraw::target = nullptr;

sf::Image Solid(unsigned int width, unsigned int height, sf::Color color) {
	sf::Image image;
	compat::Resize(image, {width, height}, color);
	return image;
}

TEST_F(SfgDraw, WindowsDrawBottomToTopInPixelCoordinatesWhateverTheView) {
	auto red = Put(Block(94, 94), 13, 13, "red", sfg::Window::BACKGROUND);
	auto blue = Put(Block(94, 94), 63, 63, "blue", sfg::Window::BACKGROUND);
	const sf::View zoomed(sf::FloatRect({-50.f, -50.f}, {40.f, 30.f}));
	target->setView(zoomed);
	ExpectPixels({{30, 30, sf::Color::Red}, {80, 80, sf::Color::Blue}, {5, 5, sf::Color::Black}});
	EXPECT_EQ(target->getView().getCenter(), zoomed.getCenter()); // left as it was
	desktop.BringToFront(red);
	ExpectPixels({{80, 80, sf::Color::Red}});
	red->Show(false);
	blue->SetPosition(sf::Vector2f(200.f, 150.f));
	ExpectPixels({{30, 30, sf::Color::Black}, {80, 80, sf::Color::Black}, {250, 200, sf::Color::Blue}});
	// A window wholly behind a see-through one is still drawn.
	Put(Block(194, 194), 203, 153, "glass", sfg::Window::BACKGROUND);
	const sf::Color mixed = compat::GetPixel(Render(), 250, 200);
	EXPECT_TRUE(mixed.g > 0 && mixed.b > 0) << "green over blue";
}

TEST_F(SfgDraw, ImagesDrawUnscaledAndViewportsClipAndScroll) {
	// A 50 x 40 viewport at (100, 100) over a picture green above y = 100
	// and yellow below.
	sf::Image picture = Solid(100, 200, sf::Color::Yellow);
	for(unsigned int y = 0; y < 100; ++y) {
		for(unsigned int x = 0; x < 100; ++x) {
			compat::SetPixel(picture, x, y, sf::Color::Green);
		}
	}
	auto viewport = sfg::Viewport::Create();
	viewport->SetRequisition(sf::Vector2f(50.f, 40.f));
	auto image = sfg::Image::Create(picture);
	viewport->Add(image);
	Put(viewport, 100, 100);
	// Clipped on the right and below.
	ExpectPixels({{100, 100, sf::Color::Green},
				  {149, 139, sf::Color::Green},
				  {150, 110, sf::Color::Black},
				  {110, 140, sf::Color::Black}});
	viewport->GetVerticalAdjustment()->SetUpper(1000.f);
	viewport->GetVerticalAdjustment()->SetValue(80.4f); // rounds to 80
	ExpectPixels({{110, 119, sf::Color::Green}, {110, 120, sf::Color::Yellow}, {110, 99, sf::Color::Black}});
	image->SetImage(sf::Image()); // draws nothing
	ExpectPixels({{100, 100, sf::Color::Black}});
}

// Text stands in the middle of a label, or a button, larger than it.
TEST_F(SfgDraw, TextIsDrawnCentred) {
	auto label = sfg::Label::Create("I");
	auto button = sfg::Button::Create("I");
	label->SetRequisition(sf::Vector2f(100.f, 40.f));
	button->SetRequisition(sf::Vector2f(100.f, 40.f));
	Put(label, 10, 10);
	Put(button, 210, 10);
	const sf::Image shot = Render();
	for(unsigned int left : {10u, 210u}) {
		std::vector<unsigned int> columns, rows; // where the bright text shows
		for(unsigned int x = 2; x < 98; ++x) {
			for(unsigned int y = 2; y < 38; ++y) {
				if(compat::GetPixel(shot, left + x, 10 + y).r > 150) {
					columns.push_back(x);
					rows.push_back(y);
				}
			}
		}
		ASSERT_FALSE(columns.empty()) << left;
		const auto [top, bottom] = std::minmax_element(rows.begin(), rows.end());
		EXPECT_NEAR((columns.front() + columns.back()) / 2.0, 50.0, 3.0) << left;
		EXPECT_NEAR((*top + *bottom) / 2.0, 20.0, 3.0) << left;
	}
}

TEST_F(SfgDraw, ManyWidgetsTakeAFewDrawCallsPerWindow) {
	auto table = sfg::Table::Create();
	auto fixed = sfg::Fixed::Create();
	fixed->Put(sfg::Image::Create(Solid(300, 200, sf::Color(20, 40, 20))), sf::Vector2f(0.f, 0.f));
	for(std::uint32_t i = 0; i < 100; ++i) {
		table->Attach(sfg::Button::Create(std::string(1, static_cast<char>('a' + i % 26))),
					  sf::Rect<std::uint32_t>({i % 10, i / 10}, {1, 1}), sfg::Table::FILL, sfg::Table::FILL);
		fixed->Put(sfg::Label::Create("obj" + std::to_string(i)), sf::Vector2f(static_cast<float>(i % 25 * 10), 0.f));
	}
	Put(table, 0, 0, "", 3)->SetTitle("grid");
	Put(fixed, 100, 0);
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
	label->SetText("abcd\te\n\tf");
	EXPECT_EQ(label->GetWrappedText().toAnsiString(), "abcd    e\n    f");
	EXPECT_EQ(label->GetRequisition().x, std::ceil(Width("abcd    e")));
	label->SetText("a\tb");
	EXPECT_EQ(label->GetWrappedText().toAnsiString(), "a   b");

	label->SetText("");
	EXPECT_EQ(label->GetRequisition(), sf::Vector2f(0.f, 0.f));
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
// viewport, scrolled after each SetText to show the newest line. So the
// label's height must be current right after SetText.
TEST_F(SfgDraw, TheConsoleFollowsItsNewestLine) {
	auto viewport = sfg::Viewport::Create();
	viewport->SetRequisition(sf::Vector2f(510.f, 254.f));
	viewport->GetVerticalAdjustment()->SetUpper(1e8f);
	auto box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL);
	auto label = sfg::Label::Create("");
	label->SetRequisition(sf::Vector2f(512.f, 256.f));
	label->SetLineWrap(true);
	box->Pack(label);
	viewport->Add(box);
	Put(viewport, 0, 0);
	std::string text;
	for(int turn = 0; turn < 400; ++turn) {
		text.erase(0, text.size() > 1024 ? text.size() - 1024 : 0);
		text += turn % 40 ? "abc " : "\n\tx = y;"; // lines of about 1000 pixels
		label->SetText(text);
		viewport->GetVerticalAdjustment()->SetValue(label->GetRequisition().y - 256.f);
		// Give or take the two pixels the viewport is smaller than the label.
		ASSERT_NEAR(label->GetAbsolutePosition().y + compat::Size(label->GetAllocation()).y, 254.f, 2.f) << turn;
	}
	EXPECT_EQ(compat::Size(label->GetAllocation()).x, 512.f);
	EXPECT_GT(compat::Size(label->GetAllocation()).y, 256.f); // it did scroll
}

}

// A window that counts what the desktop asks of it.
struct CountedWindow : sfg::Window {
	CountedWindow() :
		Window(sfg::Window::BACKGROUND) {
	}
	void Update(float) override {
		++work;
	}
	void HandleMouseMoveEvent(int x, int y) override {
		++work;
		Window::HandleMouseMoveEvent(x, y);
	}
	sf::Vector2f CalculateRequisition() const override {
		++work;
		return Window::CalculateRequisition();
	}
	mutable int work = 0;
};

// A stack of identical opaque windows, each wholly behind the next, as the
// game piles up one game-over window per turn: the frame (update, mouse
// routing, drawing) costs the windows seen, however many lie below.
TEST_F(SfgDraw, WindowsWhollyCoveredCostTheFrameNothing) {
	std::vector<std::shared_ptr<CountedWindow>> stack;
	auto pile = [&](int count) {
		for(int i = 0; i < count; ++i) {
			auto window = std::make_shared<CountedWindow>();
			window->SetId("red");
			window->Add(Block(94, 94));
			window->SetPosition(sf::Vector2f(100.f, 100.f));
			desktop.Add(window);
			stack.push_back(window);
		}
	};
	auto frame = [&]() {
		const std::size_t before = desktop.GetWindowVisits();
		desktop.Update(0.01f);
		Play(desktop, "m150,150 m350,250 p350,250 r350,250 m120,120");
		Render();
		return desktop.GetWindowVisits() - before;
	};
	Put(Block(300, 200), 3, 3, "blue", sfg::Window::BACKGROUND);
	pile(10);
	frame();
	const std::size_t visits = frame();
	for(auto& window : stack) {
		window->work = 0;
	}
	pile(200);
	frame();
	for(auto& window : stack) {
		window->work = 0;
	}
	EXPECT_EQ(frame(), visits);
	for(std::size_t i = 0; i + 1 < stack.size(); ++i) {
		ASSERT_EQ(stack[i]->work, 0) << "covered window " << i;
	}
	EXPECT_GT(stack.back()->work, 0);
	ExpectPixels({{150, 150, sf::Color::Red}, {50, 50, sf::Color::Blue}});
	// Uncovered, the one below is seen again: hidden, moved or see-through
	// from above.
	stack.back()->Show(false);
	ExpectPixels({{150, 150, sf::Color::Red}});
	frame();
	EXPECT_GT(stack[stack.size() - 2]->work, 0);
	stack[stack.size() - 2]->SetPosition(sf::Vector2f(200.f, 100.f));
	stack[stack.size() - 3]->SetId("glass");
	const sf::Color mixed = compat::GetPixel(Render(), 150, 150);
	EXPECT_TRUE(mixed.r > 0 && mixed.g > 0) << "green over red";
	EXPECT_EQ(compat::GetPixel(Render(), 250, 150), sf::Color::Red);
}
