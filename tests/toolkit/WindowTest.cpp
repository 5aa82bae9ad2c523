#include "ToolkitTestSupport.hpp"

#include <SFML/Graphics/Font.hpp>

#include <cmath>

using namespace toolkit_test;

namespace {

class SfgWindow : public ToolkitTest {
	protected:
		void SetUp() override {
			ToolkitTest::SetUp();
			auto& engine = sfg::Context::Get().GetEngine();
			ASSERT_TRUE(engine.SetProperty("Window", "BorderWidth", "2"));
			ASSERT_TRUE(engine.SetProperty("Window", "Gap", "3"));
			ASSERT_TRUE(engine.SetProperty("Window", "TitlePadding", "4"));
			sf::Font font;
			ASSERT_TRUE(font.loadFromFile(sfg::Context::Get().GetDefaultFontPath()));
			title_height = std::ceil(font.getLineSpacing(12)) + 8.f;
		}
		float title_height = 0.f;
};

TEST_F(SfgWindow, StyleValuesMatchTheGame) {
	EXPECT_EQ(sfg::Window::Style::NO_STYLE, 0);
	EXPECT_EQ(sfg::Window::Style::TITLEBAR, 1);
	EXPECT_EQ(sfg::Window::Style::BACKGROUND, 2);
	EXPECT_EQ(sfg::Window::RESIZE, 4);
	EXPECT_EQ(sfg::Window::SHADOW, 8);
	EXPECT_EQ(sfg::Window::CLOSE, 16);
	EXPECT_EQ(sfg::Window::TOPLEVEL, 7);
	EXPECT_EQ(sfg::Window::Create(3)->GetStyle(), 3);
}

TEST_F(SfgWindow, RequisitionIsChildPlusFramePlusTitleBar) {
	auto titled = sfg::Window::Create(3);
	titled->Add(Block(100, 50));
	EXPECT_EQ(titled->GetRequisition(), sf::Vector2f(110.f, 60.f + title_height));
	EXPECT_EQ(titled->GetChild()->GetAllocation(), sf::FloatRect(5.f, title_height + 5.f, 100.f, 50.f));

	auto plain = sfg::Window::Create(2);
	plain->Add(Block(100, 50));
	EXPECT_EQ(plain->GetRequisition(), sf::Vector2f(110.f, 60.f));
	// A second child is refused.
	plain->Add(Block(1, 1));
	EXPECT_EQ(plain->GetChildren().size(), 1u);
}

TEST_F(SfgWindow, GrowsWithItsContentAndDoesNotShrink) {
	auto window = sfg::Window::Create(2);
	auto content = Block(100, 50);
	window->Add(content);
	EXPECT_EQ(window->GetAllocation().width, 110.f);
	content->SetRequisition(sf::Vector2f(300.f, 20.f));
	EXPECT_EQ(window->GetAllocation().width, 310.f);
	EXPECT_EQ(window->GetAllocation().height, 60.f);
	content->SetRequisition(sf::Vector2f(10.f, 10.f));
	EXPECT_EQ(window->GetAllocation().width, 310.f);
	// The child gets the whole client area.
	EXPECT_EQ(content->GetAllocation(), sf::FloatRect(5.f, 5.f, 300.f, 50.f));
}

TEST_F(SfgWindow, SetPositionRoundsAndChildrenFollow) {
	auto window = sfg::Window::Create(2);
	auto content = Block(10, 10);
	window->Add(content);
	window->SetPosition(sf::Vector2f(10.4f, 20.6f));
	EXPECT_EQ(window->GetAllocation().left, 10.f);
	EXPECT_EQ(window->GetAllocation().top, 21.f);
	EXPECT_EQ(content->GetAbsolutePosition(), sf::Vector2f(15.f, 26.f));
}

TEST_F(SfgWindow, TitleBarDragMovesByCursorMinusGrabOffsetWithoutClamping) {
	sfg::Desktop desktop;
	auto window = sfg::Window::Create(3);
	window->Add(Block(100, 50));
	window->SetPosition(sf::Vector2f(100.f, 100.f));
	desktop.Add(window);

	desktop.HandleEvent(Press(120, 105));
	desktop.HandleEvent(Move(130, 125));
	EXPECT_EQ(window->GetAllocation().left, 110.f);
	EXPECT_EQ(window->GetAllocation().top, 120.f);
	// The drag goes on outside the window, even past the screen's edge.
	desktop.HandleEvent(Move(5, 2));
	EXPECT_EQ(window->GetAllocation().left, -15.f);
	EXPECT_EQ(window->GetAllocation().top, -3.f);
	desktop.HandleEvent(Release(5, 2));
	desktop.HandleEvent(Move(300, 300));
	EXPECT_EQ(window->GetAllocation().left, -15.f);
}

TEST_F(SfgWindow, NoDragOutsideTheTitleBarOrWithoutOne) {
	sfg::Desktop desktop;
	auto titled = sfg::Window::Create(3);
	titled->Add(Block(100, 50));
	desktop.Add(titled);
	desktop.HandleEvent(Press(20, static_cast<int>(title_height) + 10));
	desktop.HandleEvent(Move(60, 80));
	desktop.HandleEvent(Release(60, 80));
	EXPECT_EQ(titled->GetAllocation().left, 0.f);

	auto bare = sfg::Window::Create(2);
	bare->Add(Block(100, 50));
	desktop.Add(bare);
	desktop.HandleEvent(Press(3, 3));
	desktop.HandleEvent(Move(60, 80));
	desktop.HandleEvent(Release(60, 80));
	EXPECT_EQ(bare->GetAllocation().left, 0.f);
}

TEST_F(SfgWindow, ResizeHandleGrowsButNeverBelowTheRequisition) {
	sfg::Desktop desktop;
	auto window = sfg::Window::Create(sfg::Window::TOPLEVEL);
	window->Add(Block(100, 50));
	desktop.Add(window);
	const sf::FloatRect start = window->GetAllocation();
	const int corner_x = static_cast<int>(start.width) - 2;
	const int corner_y = static_cast<int>(start.height) - 2;
	desktop.HandleEvent(Press(corner_x, corner_y));
	desktop.HandleEvent(Move(corner_x + 40, corner_y + 30));
	EXPECT_EQ(window->GetAllocation().width, start.width + 40.f);
	EXPECT_EQ(window->GetAllocation().height, start.height + 30.f);
	EXPECT_EQ(window->GetChild()->GetAllocation().width, 140.f);
	desktop.HandleEvent(Move(5, 5));
	EXPECT_EQ(window->GetAllocation().width, start.width);
	EXPECT_EQ(window->GetAllocation().height, start.height);
	desktop.HandleEvent(Release(5, 5));
}

}
