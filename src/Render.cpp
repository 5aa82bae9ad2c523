#include "Render.h"

#include "Eventfulness.h"
#include "Glob.h"
#include "SfmlCompat.h"

#include <SFML/Graphics/Image.hpp>

#include <string>

bool Render::Init()
{
    sf::ContextSettings settings;
    settings.depthBits = 0;
    settings.stencilBits = 0;
    compat::SetAntialiasingLevel(settings, 0);
    settings.majorVersion = 2;
    settings.minorVersion = 0;

    // 32 bits per pixel, which a screen of fewer (16-bit screens are still
    // the default of some VNC servers) refuses outright: ask that one for
    // its own depth.
    const unsigned int screenDepth = sf::VideoMode::getDesktopMode().bitsPerPixel;
    const unsigned int depth = screenDepth < 24 ? screenDepth : 32;
    compat::OpenWindow(m_RenderWindow, sf::Vector2u(glob->resolution), depth, "Vondrellex", sf::Style::None,
                       settings);
    // SFML 2.5.1 centres a new window using the screen width for both axes,
    // which pushes a desktop-sized window partly off screen.
    m_RenderWindow.setPosition(sf::Vector2i(0, 0));
    // The icon a dock or task bar shows for the window; optional, as every
    // data file is.
    sf::Image icon;
    auto loadIcon = [&icon](const std::string& path) { return icon.loadFromFile(path); };
    if (LoadDataFile("icons/vondrellex-64.png", loadIcon))
        compat::SetIcon(m_RenderWindow, icon);
    m_RenderWindow.resetGLStates();

    m_Desktop.LoadThemeFromFile("Themes/Vondrellex.theme");
    return true;
}

bool Render::Loop()
{
    if (!m_RenderWindow.isOpen())
        return false;

    while (const std::optional<sf::Event> event = compat::PollEvent(m_RenderWindow))
        DispatchEvent(*this, *event);

    m_Desktop.Update(m_Clock.restart().asSeconds());
    m_RenderWindow.clear(sf::Color(0, 0, 0, 255));
    m_GUI.Display(m_RenderWindow);
    m_RenderWindow.display();
    return true;
}

void DispatchEvent(Render& render, const sf::Event& event)
{
    render.m_Desktop.HandleEvent(event);
    const compat::KeyEvent* key = compat::KeyPressOf(event);
    if (compat::IsCloseRequest(event))
        render.m_RenderWindow.close();
    if (key && key->code == sf::Keyboard::Key::Escape)
        render.m_RenderWindow.close();
    if (key)
        glob->event->KeyPressed(*key);
}

void Render::Register(sfg::SharedPtr<sfg::Window> window)
{
    m_Desktop.Add(window);
}

void Render::BringToFront(sfg::SharedPtr<sfg::Window> window)
{
    m_Desktop.BringToFront(window);
}
