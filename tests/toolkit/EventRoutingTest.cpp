#include "ToolkitTestSupport.hpp"

using namespace toolkit_test;

namespace {

class SfgEventRouting : public ToolkitTest {
	protected:
		// A background window at (x, y) holding a vertical box with a button
		// (40 x 20) over a label block (40 x 20).
		struct TestWindow {
			sfg::Window::Ptr window;
			sfg::Button::Ptr button;
			sfg::Widget::Ptr label;
		};

		TestWindow MakeWindow(float x, float y) {
			TestWindow result;
			result.window = sfg::Window::Create(sfg::Window::BACKGROUND);
			auto box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL);
			result.button = sfg::Button::Create();
			result.button->SetRequisition(sf::Vector2f(40.f, 20.f));
			result.label = Block(40.f, 20.f);
			box->Pack(result.button);
			box->Pack(result.label);
			result.window->Add(box);
			result.window->SetPosition(sf::Vector2f(x, y));
			return result;
		}

		static sf::Vector2i Centre(const sfg::Widget::Ptr& widget) {
			const sf::Vector2f position = widget->GetAbsolutePosition();
			const sf::FloatRect& allocation = widget->GetAllocation();
			return sf::Vector2i(static_cast<int>(position.x + allocation.width / 2.f),
			                    static_cast<int>(position.y + allocation.height / 2.f));
		}
};

TEST_F(SfgEventRouting, ClickWithoutPriorMoveFiresOnRelease) {
	sfg::Desktop desktop;
	TestWindow w = MakeWindow(10, 10);
	desktop.Add(w.window);
	auto clicks = CountSignal(w.button, sfg::Widget::OnLeftClick);
	const sf::Vector2i at = Centre(w.button);
	desktop.HandleEvent(Press(at.x, at.y));
	EXPECT_EQ(*clicks, 0);
	EXPECT_EQ(w.button->GetState(), sfg::Widget::State::ACTIVE);
	desktop.HandleEvent(Release(at.x, at.y));
	EXPECT_EQ(*clicks, 1);
	EXPECT_EQ(w.button->GetState(), sfg::Widget::State::PRELIGHT);
}

TEST_F(SfgEventRouting, PressInsideReleaseOutsideDoesNotClickNorDoesTheReverse) {
	sfg::Desktop desktop;
	TestWindow w = MakeWindow(10, 10);
	desktop.Add(w.window);
	auto clicks = CountSignal(w.button, sfg::Widget::OnLeftClick);
	const sf::Vector2i at = Centre(w.button);
	desktop.HandleEvent(Press(at.x, at.y));
	desktop.HandleEvent(Move(500, 500));
	EXPECT_EQ(w.button->GetState(), sfg::Widget::State::NORMAL);
	desktop.HandleEvent(Release(500, 500));
	desktop.HandleEvent(Press(500, 500));
	desktop.HandleEvent(Release(at.x, at.y));
	EXPECT_EQ(*clicks, 0);
	// A press that leaves and comes back still clicks.
	desktop.HandleEvent(Press(at.x, at.y));
	desktop.HandleEvent(Move(500, 500));
	desktop.HandleEvent(Move(at.x, at.y));
	desktop.HandleEvent(Release(at.x, at.y));
	EXPECT_EQ(*clicks, 1);
}

TEST_F(SfgEventRouting, ButtonTakesItsClickAloneOtherwiseContainersClickToo) {
	sfg::Desktop desktop;
	TestWindow w = MakeWindow(10, 10);
	desktop.Add(w.window);
	auto window_clicks = CountSignal(w.window, sfg::Widget::OnLeftClick);
	auto button_clicks = CountSignal(w.button, sfg::Widget::OnLeftClick);
	auto label_clicks = CountSignal(w.label, sfg::Widget::OnLeftClick);

	const sf::Vector2i button = Centre(w.button);
	Click(desktop, button.x, button.y);
	EXPECT_EQ(*button_clicks, 1);
	EXPECT_EQ(*window_clicks, 0);

	const sf::Vector2i label = Centre(w.label);
	Click(desktop, label.x, label.y);
	EXPECT_EQ(*label_clicks, 1);
	EXPECT_EQ(*window_clicks, 1);

	// The window's frame, outside every child.
	Click(desktop, 12, 12);
	EXPECT_EQ(*window_clicks, 2);
	EXPECT_EQ(*label_clicks, 1);
}

TEST_F(SfgEventRouting, RightClicksAreSeparateFromLeftClicks) {
	sfg::Desktop desktop;
	TestWindow w = MakeWindow(10, 10);
	desktop.Add(w.window);
	auto left = CountSignal(w.button, sfg::Widget::OnLeftClick);
	auto right = CountSignal(w.button, sfg::Widget::OnRightClick);
	auto window_right = CountSignal(w.window, sfg::Widget::OnRightClick);
	const sf::Vector2i at = Centre(w.button);
	Click(desktop, at.x, at.y, sf::Mouse::Right);
	EXPECT_EQ(*right, 1);
	EXPECT_EQ(*left, 0);
	EXPECT_EQ(*window_right, 0);
	// A left press with a right release is no click of either.
	desktop.HandleEvent(Press(at.x, at.y, sf::Mouse::Left));
	desktop.HandleEvent(Release(at.x, at.y, sf::Mouse::Right));
	EXPECT_EQ(*left, 0);
	EXPECT_EQ(*right, 1);
	const sf::Vector2i label = Centre(w.label);
	Click(desktop, label.x, label.y, sf::Mouse::Right);
	EXPECT_EQ(*window_right, 1);
}

TEST_F(SfgEventRouting, TopWindowTakesTheClickAndAPressRaisesALowerWindow) {
	sfg::Desktop desktop;
	TestWindow bottom = MakeWindow(0, 0);
	TestWindow top = MakeWindow(20, 5);
	desktop.Add(bottom.window);
	desktop.Add(top.window);
	desktop.Add(bottom.window); // a duplicate add is ignored
	ASSERT_EQ(desktop.GetWidgets().size(), 2u);
	auto bottom_clicks = CountSignal(bottom.button, sfg::Widget::OnLeftClick);
	auto top_clicks = CountSignal(top.button, sfg::Widget::OnLeftClick);

	// Where they overlap, only the top window hears it.
	const sf::Vector2i overlap = Centre(top.button);
	Click(desktop, overlap.x, overlap.y);
	EXPECT_EQ(*top_clicks, 1);
	EXPECT_EQ(*bottom_clicks, 0);

	// A press on the visible part of the lower window raises it, then clicks.
	const sf::Vector2i uncovered(15, 12);
	const sf::Vector2f corner = bottom.button->GetAbsolutePosition();
	ASSERT_TRUE(sf::FloatRect(corner, sf::Vector2f(40.f, 20.f)).contains(15.f, 12.f));
	ASSERT_FALSE(top.window->GetAllocation().contains(15.f, 12.f));
	Click(desktop, uncovered.x, uncovered.y);
	EXPECT_EQ(*bottom_clicks, 1);
	EXPECT_EQ(desktop.GetWidgets().back(), bottom.window);

	// Now the bottom window covers the overlap.
	Click(desktop, overlap.x, overlap.y);
	EXPECT_EQ(*top_clicks, 1);
}

TEST_F(SfgEventRouting, HiddenWindowsAndWidgetsGetNothing) {
	sfg::Desktop desktop;
	TestWindow bottom = MakeWindow(0, 0);
	TestWindow top = MakeWindow(0, 0);
	desktop.Add(bottom.window);
	desktop.Add(top.window);
	auto bottom_clicks = CountSignal(bottom.button, sfg::Widget::OnLeftClick);
	auto top_clicks = CountSignal(top.button, sfg::Widget::OnLeftClick);
	top.window->Show(false);
	const sf::Vector2i at = Centre(bottom.button);
	Click(desktop, at.x, at.y);
	EXPECT_EQ(*bottom_clicks, 1);
	EXPECT_EQ(*top_clicks, 0);
	EXPECT_EQ(desktop.GetWidgets().back(), top.window); // hidden windows are not raised over

	bottom.button->Show(false);
	auto window_clicks = CountSignal(bottom.window, sfg::Widget::OnLeftClick);
	Click(desktop, at.x, at.y);
	EXPECT_EQ(*bottom_clicks, 1);
	EXPECT_EQ(*window_clicks, 1);
}

TEST_F(SfgEventRouting, TopWindowSeesMovesOutsideItLowerWindowsOnlyInside) {
	sfg::Desktop desktop;
	TestWindow bottom = MakeWindow(0, 0);
	TestWindow top = MakeWindow(200, 0);
	desktop.Add(bottom.window);
	desktop.Add(top.window);
	auto top_leaves = CountSignal(top.button, sfg::Widget::OnMouseLeave);
	auto bottom_enters = CountSignal(bottom.button, sfg::Widget::OnMouseEnter);
	auto bottom_leaves = CountSignal(bottom.button, sfg::Widget::OnMouseLeave);
	const sf::Vector2i top_button = Centre(top.button);
	const sf::Vector2i bottom_button = Centre(bottom.button);

	desktop.HandleEvent(Move(top_button.x, top_button.y));
	EXPECT_EQ(top.button->GetState(), sfg::Widget::State::PRELIGHT);
	desktop.HandleEvent(Move(bottom_button.x, bottom_button.y));
	EXPECT_EQ(*top_leaves, 1);
	EXPECT_EQ(*bottom_enters, 1);
	EXPECT_EQ(bottom.button->GetState(), sfg::Widget::State::PRELIGHT);
	// Moving onto the top window clears the hover of the one below.
	desktop.HandleEvent(Move(top_button.x, top_button.y));
	EXPECT_EQ(*bottom_leaves, 1);
	EXPECT_EQ(bottom.button->GetState(), sfg::Widget::State::NORMAL);
}

TEST_F(SfgEventRouting, KeyEventsGoToTheFocusedWidgetOnly) {
	sfg::Desktop desktop;
	TestWindow w = MakeWindow(0, 0);
	desktop.Add(w.window);
	auto button_keys = CountSignal(w.button, sfg::Widget::OnKeyPress);
	auto label_keys = CountSignal(w.label, sfg::Widget::OnKeyPress);
	sf::Event key;
	key.type = sf::Event::KeyPressed;
	key.key.code = sf::Keyboard::A;
	desktop.HandleEvent(key);
	EXPECT_EQ(*button_keys + *label_keys, 0);
	w.label->GrabFocus();
	EXPECT_TRUE(w.label->HasFocus());
	desktop.HandleEvent(key);
	EXPECT_EQ(*label_keys, 1);
	EXPECT_EQ(*button_keys, 0);
}

TEST_F(SfgEventRouting, BringToFrontIgnoresWidgetsNotOnTheDesktop) {
	sfg::Desktop desktop;
	TestWindow a = MakeWindow(0, 0);
	TestWindow b = MakeWindow(0, 0);
	desktop.Add(a.window);
	desktop.Add(b.window);
	desktop.BringToFront(MakeWindow(0, 0).window);
	EXPECT_EQ(desktop.GetWidgets().size(), 2u);
	desktop.BringToFront(a.window);
	EXPECT_EQ(desktop.GetWidgets().back(), a.window);
	desktop.Remove(a.window);
	EXPECT_EQ(desktop.GetWidgets().size(), 1u);
	desktop.Remove(a.window);
	EXPECT_EQ(desktop.GetWidgets().size(), 1u);
}

}
