#include "ToolkitTestSupport.hpp"

using namespace toolkit_test;

namespace {

class SfgViewport : public ToolkitTest {};

TEST_F(SfgViewport, AdjustmentDefaultsAndClamping) {
	auto adjustment = sfg::Adjustment::Create();
	EXPECT_EQ(adjustment->GetValue(), 0.f);
	EXPECT_EQ(adjustment->GetLower(), 0.f);
	EXPECT_EQ(adjustment->GetUpper(), 0.f);
	EXPECT_EQ(adjustment->GetMinorStep(), 1.f);
	EXPECT_EQ(adjustment->GetMajorStep(), 5.f);
	EXPECT_EQ(adjustment->GetPageSize(), 0.f);

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

	auto made = sfg::Adjustment::Create(5.f, 0.f, 100.f, 2.f, 10.f, 0.f);
	made->Increment();
	EXPECT_EQ(made->GetValue(), 7.f);
	made->IncrementPage();
	EXPECT_EQ(made->GetValue(), 17.f);
	int changes = 0;
	made->GetSignal(sfg::Adjustment::OnChange).Connect([&changes]() { ++changes; });
	made->SetValue(17.f);
	EXPECT_EQ(changes, 0);
	made->SetValue(30.f);
	EXPECT_EQ(changes, 1);
}

TEST_F(SfgViewport, ChildGetsItsFullRequisitionAndIsOffsetByTheRoundedValues) {
	auto viewport = sfg::Viewport::Create();
	EXPECT_EQ(viewport->GetRequisition(), sf::Vector2f(0.f, 0.f));
	viewport->SetRequisition(sf::Vector2f(100.f, 50.f));
	auto content = Block(300.f, 400.f);
	viewport->Add(content);
	EXPECT_EQ(viewport->GetRequisition(), sf::Vector2f(100.f, 50.f));
	EXPECT_EQ(content->GetAllocation(), sf::FloatRect(0.f, 0.f, 300.f, 400.f));
	// The viewport leaves the bounds to its user.
	EXPECT_EQ(viewport->GetVerticalAdjustment()->GetUpper(), 0.f);

	auto window = sfg::Window::Create(sfg::Window::NO_STYLE);
	window->Add(viewport);
	window->SetPosition(sf::Vector2f(20.f, 30.f));
	const sf::Vector2f origin = viewport->GetAbsolutePosition();
	viewport->GetVerticalAdjustment()->SetUpper(1e8f);
	viewport->GetVerticalAdjustment()->SetValue(120.4f);
	viewport->GetHorizontalAdjustment()->SetUpper(1000.f);
	viewport->GetHorizontalAdjustment()->SetValue(9.6f);
	EXPECT_EQ(content->GetAbsolutePosition(), origin + sf::Vector2f(-10.f, -120.f));
}

TEST_F(SfgViewport, OnlyTheVisiblePartOfTheContentTakesClicks) {
	sfg::Desktop desktop;
	auto window = sfg::Window::Create(sfg::Window::NO_STYLE);
	auto viewport = sfg::Viewport::Create();
	viewport->SetRequisition(sf::Vector2f(100.f, 50.f));
	auto column = sfg::Box::Create(sfg::Box::Orientation::VERTICAL);
	auto first = sfg::Button::Create();
	first->SetRequisition(sf::Vector2f(100.f, 40.f));
	auto second = sfg::Button::Create();
	second->SetRequisition(sf::Vector2f(100.f, 40.f));
	column->Pack(first);
	column->Pack(second);
	viewport->Add(column);
	window->Add(viewport);
	desktop.Add(window);
	auto first_clicks = CountSignal(first, sfg::Widget::OnLeftClick);
	auto second_clicks = CountSignal(second, sfg::Widget::OnLeftClick);
	const sf::Vector2f origin = viewport->GetAbsolutePosition();
	const int x = static_cast<int>(origin.x) + 50;
	const int below = static_cast<int>(origin.y) + 60; // under the viewport

	Click(desktop, x, below);
	EXPECT_EQ(*second_clicks, 0);
	viewport->GetVerticalAdjustment()->SetUpper(30.f);
	viewport->GetVerticalAdjustment()->SetValue(30.f);
	Click(desktop, x, static_cast<int>(origin.y) + 5); // now the first button's lower part
	EXPECT_EQ(*first_clicks, 1);
	Click(desktop, x, static_cast<int>(origin.y) + 45);
	EXPECT_EQ(*second_clicks, 1);
}

TEST_F(SfgViewport, TheConsoleScrollsToItsLastLine) {
	// The console's arrangement: a wrapping, empty label with a minimum size
	// in a box in a viewport. With no text it stays at the top.
	auto viewport = sfg::Viewport::Create();
	viewport->SetRequisition(sf::Vector2f(510.f, 254.f));
	viewport->GetVerticalAdjustment()->SetLower(0.f);
	viewport->GetVerticalAdjustment()->SetUpper(100000000.f);
	auto box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 0.f);
	auto label = sfg::Label::Create("");
	label->SetRequisition(sf::Vector2f(512.f, 256.f));
	label->SetLineWrap(true);
	box->Pack(label);
	viewport->Add(box);
	auto window = sfg::Window::Create(3);
	window->Add(viewport);
	label->SetText("");
	viewport->GetVerticalAdjustment()->SetValue(label->GetRequisition().y - 256.f);
	EXPECT_EQ(viewport->GetVerticalAdjustment()->GetValue(), 0.f);
	EXPECT_EQ(label->GetAllocation().width, 512.f);
}

}
