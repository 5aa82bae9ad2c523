#pragma once

#include <SFGUI/SFGUI.hpp>
#include <SFGUI/Widgets.hpp>

#include "SfmlCompat.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

namespace toolkit_test {

// A mouse event: 'm' move, 'p'/'r' left press/release, 'P'/'R' right.
inline sf::Event Mouse(char kind, int x, int y) {
	if(kind == 'm') {
		return compat::MouseMoveEvent({x, y});
	}
	const sf::Mouse::Button button = (kind == 'p' || kind == 'r') ? sf::Mouse::Button::Left : sf::Mouse::Button::Right;
	return compat::MouseButtonEvent(kind == 'p' || kind == 'P', button, {x, y});
}

// Plays mouse events written as "p10,20 m30,40 r30,40".
inline void Play(sfg::Desktop& desktop, const std::string& script) {
	std::istringstream in(script);
	char kind = 0, comma = 0;
	int x = 0, y = 0;
	while(in >> kind >> x >> comma >> y) {
		desktop.HandleEvent(Mouse(kind, x, y));
	}
}

// A widget of a fixed size with no look of its own (an empty label).
inline sfg::Widget::Ptr Block(float width, float height) {
	auto label = sfg::Label::Create();
	label->SetRequisition(sf::Vector2f(width, height));
	return label;
}

// Appends the token and a space to the log whenever the widget emits `id`.
inline void Log(const sfg::Widget::Ptr& widget, sfg::Signal::SignalID id, std::string& log, const std::string& token) {
	widget->GetSignal(id).Connect([&log, token]() { log += token + " "; });
}

// A background window at (x, y) holding a vertical box with a 40 x 20 button
// over a 40 x 20 label. With the built-in look (a border and a gap of 3 round
// the child) the button covers (x+3, y+3)-(x+43, y+23), the label the 20
// pixels below it, the window (x, y)-(x+46, y+46). Ref is std::shared_ptr, or
// std::weak_ptr to watch widgets that only their containers hold.
template <template <class> class Ref>
struct Panel {
	Ref<sfg::Window> window;
	Ref<sfg::Box> box;
	Ref<sfg::Button> button;
	Ref<sfg::Label> label;
};

inline Panel<std::shared_ptr> MakePanel(float x, float y) {
	Panel<std::shared_ptr> panel{sfg::Window::Create(sfg::Window::BACKGROUND),
								 sfg::Box::Create(sfg::Box::Orientation::VERTICAL), sfg::Button::Create(),
								 sfg::Label::Create()};
	panel.button->SetRequisition(sf::Vector2f(40.f, 20.f));
	panel.label->SetRequisition(sf::Vector2f(40.f, 20.f));
	panel.box->Pack(panel.button);
	panel.box->Pack(panel.label);
	panel.window->Add(panel.box);
	panel.window->SetPosition(sf::Vector2f(x, y));
	return panel;
}

// Every test starts from the built-in look.
class ToolkitTest : public ::testing::Test {
protected:
	void SetUp() override {
		sfg::Context::Get().GetEngine().ResetProperties();
	}
};

}
