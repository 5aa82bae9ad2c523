// Handlers that tear down the very widgets being dispatched. Run under the
// sanitizer build to catch any use after free.
#include "ToolkitTestSupport.hpp"

using namespace toolkit_test;

namespace {

class SfgRemovalDuringDispatch : public ToolkitTest {};

struct Scene {
	sfg::Desktop desktop;
	std::weak_ptr<sfg::Window> window;
	std::weak_ptr<sfg::Box> box;
	std::weak_ptr<sfg::Button> button;
	std::weak_ptr<sfg::Label> label;

	// Only the desktop and the containers hold the widgets.
	Scene() {
		auto w = sfg::Window::Create(sfg::Window::BACKGROUND);
		auto b = sfg::Box::Create(sfg::Box::Orientation::VERTICAL);
		auto button_ = sfg::Button::Create();
		button_->SetRequisition(sf::Vector2f(40.f, 20.f));
		auto label_ = sfg::Label::Create();
		label_->SetRequisition(sf::Vector2f(40.f, 20.f));
		b->Pack(button_);
		b->Pack(label_);
		w->Add(b);
		desktop.Add(w);
		window = w;
		box = b;
		button = button_;
		label = label_;
	}

	static void ClickOn(sfg::Desktop& desktop, const std::weak_ptr<sfg::Widget>& weak) {
		auto widget = weak.lock();
		ASSERT_TRUE(widget);
		const sf::Vector2f at = widget->GetAbsolutePosition() + sf::Vector2f(5.f, 5.f);
		widget.reset();
		Click(desktop, static_cast<int>(at.x), static_cast<int>(at.y));
	}
};

TEST_F(SfgRemovalDuringDispatch, ButtonRemovesItselfInItsOwnHandler) {
	Scene scene;
	int runs = 0;
	scene.button.lock()->GetSignal(sfg::Widget::OnLeftClick).Connect([&scene, &runs]() {
		++runs;
		scene.box.lock()->Remove(scene.button.lock());
	});
	// A second handler on the same signal still runs after the removal.
	scene.button.lock()->GetSignal(sfg::Widget::OnLeftClick).Connect([&runs]() { ++runs; });
	Scene::ClickOn(scene.desktop, scene.button);
	EXPECT_EQ(runs, 2);
	EXPECT_TRUE(scene.button.expired());
	EXPECT_EQ(scene.box.lock()->GetChildren().size(), 1u);
}

TEST_F(SfgRemovalDuringDispatch, LabelHandlerRemovesItsWindowWhoseClickIsStillPending) {
	Scene scene;
	int window_clicks = 0;
	scene.label.lock()->GetSignal(sfg::Widget::OnLeftClick).Connect([&scene]() {
		scene.desktop.Remove(scene.window.lock());
		scene.window.lock()->RemoveAll();
	});
	scene.window.lock()->GetSignal(sfg::Widget::OnLeftClick).Connect([&window_clicks]() { ++window_clicks; });
	Scene::ClickOn(scene.desktop, scene.label);
	EXPECT_EQ(window_clicks, 1);
	EXPECT_TRUE(scene.window.expired());
	EXPECT_TRUE(scene.label.expired());
	EXPECT_TRUE(scene.desktop.GetWidgets().empty());
}

TEST_F(SfgRemovalDuringDispatch, HandlerHidesReparentsAndAddsWindows) {
	Scene scene;
	auto other = sfg::Window::Create(sfg::Window::BACKGROUND);
	auto other_box = sfg::Box::Create();
	other->Add(other_box);
	// Plain references: the handler's button ends up inside other_box.
	scene.button.lock()->GetSignal(sfg::Widget::OnLeftClick).Connect([&scene, &other, &other_box]() {
		scene.window.lock()->Show(false);
		other_box->Pack(scene.button.lock());
		scene.desktop.Add(other);
		scene.desktop.BringToFront(scene.window.lock());
	});
	Scene::ClickOn(scene.desktop, scene.button);
	ASSERT_FALSE(scene.button.expired());
	EXPECT_EQ(scene.button.lock()->GetParent(), other_box);
	EXPECT_FALSE(scene.window.lock()->IsGloballyVisible());
	EXPECT_EQ(scene.desktop.GetWidgets().back(), scene.window.lock());
	// The hidden window no longer takes the clicks; the moved button does.
	int clicks = 0;
	scene.button.lock()->GetSignal(sfg::Widget::OnLeftClick).Connect([&clicks]() { ++clicks; });
	Scene::ClickOn(scene.desktop, scene.button);
	EXPECT_EQ(clicks, 1);
}

TEST_F(SfgRemovalDuringDispatch, HoverSignalsMayRemoveTheirWidget) {
	Scene scene;
	scene.button.lock()->GetSignal(sfg::Widget::OnMouseEnter).Connect([&scene]() {
		scene.box.lock()->RemoveAll();
	});
	const sf::Vector2f at = scene.button.lock()->GetAbsolutePosition() + sf::Vector2f(5.f, 5.f);
	scene.desktop.HandleEvent(Move(static_cast<int>(at.x), static_cast<int>(at.y)));
	EXPECT_TRUE(scene.button.expired());
	EXPECT_TRUE(scene.label.expired());
	scene.desktop.HandleEvent(Move(1, 1));
	Click(scene.desktop, static_cast<int>(at.x), static_cast<int>(at.y));
}

TEST_F(SfgRemovalDuringDispatch, HandlersMayRouteFurtherEventsAndDisconnectThemselves) {
	Scene scene;
	int runs = 0;
	auto button = scene.button.lock();
	unsigned int id = 0;
	id = button->GetSignal(sfg::Widget::OnLeftClick).Connect([&]() {
		++runs;
		scene.button.lock()->GetSignal(sfg::Widget::OnLeftClick).Disconnect(id);
		// A click from inside a handler is handled in full, once.
		Scene::ClickOn(scene.desktop, scene.button);
	});
	button.reset();
	Scene::ClickOn(scene.desktop, scene.button);
	EXPECT_EQ(runs, 1);
}

TEST_F(SfgRemovalDuringDispatch, DestroyingAWindowTreeWhileHoveredIsSafe) {
	auto scene = std::make_unique<Scene>();
	const sf::Vector2f at = scene->button.lock()->GetAbsolutePosition() + sf::Vector2f(5.f, 5.f);
	scene->desktop.HandleEvent(Press(static_cast<int>(at.x), static_cast<int>(at.y)));
	std::weak_ptr<sfg::Button> button = scene->button;
	scene.reset();
	EXPECT_TRUE(button.expired());
}

}
