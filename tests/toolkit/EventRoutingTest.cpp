#include "ToolkitTestSupport.hpp"

#include <SFML/Graphics/Font.hpp>

#include <cctype>
#include <cmath>

using namespace toolkit_test;

namespace {

class SfgEventRouting : public ToolkitTest {};

// Two panels (see MakePanel): the bottom one at (0, 0), the top one at
// (20, 5) overlapping it. Top button (23..63, 8..28), top label below it;
// (10, 12) is the bottom button where the top window does not cover it.
struct RoutingRow {
	const char* name;
	char hide;            // 'w' hides the top window, 'x' its box
	const char* events;   // see Play
	const char* clicks;   // t/b: top/bottom; b/l/w: button/label/window; upper case: right click
	char front;           // the window on top afterwards
};

const RoutingRow g_routing[] = {
	{"a click needs no move before", 0, "p43,18 r43,18", "tb", 't'},
	{"a label's click is its window's too", 0, "p43,38 r43,38", "tl tw", 't'},
	{"the window's frame", 0, "p21,6 r21,6", "tw", 't'},
	{"press inside release outside, then the reverse", 0, "p43,18 m300,300 r300,300 p300,300 r43,18", "", 't'},
	{"leaving and coming back still clicks", 0, "p43,18 m300,300 m43,18 r43,18", "tb", 't'},
	{"right clicks", 0, "P43,18 R43,18 P43,38 R43,38", "tB tL tW", 't'},
	{"a left press with a right release", 0, "p43,18 R43,18", "", 't'},
	{"a press raises a lower window before it lands", 0, "p10,12", "", 'b'},
	{"the raised window covers the overlap", 0, "p10,12 r10,12 p43,18 r43,18", "bb bw", 'b'},
	{"a release does not raise", 0, "p300,300 r10,12", "", 't'},
	{"a hidden window gets nothing and is not raised over", 'w', "p43,18 r43,18", "bw", 't'},
	{"a hidden widget gets nothing", 'x', "p43,18 r43,18", "tw", 't'},
};

TEST_F(SfgEventRouting, ClicksGoToTheTopmostWindowUnderTheCursor) {
	for(const RoutingRow& row : g_routing) {
		SCOPED_TRACE(row.name);
		sfg::Desktop desktop;
		auto bottom = MakePanel(0, 0);
		auto top = MakePanel(20, 5);
		desktop.Add(bottom.window);
		desktop.Add(top.window);
		desktop.Add(bottom.window); // a duplicate add is ignored
		std::string log;
		for(auto side : {std::make_pair('t', top), std::make_pair('b', bottom)}) {
			const auto& panel = side.second;
			for(auto widget : {std::make_pair('b', sfg::Widget::Ptr(panel.button)),
			                   std::make_pair('l', sfg::Widget::Ptr(panel.label)),
			                   std::make_pair('w', sfg::Widget::Ptr(panel.window))}) {
				Log(widget.second, sfg::Widget::OnLeftClick, log, {side.first, widget.first});
				Log(widget.second, sfg::Widget::OnRightClick, log,
				    {side.first, static_cast<char>(std::toupper(widget.first))});
			}
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

TEST_F(SfgEventRouting, TheTopWindowSeesMovesOutsideItLowerWindowsOnlyInside) {
	sfg::Desktop desktop;
	auto bottom = MakePanel(0, 0);
	auto top = MakePanel(200, 0);
	desktop.Add(bottom.window);
	desktop.Add(top.window);
	std::string log;
	Log(top.button, sfg::Widget::OnMouseLeave, log, "top-leaves");
	Log(bottom.button, sfg::Widget::OnMouseEnter, log, "bottom-enters");
	Log(bottom.button, sfg::Widget::OnMouseLeave, log, "bottom-leaves");
	Play(desktop, "m210,10");
	EXPECT_EQ(top.button->GetState(), sfg::Widget::State::PRELIGHT);
	Play(desktop, "m10,10");
	EXPECT_EQ(bottom.button->GetState(), sfg::Widget::State::PRELIGHT);
	// Moving onto the top window clears the hover of the one below.
	Play(desktop, "m210,10");
	EXPECT_EQ(log, "top-leaves bottom-enters bottom-leaves ");
	EXPECT_EQ(bottom.button->GetState(), sfg::Widget::State::NORMAL);
	desktop.BringToFront(MakePanel(0, 0).window); // not on the desktop: ignored
	desktop.Remove(bottom.window);
	desktop.Remove(bottom.window);
	EXPECT_EQ(desktop.GetWidgets(), std::vector<sfg::Widget::Ptr>{top.window});
}

TEST_F(SfgEventRouting, KeysGoToTheFocusedWidgetOnly) {
	sfg::Desktop desktop;
	auto panel = MakePanel(0, 0);
	desktop.Add(panel.window);
	std::string log;
	Log(panel.button, sfg::Widget::OnKeyPress, log, "button");
	Log(panel.label, sfg::Widget::OnKeyPress, log, "label");
	sf::Event key;
	key.type = sf::Event::KeyPressed;
	key.key.code = sf::Keyboard::A;
	desktop.HandleEvent(key);
	panel.label->GrabFocus();
	desktop.HandleEvent(key);
	EXPECT_EQ(log, "label ");
}

// A titled window (100 x 50 content) at (100, 100): the title bar drags it,
// with no clamping, and the bottom-right handle resizes it down to its
// requisition.
TEST_F(SfgEventRouting, TitleBarDragsAndHandleResizes) {
	sf::Font font;
	ASSERT_TRUE(font.loadFromFile(sfg::Context::Get().GetDefaultFontPath()));
	const float title = std::ceil(font.getLineSpacing(12)) + 4.f; // 2 of title padding each side
	sfg::Desktop desktop;
	auto window = sfg::Window::Create(sfg::Window::TOPLEVEL);
	auto content = Block(100, 50);
	window->Add(content);
	window->SetPosition(sf::Vector2f(100.4f, 99.6f));
	desktop.Add(window);
	EXPECT_EQ(window->GetAllocation(), sf::FloatRect(100.f, 100.f, 106.f, 56.f + title));
	EXPECT_EQ(content->GetAbsolutePosition(), sf::Vector2f(103.f, 103.f + title));

	Play(desktop, "p120,105 m130,125");
	EXPECT_EQ(window->GetAllocation().left, 110.f);
	EXPECT_EQ(window->GetAllocation().top, 120.f);
	Play(desktop, "m5,2 r5,2 m300,300"); // outside the window, past the screen's edge
	EXPECT_EQ(window->GetAllocation(), sf::FloatRect(-15.f, -3.f, 106.f, 56.f + title));

	// Below the title bar a press drags nothing; the corner resizes.
	Play(desktop, "p-10,30 m300,300 r300,300");
	const int corner_y = static_cast<int>(51.f + title);
	desktop.HandleEvent(Mouse('p', 89, corner_y));
	desktop.HandleEvent(Mouse('m', 129, corner_y + 30));
	EXPECT_EQ(window->GetAllocation(), sf::FloatRect(-15.f, -3.f, 146.f, 86.f + title));
	EXPECT_EQ(content->GetAllocation().width, 140.f);
	Play(desktop, "m0,0 r0,0");
	EXPECT_EQ(window->GetAllocation(), sf::FloatRect(-15.f, -3.f, 106.f, 56.f + title));

	// Without a title bar nothing drags.
	auto bare = MakePanel(0, 200);
	desktop.Add(bare.window);
	Play(desktop, "p1,201 m60,280 r60,280");
	EXPECT_EQ(bare.window->GetAllocation().left, 0.f);
}

}
