// Mouse routing through stacked windows, and handlers that change or tear
// down the very widgets being dispatched. Widgets watched through weak
// references are held by their containers only, so the sanitizer build
// catches any use after free.
#include "ToolkitTestSupport.hpp"

#include <SFML/Graphics/Font.hpp>

#include <cctype>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

using namespace toolkit_test;

namespace {

class SfgEvents : public ToolkitTest {
protected:
	// A panel at (0, 0) on the desktop: its button at (10, 10), its label
	// at (10, 30).
	Panel<std::weak_ptr> Scene() {
		auto panel = MakePanel(0, 0);
		desktop.Add(panel.window);
		return {panel.window, panel.box, panel.button, panel.label};
	}
	sfg::Signal& Clicked(const std::weak_ptr<sfg::Widget>& widget) {
		return widget.lock()->GetSignal(sfg::Widget::OnLeftClick);
	}
	sfg::Desktop desktop;
};

// Two panels (see MakePanel): the bottom one at (0, 0), the top one at
// (20, 5) overlapping it. Top button (23..63, 8..28), top label below it;
// (10, 12) is the bottom button where the top window does not cover it.
struct RoutingRow {
	const char* name;
	char hide;          // 'w' hides the top window, 'x' its box
	const char* events; // see Play
	const char* clicks; // t/b: top/bottom; b/l/w: button/label/window; upper case: right click
	char front;         // the window on top afterwards
};

const RoutingRow g_routing[] = {
	{"a click needs no move before", 0, "p43,18 r43,18", "tb", 't'},
	{"a label's click is its window's too", 0, "p43,38 r43,38", "tl tw", 't'},
	{"the window's frame", 0, "p21,6 r21,6", "tw", 't'},
	{"press inside release outside, then the reverse", 0, "p43,18 m300,300 r300,300 p300,300 r43,18", "", 't'},
	{"leaving and coming back still clicks", 0, "p43,18 m300,300 m43,18 r43,18", "tb", 't'},
	{"right clicks", 0, "P43,18 R43,18 P43,38 R43,38", "tB tL tW", 't'},
	{"a left press with a right release", 0, "p43,18 R43,18", "", 't'},
	{"a press alone raises a lower window", 0, "p10,12", "", 'b'},
	{"the raised window covers the overlap", 0, "p10,12 r10,12 p43,18 r43,18", "bb bw", 'b'},
	{"a release does not raise", 0, "p300,300 r10,12", "", 't'},
	{"a hidden window gets nothing and is not raised over", 'w', "p43,18 r43,18", "bw", 't'},
	{"a hidden widget gets nothing", 'x', "p43,18 r43,18", "tw", 't'},
};

TEST_F(SfgEvents, ClicksGoToTheTopmostWindowUnderTheCursor) {
	for(const RoutingRow& row : g_routing) {
		SCOPED_TRACE(row.name);
		desktop.RemoveAll();
		auto bottom = MakePanel(0, 0);
		auto top = MakePanel(20, 5);
		desktop.Add(bottom.window);
		desktop.Add(top.window);
		desktop.Add(bottom.window); // a duplicate add is ignored
		std::string log;
		const std::pair<std::string, sfg::Widget::Ptr> widgets[] = {{"tb", top.button},   {"tl", top.label},
																	{"tw", top.window},   {"bb", bottom.button},
																	{"bl", bottom.label}, {"bw", bottom.window}};
		for(const auto& widget : widgets) {
			Log(widget.second, sfg::Widget::OnLeftClick, log, widget.first);
			Log(widget.second, sfg::Widget::OnRightClick, log,
				{widget.first[0], static_cast<char>(toupper(widget.first[1]))});
		}
		top.window->GetAllocation(); // laid out first: windows do not shrink
		if(row.hide) {
			(row.hide == 'w' ? sfg::Widget::Ptr(top.window) : sfg::Widget::Ptr(top.box))->Show(false);
		}
		Play(desktop, row.events);
		EXPECT_EQ(log, row.clicks[0] ? std::string(row.clicks) + " " : "");
		ASSERT_EQ(desktop.GetWidgets().size(), 2u);
		EXPECT_EQ(desktop.GetWidgets().back(), row.front == 't' ? top.window : bottom.window);
	}
}

TEST_F(SfgEvents, TheTopWindowSeesMovesOutsideItLowerWindowsOnlyInside) {
	auto bottom = MakePanel(0, 0);
	auto top = MakePanel(200, 0);
	desktop.Add(bottom.window);
	desktop.Add(top.window);
	std::string log;
	Log(top.button, sfg::Widget::OnMouseLeave, log, "top-leaves");
	Log(bottom.button, sfg::Widget::OnMouseEnter, log, "bottom-enters");
	Log(bottom.button, sfg::Widget::OnMouseLeave, log, "bottom-leaves");
	// Moving onto the top window clears the hover of the one below.
	Play(desktop, "m210,10 m10,10 m210,10");
	EXPECT_EQ(log, "top-leaves bottom-enters bottom-leaves ");
	EXPECT_EQ(top.button->GetState(), sfg::Widget::State::PRELIGHT);
	// A pressed button is drawn pressed, and lit again once released.
	Play(desktop, "p210,10");
	EXPECT_EQ(top.button->GetState(), sfg::Widget::State::ACTIVE);
	Play(desktop, "r210,10");
	EXPECT_EQ(top.button->GetState(), sfg::Widget::State::PRELIGHT);
	desktop.BringToFront(MakePanel(0, 0).window); // not on the desktop: ignored
	EXPECT_EQ(desktop.GetWidgets().size(), 2u);
}

// A titled, resizable window (100 x 50 content) at (100, 100): the title bar
// drags it, with no clamping; the bottom-right handle resizes it by as much
// as the cursor moves, never below its requisition.
TEST_F(SfgEvents, TheTitleBarDragsAWindow) {
	sf::Font font;
	ASSERT_TRUE(compat::LoadFont(font, sfg::Context::Get().GetDefaultFontPath()));
	const float title = std::ceil(font.getLineSpacing(12)) + 4.f; // 2 of title padding each side
	auto window = sfg::Window::Create(sfg::Window::TOPLEVEL);
	auto content = Block(100, 50);
	window->Add(content);
	window->SetPosition(sf::Vector2f(100.4f, 99.6f));
	desktop.Add(window);
	EXPECT_EQ(window->GetAllocation(), sf::FloatRect({100.f, 100.f}, {106.f, 56.f + title}));
	EXPECT_EQ(content->GetAbsolutePosition(), sf::Vector2f(103.f, 103.f + title));
	Play(desktop, "p120,105 m130,125");
	EXPECT_EQ(window->GetAllocation(), sf::FloatRect({110.f, 120.f}, {106.f, 56.f + title}));
	Play(desktop, "m5,2 r5,2 m300,300"); // outside the window, past the screen's edge
	EXPECT_EQ(window->GetAllocation(), sf::FloatRect({-15.f, -3.f}, {106.f, 56.f + title}));
	Play(desktop, "p-10,30 m300,300 r300,300"); // below the title bar: no drag
	EXPECT_EQ(compat::Corner(window->GetAllocation()).x, -15.f);
	const std::string corner = std::to_string(static_cast<int>(51.f + title));
	Play(desktop, "p89," + corner + " m129," + corner + " m129,300");
	EXPECT_EQ(window->GetAllocation(), sf::FloatRect({-15.f, -3.f}, {146.f, 305.f}));
	Play(desktop, "m0,0 r0,0");
	EXPECT_EQ(window->GetAllocation(), sf::FloatRect({-15.f, -3.f}, {106.f, 56.f + title}));
	auto bare = MakePanel(0, 200); // no title bar: no drag
	desktop.Add(bare.window);
	Play(desktop, "p1,201 m60,280 r60,280");
	EXPECT_EQ(compat::Corner(bare.window->GetAllocation()).x, 0.f);
}

// Only the shown part of a viewport's content takes clicks: two 100 x 40
// blocks in a 100 x 50 viewport on the top window (which sees every click),
// clicked 5, 45 and 60 below the viewport's top, then again scrolled 30 down.
TEST_F(SfgEvents, OnlyTheShownPartOfAViewportsContentTakesClicks) {
	auto window = sfg::Window::Create(sfg::Window::NO_STYLE);
	auto viewport = sfg::Viewport::Create();
	auto column = sfg::Box::Create(sfg::Box::Orientation::VERTICAL);
	std::string log;
	for(const char* name : {"first", "second"}) {
		column->Pack(Block(100, 40));
		Log(column->GetChildren().back(), sfg::Widget::OnLeftClick, log, name);
	}
	viewport->SetRequisition(sf::Vector2f(100.f, 50.f));
	viewport->Add(column);
	window->Add(viewport);
	desktop.Add(window);
	const sf::Vector2i at(viewport->GetAbsolutePosition() + sf::Vector2f(50.f, 0.f));
	viewport->GetVerticalAdjustment()->SetUpper(100.f);
	for(float scroll : {0.f, 30.f}) {
		viewport->GetVerticalAdjustment()->SetValue(scroll);
		for(int below : {5, 45, 60}) {
			desktop.HandleEvent(Mouse('p', at.x, at.y + below));
			desktop.HandleEvent(Mouse('r', at.x, at.y + below));
		}
	}
	EXPECT_EQ(log, "first second first second ");
}

TEST_F(SfgEvents, HandlersRunInOrderAndMayChangeTheirSignal) {
	auto signal = std::make_unique<sfg::Signal>();
	std::string log;
	unsigned int second = 0;
	signal->Connect([&]() {
		log += "1";
		signal->Disconnect(second);                       // not run this time
		signal->Connect([&signal]() { signal.reset(); }); // runs from the next emission
	});
	second = signal->Connect([&log]() { log += "2"; });
	signal->Connect([&log]() { log += "3"; });
	(*signal)();
	EXPECT_EQ(log, "13");
	(*signal)(); // a handler may destroy its signal
	EXPECT_FALSE(signal);
}

// Handlers run once routing is done, so a handler sees every widget as the
// whole event left it, wherever its own widget stands in the tree.
TEST_F(SfgEvents, HandlersSeeTheWidgetsAsTheWholeEventLeftThem) {
	auto scene = Scene();
	const auto button = scene.button.lock();
	scene.box.lock()->Remove(button);
	scene.box.lock()->Pack(button); // now below the label, and routed after it
	Play(desktop, "m10,30");
	auto seen = sfg::Widget::State::ACTIVE;
	scene.label.lock()->GetSignal(sfg::Widget::OnMouseEnter).Connect([&]() { seen = button->GetState(); });
	Play(desktop, "m10,10");
	EXPECT_EQ(seen, sfg::Widget::State::NORMAL);
}

TEST_F(SfgEvents, HandlersRemoveTheirOwnWidgetAndWindow) {
	auto scene = Scene();
	std::string log;
	Clicked(scene.button).Connect([&]() { scene.box.lock()->Remove(scene.button.lock()); });
	Log(scene.button.lock(), sfg::Widget::OnLeftClick, log, "button"); // still runs
	Play(desktop, "p10,10 r10,10");
	EXPECT_TRUE(scene.button.expired());
	Clicked(scene.label).Connect([&]() {
		desktop.Remove(scene.window.lock());
		scene.window.lock()->RemoveAll();
	});
	Log(scene.window.lock(), sfg::Widget::OnLeftClick, log, "window"); // pending: still runs
	Play(desktop, "p10,30 r10,30");
	EXPECT_EQ(log, "button window ");
	EXPECT_TRUE(scene.window.expired());
	EXPECT_TRUE(scene.label.expired());
}

// Hiding a window resets its children's hover; a handler of that reset may
// empty and refill the very box being walked.
TEST_F(SfgEvents, HidingSurvivesAHandlerThatRebuildsTheBox) {
	auto scene = Scene();
	Play(desktop, "m10,10"); // the button lights up
	scene.button.lock()->GetSignal(sfg::Widget::OnStateChange).Connect([&]() {
		auto box = scene.box.lock();
		box->RemoveAll();
		for(int i = 0; i < 100; ++i) {
			box->Pack(sfg::Button::Create());
		}
	});
	scene.window.lock()->Show(false);
	EXPECT_TRUE(scene.button.expired());
	EXPECT_EQ(scene.box.lock()->GetChildren().size(), 100u);
}

TEST_F(SfgEvents, HandlersHideReparentAddRaiseAndRouteEvents) {
	auto scene = Scene();
	auto other = MakePanel(100, 0);
	unsigned int id = 0;
	id = Clicked(scene.button).Connect([&]() {
		Clicked(scene.button).Disconnect(id);
		scene.window.lock()->Show(false);
		other.box->Pack(scene.button.lock());
		desktop.Add(other.window);
		desktop.BringToFront(scene.window.lock());
		Play(desktop, "p10,10 r10,10"); // handled in full, once
	});
	Play(desktop, "p10,10 r10,10");
	EXPECT_EQ(desktop.GetWidgets(), (std::vector<sfg::Widget::Ptr>{other.window, scene.window.lock()}));
	// The hidden window takes no clicks; the moved button, below the other
	// panel's label, does.
	std::string log;
	Log(scene.button.lock(), sfg::Widget::OnLeftClick, log, "moved");
	Play(desktop, "p110,50 r110,50");
	EXPECT_EQ(log, "moved ");
	// A hover handler empties the other panel, whose window is then dropped
	// while pressed and hovered.
	other.label->GetSignal(sfg::Widget::OnMouseEnter).Connect([&]() { other.box->RemoveAll(); });
	Play(desktop, "m110,30 p110,30");
	EXPECT_TRUE(scene.button.expired());
	desktop.Remove(other.window);
}

// Random clicks and moves over windows whose handlers remove, hide, rebuild,
// raise and drop widgets at random. Seeded, so a failure reproduces.
TEST_F(SfgEvents, RandomEventsWithDestructiveHandlers) {
	std::mt19937 random(77u);
	int handled = 0;
	std::function<void(const sfg::Box::Ptr&)> fill = [&](const sfg::Box::Ptr& box) {
		box->RemoveAll();
		for(int i = 0; i < 4; ++i) {
			auto button = sfg::Button::Create();
			button->SetRequisition(sf::Vector2f(30.f, 15.f));
			auto act = [&, weak_button = std::weak_ptr<sfg::Button>(button),
						weak_box = std::weak_ptr<sfg::Box>(box)]() {
				auto self = weak_button.lock();
				auto parent = weak_box.lock();
				handled += self && parent;
				switch(self && parent ? random() % 6 : 6) {
					case 0:
						parent->Remove(self);
						break;
					case 1:
						fill(parent);
						break;
					case 2:
						self->Show(false);
						break;
					case 3:
						parent->GetParent()->Show(false);
						break;
					case 4:
						desktop.BringToFront(desktop.GetWidgets().front());
						break;
					case 5:
						desktop.Remove(desktop.GetWidgets().back());
						break;
				}
			};
			button->GetSignal(sfg::Widget::OnLeftClick).Connect(act);
			button->GetSignal(sfg::Widget::OnRightClick).Connect(act);
			box->Pack(button);
		}
	};
	for(int step = 0; step < 3000; ++step) {
		if(step % 50 == 0) { // now and then start afresh
			desktop.RemoveAll();
		}
		while(desktop.GetWidgets().size() < (step % 50 ? 2u : 4u)) {
			auto panel = MakePanel(static_cast<float>(random() % 200), static_cast<float>(random() % 200));
			panel.window->SetStyle(3); // a title bar: dragging moves them about
			fill(panel.box);
			desktop.Add(panel.window);
		}
		// A point in a random window; sometimes released elsewhere.
		const auto& widgets = desktop.GetWidgets();
		const sf::Vector2i corner(compat::Corner(widgets[random() % widgets.size()]->GetAllocation()));
		const int x = corner.x + static_cast<int>(random() % 60);
		const int y = corner.y + static_cast<int>(random() % 120);
		const bool left = random() % 4;
		desktop.HandleEvent(Mouse('m', x, y));
		desktop.HandleEvent(Mouse(left ? 'p' : 'P', x, y));
		desktop.HandleEvent(Mouse('m', random() % 4 ? x : x + 20, y));
		desktop.HandleEvent(Mouse(left ? 'r' : 'R', random() % 4 ? x : x + 20, y));
	}
	EXPECT_GT(handled, 100);
}

}
