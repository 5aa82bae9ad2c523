// Handlers that tear down the very widgets being dispatched. Run under the
// sanitizer build to catch any use after free.
#include "ToolkitTestSupport.hpp"

#include <functional>
#include <random>

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

namespace {

// Random clicks and moves over windows whose handlers remove, hide, re-add,
// raise and rebuild widgets at random. Seeded; meant for the sanitizer build.
TEST_F(SfgRemovalDuringDispatch, RandomEventsWithDestructiveHandlers) {
	std::mt19937 random(77u);
	sfg::Desktop desktop;
	int handled = 0;
	std::function<void(const sfg::Box::Ptr&)> fill;
	fill = [&](const sfg::Box::Ptr& box) {
		for(int i = 0; i < 4; ++i) {
			auto button = sfg::Button::Create();
			button->SetRequisition(sf::Vector2f(30.f, 15.f));
			std::weak_ptr<sfg::Button> weak_button = button;
			std::weak_ptr<sfg::Box> weak_box = box;
			button->GetSignal(sfg::Widget::OnLeftClick).Connect([&, weak_button, weak_box]() {
				auto self = weak_button.lock();
				auto parent = weak_box.lock();
				if(!self || !parent) {
					return;
				}
				++handled;
				switch(random() % 5) {
					case 0: parent->Remove(self); break;
					case 1: parent->RemoveAll(); fill(parent); break;
					case 2: self->Show(false); break;
					case 3: desktop.BringToFront(desktop.GetWidgets().front()); break;
					default: desktop.Remove(desktop.GetWidgets().back()); break;
				}
			});
			box->Pack(button);
		}
	};
	auto add_window = [&]() {
		auto window = sfg::Window::Create(3);
		auto box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL);
		fill(box);
		window->Add(box);
		window->SetPosition(sf::Vector2f(static_cast<float>(random() % 200), static_cast<float>(random() % 200)));
		std::weak_ptr<sfg::Window> weak_window = window;
		window->GetSignal(sfg::Widget::OnRightClick).Connect([weak_window]() {
			if(auto self = weak_window.lock()) {
				self->Show(!self->IsLocallyVisible());
			}
		});
		desktop.Add(window);
	};
	for(int i = 0; i < 4; ++i) {
		add_window();
	}
	for(int step = 0; step < 3000; ++step) {
		if(desktop.GetWidgets().size() < 2) {
			add_window();
		}
		if(step % 50 == 0) {
			for(const auto& widget : desktop.GetWidgets()) {
				widget->Show();
				auto box = std::static_pointer_cast<sfg::Box>(std::static_pointer_cast<sfg::Window>(widget)->GetChild());
				box->RemoveAll();
				fill(box);
			}
		}
		// A point in a random window (dragging moves them about).
		const auto& widgets = desktop.GetWidgets();
		const sf::FloatRect area = widgets[random() % widgets.size()]->GetAllocation();
		const int x = static_cast<int>(area.left) + static_cast<int>(random() % 60);
		const int y = static_cast<int>(area.top) + static_cast<int>(random() % 120);
		const sf::Mouse::Button button = random() % 4 ? sf::Mouse::Left : sf::Mouse::Right;
		desktop.HandleEvent(Move(x, y));
		desktop.HandleEvent(Press(x, y, button));
		if(random() % 4 == 0) {
			desktop.HandleEvent(Move(x + 20, y)); // sometimes released elsewhere
		}
		desktop.HandleEvent(Release(random() % 4 ? x : x + 20, y, button));
	}
	EXPECT_GT(handled, 100);
}

}
