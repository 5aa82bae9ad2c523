#pragma once

// The toolkit context and everything a program needs to build windows.
#include <SFGUI/Context.hpp>
#include <SFGUI/Desktop.hpp>
#include <SFGUI/Engine.hpp>
#include <SFGUI/SharedPtr.hpp>
#include <SFGUI/Signal.hpp>

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

namespace sfg {

class Widget;

// The drawing context. Construct one before the first widget and keep it
// until the last window is gone.
class SFGUI {
public:
	SFGUI();
	SFGUI(const SFGUI&) = delete;
	SFGUI& operator=(const SFGUI&) = delete;

	// Draws every globally visible widget of every desktop, bottom to top,
	// in the target's pixel coordinates (the target's view is ignored and
	// left as it was). Lays out and rebuilds only what changed. A window
	// wholly behind an opaque window (BACKGROUND style, background alpha
	// 255) is skipped, at no cost (see Desktop).
	void Display(sf::RenderWindow& target);
	void Display(sf::RenderTexture& target);
	void Display(sf::RenderTarget& target);

	// Number of draw calls issued by the last Display.
	unsigned int GetLastDrawCallCount() const;

private:
	unsigned int m_draw_calls = 0;
};

}
