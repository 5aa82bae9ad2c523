#include "ToolkitTestSupport.hpp"

using namespace toolkit_test;

namespace {

class SfgViewport : public ToolkitTest {};

TEST_F(SfgViewport, TheValueStaysWithinLowerAndUpperLessThePage) {
	auto adjustment = sfg::Adjustment::Create();
	adjustment->SetValue(50.f); // range [0, 0]
	EXPECT_EQ(adjustment->GetValue(), 0.f);
	adjustment->SetUpper(100.f);
	adjustment->SetValue(50.f);
	EXPECT_EQ(adjustment->GetValue(), 50.f);
	adjustment->SetPageSize(80.f); // range [0, 20]: the value follows
	EXPECT_EQ(adjustment->GetValue(), 20.f);
	adjustment->SetValue(-7.f);
	EXPECT_EQ(adjustment->GetValue(), 0.f);
	adjustment->SetLower(10.f);
	EXPECT_EQ(adjustment->GetValue(), 10.f);
	adjustment->SetPageSize(200.f); // empty range: the lower bound wins
	adjustment->SetValue(60.f);
	EXPECT_EQ(adjustment->GetValue(), 10.f);
}

// A 100 x 50 viewport at (20, 30) showing a column of two 100 x 40 buttons.
TEST_F(SfgViewport, TheContentIsOffsetByTheRoundedValuesAndOnlyItsVisiblePartTakesClicks) {
	sfg::Desktop desktop;
	auto window = sfg::Window::Create(sfg::Window::NO_STYLE);
	auto viewport = sfg::Viewport::Create();
	EXPECT_EQ(viewport->GetRequisition(), sf::Vector2f(0.f, 0.f));
	viewport->SetRequisition(sf::Vector2f(100.f, 50.f));
	auto first = sfg::Button::Create();
	auto second = sfg::Button::Create();
	first->SetRequisition(sf::Vector2f(100.f, 40.f));
	second->SetRequisition(sf::Vector2f(100.f, 40.f));
	auto column = sfg::Box::Create(sfg::Box::Orientation::VERTICAL);
	column->Pack(first);
	column->Pack(second);
	viewport->Add(column);
	window->Add(viewport);
	window->SetPosition(sf::Vector2f(20.f, 30.f));
	desktop.Add(window);
	std::string log;
	Log(first, sfg::Widget::OnLeftClick, log, "first");
	Log(second, sfg::Widget::OnLeftClick, log, "second");
	EXPECT_EQ(viewport->GetRequisition(), sf::Vector2f(100.f, 50.f));
	EXPECT_EQ(column->GetAllocation(), sf::FloatRect(0.f, 0.f, 100.f, 80.f));
	EXPECT_EQ(viewport->GetVerticalAdjustment()->GetUpper(), 0.f); // bounds are the user's to set
	const sf::Vector2f origin = viewport->GetAbsolutePosition();
	Click(desktop, origin + sf::Vector2f(50.f, 60.f)); // the second button, under the viewport

	viewport->GetVerticalAdjustment()->SetUpper(1e8f);
	viewport->GetVerticalAdjustment()->SetValue(30.4f);
	viewport->GetHorizontalAdjustment()->SetUpper(1000.f);
	viewport->GetHorizontalAdjustment()->SetValue(9.6f);
	EXPECT_EQ(column->GetAbsolutePosition(), origin + sf::Vector2f(-10.f, -30.f));
	Click(desktop, origin + sf::Vector2f(50.f, 5.f));  // the first button's lower part
	Click(desktop, origin + sf::Vector2f(50.f, 45.f)); // the second's upper part
	EXPECT_EQ(log, "first second ");
}

}
