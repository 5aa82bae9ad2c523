// Handlers that change or tear down the very widgets being dispatched. The
// widgets are held by their containers only, so the sanitizer build catches
// any use after free.
#include "ToolkitTestSupport.hpp"

#include <functional>
#include <random>
#include <vector>

using namespace toolkit_test;

namespace {

class SfgDispatch : public ToolkitTest {
	protected:
		// A panel at (0, 0) on the desktop, watched through weak references.
		Panel<std::weak_ptr> Scene() {
			auto panel = MakePanel(0, 0);
			desktop.Add(panel.window);
			return {panel.window, panel.box, panel.button, panel.label};
		}
		sfg::Signal& Clicked(const std::weak_ptr<sfg::Widget>& widget) {
			return widget.lock()->GetSignal(sfg::Widget::OnLeftClick);
		}
		const sf::Vector2f button = {10.f, 10.f};
		const sf::Vector2f label = {10.f, 30.f};
		sfg::Desktop desktop;
};

TEST_F(SfgDispatch, HandlersRunInOrderAndMayChangeTheirSignal) {
	auto signal = std::make_unique<sfg::Signal>();
	std::string log;
	unsigned int second = 0;
	const unsigned int first = signal->Connect([&]() {
		log += "1";
		signal->Disconnect(second); // not run this time
		signal->Connect([&log]() { log += "4"; }); // runs from the next emission
	});
	second = signal->Connect([&log]() { log += "2"; });
	signal->Connect([&log]() { log += "3"; });
	signal->Disconnect(12345); // unknown: ignored
	(*signal)();
	signal->Disconnect(first);
	(*signal)();
	EXPECT_EQ(log, "1334");
	signal->Connect([&signal]() { signal.reset(); }); // a handler may destroy its signal
	(*signal)();
	EXPECT_FALSE(signal);
}

TEST_F(SfgDispatch, AButtonRemovesItselfAndItsOtherHandlersStillRun) {
	auto scene = Scene();
	int runs = 0;
	Clicked(scene.button).Connect([&]() {
		++runs;
		scene.box.lock()->Remove(scene.button.lock());
	});
	Clicked(scene.button).Connect([&runs]() { ++runs; });
	Click(desktop, button);
	EXPECT_EQ(runs, 2);
	EXPECT_TRUE(scene.button.expired());
	EXPECT_EQ(scene.box.lock()->GetChildren().size(), 1u);
}

TEST_F(SfgDispatch, ALabelRemovesItsWindowWhoseClickIsStillPending) {
	auto scene = Scene();
	int window_clicks = 0;
	Clicked(scene.label).Connect([&]() {
		desktop.Remove(scene.window.lock());
		scene.window.lock()->RemoveAll();
	});
	Clicked(scene.window).Connect([&window_clicks]() { ++window_clicks; });
	Click(desktop, label);
	EXPECT_EQ(window_clicks, 1);
	EXPECT_TRUE(scene.window.expired());
	EXPECT_TRUE(scene.label.expired());
}

TEST_F(SfgDispatch, AHandlerHidesReparentsAddsAndRaises) {
	auto scene = Scene();
	auto other = MakePanel(100, 0);
	Clicked(scene.button).Connect([&]() {
		scene.window.lock()->Show(false);
		other.box->Pack(scene.button.lock());
		desktop.Add(other.window);
		desktop.BringToFront(scene.window.lock());
	});
	Click(desktop, button);
	ASSERT_EQ(scene.button.lock()->GetParent(), other.box);
	EXPECT_EQ(desktop.GetWidgets().back(), scene.window.lock());
	// The hidden window takes no clicks; the moved button does.
	int clicks = 0;
	Clicked(scene.button).Connect([&clicks]() { ++clicks; });
	Click(desktop, scene.button.lock()->GetAbsolutePosition() + button);
	EXPECT_EQ(clicks, 1);
}

TEST_F(SfgDispatch, HoverAndNestedEventsInHandlers) {
	auto scene = Scene();
	int runs = 0;
	unsigned int id = 0;
	id = Clicked(scene.button).Connect([&]() {
		++runs;
		Clicked(scene.button).Disconnect(id);
		Click(desktop, button); // handled in full, once
	});
	Click(desktop, button);
	EXPECT_EQ(runs, 1);
	scene.label.lock()->GetSignal(sfg::Widget::OnMouseEnter).Connect([&]() { scene.box.lock()->RemoveAll(); });
	Play(desktop, "m10,30 p10,30");
	EXPECT_TRUE(scene.button.expired());
	EXPECT_TRUE(scene.label.expired());
	desktop.Remove(scene.window.lock()); // pressed and hovered
	EXPECT_TRUE(scene.window.expired());
}

// Random clicks and moves over windows whose handlers remove, hide, re-add,
// raise and rebuild widgets at random. Seeded, so a failure reproduces.
TEST_F(SfgDispatch, RandomEventsWithDestructiveHandlers) {
	std::mt19937 random(77u);
	int handled = 0;
	std::function<void(const sfg::Box::Ptr&)> fill = [&](const sfg::Box::Ptr& box) {
		box->RemoveAll();
		for(int i = 0; i < 4; ++i) {
			auto button = sfg::Button::Create();
			button->SetRequisition(sf::Vector2f(30.f, 15.f));
			std::weak_ptr<sfg::Button> weak_button = button;
			std::weak_ptr<sfg::Box> weak_box = box;
			button->GetSignal(sfg::Widget::OnLeftClick).Connect([&, weak_button, weak_box]() {
				auto self = weak_button.lock();
				auto parent = weak_box.lock();
				handled += self && parent;
				switch(self && parent ? random() % 5 : 5) {
					case 0: parent->Remove(self); break;
					case 1: fill(parent); break;
					case 2: self->Show(false); break;
					case 3: desktop.BringToFront(desktop.GetWidgets().front()); break;
					case 4: desktop.Remove(desktop.GetWidgets().back()); break;
				}
			});
			box->Pack(button);
		}
	};
	for(int step = 0; step < 3000; ++step) {
		while(desktop.GetWidgets().size() < (step ? 2u : 4u)) {
			auto panel = MakePanel(static_cast<float>(random() % 200), static_cast<float>(random() % 200));
			panel.window->SetStyle(3); // with a title bar: dragging moves them about
			fill(panel.box);
			std::weak_ptr<sfg::Window> weak_window = panel.window;
			panel.window->GetSignal(sfg::Widget::OnRightClick).Connect([weak_window]() {
				if(auto self = weak_window.lock()) {
					self->Show(!self->IsLocallyVisible());
				}
			});
			desktop.Add(panel.window);
		}
		for(const auto& widget : step % 50 ? std::vector<sfg::Widget::Ptr>() : desktop.GetWidgets()) {
			widget->Show();
			fill(std::static_pointer_cast<sfg::Box>(std::static_pointer_cast<sfg::Window>(widget)->GetChild()));
		}
		// A point in a random window; sometimes released elsewhere.
		const auto& widgets = desktop.GetWidgets();
		const sf::FloatRect area = widgets[random() % widgets.size()]->GetAllocation();
		const int x = static_cast<int>(area.left + static_cast<float>(random() % 60));
		const int y = static_cast<int>(area.top + static_cast<float>(random() % 120));
		const bool left = random() % 4;
		desktop.HandleEvent(Mouse('m', x, y));
		desktop.HandleEvent(Mouse(left ? 'p' : 'P', x, y));
		desktop.HandleEvent(Mouse('m', random() % 4 ? x : x + 20, y));
		desktop.HandleEvent(Mouse(left ? 'r' : 'R', random() % 4 ? x : x + 20, y));
	}
	EXPECT_GT(handled, 100);
}

}
