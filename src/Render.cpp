#include "Render.h"

#include "Eventfulness.h"
#include "Glob.h"

#include <SFML/Graphics/Image.hpp>

#include <string>

bool Render::Init()
{
    sf::ContextSettings settings;
    settings.depthBits = 0;
    settings.stencilBits = 0;
    settings.antialiasingLevel = 0;
    settings.majorVersion = 2;
    settings.minorVersion = 0;

    const sf::VideoMode mode(static_cast<unsigned>(glob->resolution.x),
                             static_cast<unsigned>(glob->resolution.y), 32);
    m_RenderWindow.create(mode, "Vondrellex", sf::Style::None, settings);
    // SFML 2.5.1 centres a new window using the screen width for both axes,
    // which pushes a desktop-sized window partly off screen.
    m_RenderWindow.setPosition(sf::Vector2i(0, 0));
    // The icon a dock or task bar shows for the window; optional, as every
    // data file is.
    sf::Image icon;
    auto loadIcon = [&icon](const std::string& path) { return icon.loadFromFile(path); };
    if (LoadDataFile("icons/vondrellex-64.png", loadIcon))
        m_RenderWindow.setIcon(icon.getSize().x, icon.getSize().y, icon.getPixelsPtr());
    m_RenderWindow.resetGLStates();

    m_Desktop.LoadThemeFromFile("Themes/Vondrellex.theme");
    return true;
}

bool Render::Loop()
{
    if (!m_RenderWindow.isOpen())
        return false;

    while (m_RenderWindow.pollEvent(m_Event))
    {
        m_Desktop.HandleEvent(m_Event);
        if (m_Event.type == sf::Event::Closed)
            m_RenderWindow.close();
        if (m_Event.type == sf::Event::KeyPressed && m_Event.key.code == sf::Keyboard::Escape)
            m_RenderWindow.close();
        // Escape too: the hub still sees it (one last turn while the
        // console is active).
        if (m_Event.type == sf::Event::KeyPressed)
            glob->event->KeyPressed(m_Event.key);
    }

    m_Desktop.Update(m_Clock.restart().asSeconds());
    m_RenderWindow.clear(sf::Color(0, 0, 0, 255));
    m_GUI.Display(m_RenderWindow);
    m_RenderWindow.display();
    return true;
}

void Render::Register(sfg::SharedPtr<sfg::Window> window)
{
    m_Desktop.Add(window);
}

void Render::BringToFront(sfg::SharedPtr<sfg::Window> window)
{
    m_Desktop.BringToFront(window);
}
