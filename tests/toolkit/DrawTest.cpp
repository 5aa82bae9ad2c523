#include "ToolkitTestSupport.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

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
			auto& engine = sfg::Context::Get().GetEngine();
			ASSERT_TRUE(engine.LoadThemeFromString(
				"Window#red { BackgroundColor: #ff0000ff; }"
				"Window#blue { BackgroundColor: #0000ffff; }"));
		}

		sf::Image Render() {
			target->clear(sf::Color::Black);
			gui.Display(*target);
			target->display();
			return target->getTexture().copyToImage();
		}

		// A background window with an id and a requested size.
		sfg::Window::Ptr Plain(const std::string& id, sf::Vector2f position, sf::Vector2f size) {
			auto window = sfg::Window::Create(sfg::Window::BACKGROUND);
			window->SetId(id);
			window->Add(Block(size.x - 6.f, size.y - 6.f)); // a border and a gap of 2 on each side
			window->SetPosition(position);
			return window;
		}

		static sf::Image Solid(unsigned int width, unsigned int height, sf::Color color) {
			sf::Image image;
			image.create(width, height, color);
			return image;
		}

		std::unique_ptr<sf::RenderTexture> target;
		sfg::SFGUI gui;
		sfg::Desktop desktop;
};

TEST_F(SfgDraw, WindowsDrawBottomToTopInPixelCoordinatesWhateverTheView) {
	auto red = Plain("red", sf::Vector2f(10.f, 10.f), sf::Vector2f(100.f, 100.f));
	auto blue = Plain("blue", sf::Vector2f(60.f, 60.f), sf::Vector2f(100.f, 100.f));
	desktop.Add(red);
	desktop.Add(blue);
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
	EXPECT_EQ(Render().getPixel(80, 80), sf::Color::Blue);
	EXPECT_EQ(Render().getPixel(30, 30), sf::Color::Black);

	// Moving a window moves its picture.
	blue->SetPosition(sf::Vector2f(200.f, 150.f));
	shot = Render();
	EXPECT_EQ(shot.getPixel(80, 80), sf::Color::Black);
	EXPECT_EQ(shot.getPixel(250, 200), sf::Color::Blue);
}

TEST_F(SfgDraw, ImagesDrawUnscaledAndEmptyOnesDrawNothing) {
	auto window = sfg::Window::Create(sfg::Window::NO_STYLE);
	auto fixed = sfg::Fixed::Create();
	auto image = sfg::Image::Create(Solid(30, 20, sf::Color::Green));
	auto empty = sfg::Image::Create();
	fixed->Put(image, sf::Vector2f(0.f, 0.f));
	fixed->Put(empty, sf::Vector2f(40.f, 0.f));
	window->Add(fixed);
	desktop.Add(window);
	EXPECT_EQ(image->GetRequisition(), sf::Vector2f(30.f, 20.f));
	EXPECT_EQ(empty->GetRequisition(), sf::Vector2f(0.f, 0.f));
	const sf::Vector2f at = image->GetAbsolutePosition();
	sf::Image shot = Render();
	EXPECT_EQ(shot.getPixel(static_cast<unsigned>(at.x), static_cast<unsigned>(at.y)), sf::Color::Green);
	EXPECT_EQ(shot.getPixel(static_cast<unsigned>(at.x) + 29, static_cast<unsigned>(at.y) + 19), sf::Color::Green);
	EXPECT_EQ(shot.getPixel(static_cast<unsigned>(at.x) + 30, static_cast<unsigned>(at.y) + 19), sf::Color::Black);

	image->SetImage(Solid(40, 10, sf::Color::Yellow));
	shot = Render();
	EXPECT_EQ(shot.getPixel(static_cast<unsigned>(at.x) + 35, static_cast<unsigned>(at.y) + 5), sf::Color::Yellow);
	EXPECT_EQ(shot.getPixel(static_cast<unsigned>(at.x) + 5, static_cast<unsigned>(at.y) + 15), sf::Color::Black);
}

TEST_F(SfgDraw, ViewportClipsItsContentAndScrollsIt) {
	auto window = sfg::Window::Create(sfg::Window::NO_STYLE);
	auto viewport = sfg::Viewport::Create();
	viewport->SetRequisition(sf::Vector2f(50.f, 40.f));
	// Top half green, bottom half yellow, 100 x 200.
	sf::Image picture = Solid(100, 200, sf::Color::Green);
	for(unsigned int y = 100; y < 200; ++y) {
		for(unsigned int x = 0; x < 100; ++x) {
			picture.setPixel(x, y, sf::Color::Yellow);
		}
	}
	viewport->Add(sfg::Image::Create(picture));
	window->Add(viewport);
	window->SetPosition(sf::Vector2f(100.f, 100.f));
	desktop.Add(window);
	const sf::Vector2f origin = viewport->GetAbsolutePosition();
	const unsigned int x = static_cast<unsigned int>(origin.x);
	const unsigned int y = static_cast<unsigned int>(origin.y);

	sf::Image shot = Render();
	EXPECT_EQ(shot.getPixel(x, y), sf::Color::Green);
	EXPECT_EQ(shot.getPixel(x + 49, y + 39), sf::Color::Green);
	EXPECT_EQ(shot.getPixel(x + 50, y + 10), sf::Color::Black); // clipped on the right
	EXPECT_EQ(shot.getPixel(x + 10, y + 40), sf::Color::Black); // and below

	viewport->GetVerticalAdjustment()->SetUpper(1000.f);
	viewport->GetVerticalAdjustment()->SetValue(80.4f); // rounds to 80
	shot = Render();
	EXPECT_EQ(shot.getPixel(x + 10, y + 19), sf::Color::Green);
	EXPECT_EQ(shot.getPixel(x + 10, y + 20), sf::Color::Yellow);
	EXPECT_EQ(shot.getPixel(x + 10, y + 40), sf::Color::Black);
	EXPECT_EQ(shot.getPixel(x + 10, y - 1), sf::Color::Black);
}

TEST_F(SfgDraw, TextIsDrawnCentredAndFollowsSetText) {
	auto window = sfg::Window::Create(sfg::Window::NO_STYLE);
	auto label = sfg::Label::Create("I");
	label->SetRequisition(sf::Vector2f(100.f, 40.f));
	window->Add(label);
	desktop.Add(window);
	const sf::Vector2f at = label->GetAbsolutePosition();
	auto lit_columns = [&](const sf::Image& shot) {
		std::vector<unsigned int> columns;
		for(unsigned int x = 0; x < 100; ++x) {
			for(unsigned int y = 0; y < 40; ++y) {
				if(shot.getPixel(static_cast<unsigned>(at.x) + x, static_cast<unsigned>(at.y) + y).r > 100) {
					columns.push_back(x);
					break;
				}
			}
		}
		return columns;
	};
	const auto columns = lit_columns(Render());
	ASSERT_FALSE(columns.empty());
	EXPECT_NEAR((columns.front() + columns.back()) / 2.0, 50.0, 3.0);
	label->SetText("");
	EXPECT_TRUE(lit_columns(Render()).empty());
}

TEST_F(SfgDraw, WindowsWhollyBehindAnOpaqueWindowAreSkipped) {
	ASSERT_TRUE(sfg::Context::Get().GetEngine().LoadThemeFromString(
		"Window#glass { BackgroundColor: #00ff0080; }"));
	// A stack of identical opaque windows draws as one.
	for(int i = 0; i < 50; ++i) {
		desktop.Add(Plain("red", sf::Vector2f(10.f, 10.f), sf::Vector2f(100.f, 100.f)));
	}
	Render();
	const unsigned int one = gui.GetLastDrawCallCount();
	auto top = Plain("blue", sf::Vector2f(10.f, 10.f), sf::Vector2f(100.f, 100.f));
	desktop.Add(top);
	EXPECT_EQ(Render().getPixel(50, 50), sf::Color::Blue);
	EXPECT_EQ(gui.GetLastDrawCallCount(), one);

	// Whatever sticks out, or lies behind a see-through window, is drawn.
	auto wide = Plain("red", sf::Vector2f(5.f, 10.f), sf::Vector2f(100.f, 100.f));
	desktop.Add(wide);
	desktop.BringToFront(top);
	sf::Image shot = Render();
	EXPECT_EQ(shot.getPixel(7, 50), sf::Color::Red);
	EXPECT_EQ(gui.GetLastDrawCallCount(), 2 * one);
	auto glass = Plain("glass", sf::Vector2f(0.f, 0.f), sf::Vector2f(200.f, 200.f));
	desktop.Add(glass);
	shot = Render();
	EXPECT_GT(shot.getPixel(50, 50).b, 0);
	EXPECT_GT(shot.getPixel(50, 50).g, 0);
	EXPECT_GE(gui.GetLastDrawCallCount(), 3 * one);

	// A shadow reaching past the window above keeps its window drawn.
	glass->Show(false);
	auto shadowed = sfg::Window::Create(sfg::Window::BACKGROUND | sfg::Window::SHADOW);
	shadowed->SetId("red");
	shadowed->Add(Block(94.f, 94.f));
	shadowed->SetPosition(sf::Vector2f(10.f, 10.f));
	desktop.Add(shadowed);
	desktop.BringToFront(top);
	Render();
	const unsigned int withShadow = gui.GetLastDrawCallCount();
	shadowed->Show(false);
	Render();
	EXPECT_GT(withShadow, gui.GetLastDrawCallCount());
}

TEST_F(SfgDraw, ManyWidgetsTakeAFewDrawCallsPerWindow) {
	auto designer = sfg::Window::Create(3);
	designer->SetTitle("designer");
	auto table = sfg::Table::Create();
	for(sf::Uint32 x = 0; x < 46; ++x) {
		for(sf::Uint32 y = 0; y < 18; ++y) {
			table->Attach(sfg::Button::Create(std::string(1, static_cast<char>('a' + (x + y) % 26))),
			              sf::Rect<sf::Uint32>(x, y, 1, 1), sfg::Table::FILL, sfg::Table::FILL);
		}
	}
	designer->Add(table);
	desktop.Add(designer);
	auto map = sfg::Window::Create(3);
	auto fixed = sfg::Fixed::Create();
	fixed->Put(sfg::Image::Create(Solid(300, 200, sf::Color(20, 40, 20))), sf::Vector2f(0.f, 0.f));
	for(int i = 0; i < 1000; ++i) {
		fixed->Put(sfg::Label::Create("obj" + std::to_string(i)),
		           sf::Vector2f(static_cast<float>(i % 250), static_cast<float>(i % 180)));
	}
	map->Add(fixed);
	desktop.Add(map);
	Render();
	// Per window: quads, glyphs, and the map's picture.
	EXPECT_LE(gui.GetLastDrawCallCount(), 5u);
	EXPECT_GE(gui.GetLastDrawCallCount(), 4u);
}

}
