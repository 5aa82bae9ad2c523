#pragma once

#include <SFGUI/SFGUI.hpp>
#include <SFGUI/Widgets.hpp>

#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Event.hpp>

#include <gtest/gtest.h>

#include <cstdlib>

namespace toolkit_test {

inline sf::Event Move(int x, int y) {
	sf::Event event;
	event.type = sf::Event::MouseMoved;
	event.mouseMove.x = x;
	event.mouseMove.y = y;
	return event;
}

inline sf::Event Button(sf::Event::EventType type, int x, int y, sf::Mouse::Button button) {
	sf::Event event;
	event.type = type;
	event.mouseButton.button = button;
	event.mouseButton.x = x;
	event.mouseButton.y = y;
	return event;
}

inline sf::Event Press(int x, int y, sf::Mouse::Button button = sf::Mouse::Left) {
	return Button(sf::Event::MouseButtonPressed, x, y, button);
}

inline sf::Event Release(int x, int y, sf::Mouse::Button button = sf::Mouse::Left) {
	return Button(sf::Event::MouseButtonReleased, x, y, button);
}

// Press and release at the same point, with no move before.
template <typename Target>
void Click(Target& target, int x, int y, sf::Mouse::Button button = sf::Mouse::Left) {
	target.HandleEvent(Press(x, y, button));
	target.HandleEvent(Release(x, y, button));
}

// A widget of a fixed size with no look of its own (an empty label).
inline sfg::Widget::Ptr Block(float width, float height) {
	auto label = sfg::Label::Create();
	label->SetRequisition(sf::Vector2f(width, height));
	return label;
}

// Counts the emissions of one signal of a widget.
inline std::shared_ptr<int> CountSignal(const sfg::Widget::Ptr& widget, sfg::Signal::SignalID id) {
	auto count = std::make_shared<int>(0);
	widget->GetSignal(id).Connect([count]() { ++*count; });
	return count;
}

inline bool HasDisplay() {
	const char* display = std::getenv("DISPLAY");
	return display && *display;
}

// Every test starts from the built-in look.
class ToolkitTest : public ::testing::Test {
	protected:
		void SetUp() override {
			sfg::Context::Get().GetEngine().ResetProperties();
		}
		void TearDown() override {
			sfg::Context::Get().GetEngine().ResetProperties();
		}
};

// Tests that rasterise glyphs or draw: skipped without a display.
class DisplayTest : public ToolkitTest {
	protected:
		void SetUp() override {
			if(!HasDisplay()) {
				GTEST_SKIP() << "needs a display (run under xvfb-run)";
			}
			// Keep one GL resource for the whole process: when the last one
			// goes, SFML closes the display and Xvfb resets, refusing the
			// next test's connection for a moment.
			static sf::Texture* keep_display_open = [] {
				auto* texture = new sf::Texture();
				texture->create(1, 1);
				return texture;
			}();
			(void)keep_display_open;
			ToolkitTest::SetUp();
		}
};

}
