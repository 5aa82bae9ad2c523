#pragma once

// Everything the game, its tools, tests and benchmarks do differently on
// SFML 2 (2.5, 2.6) and SFML 3. The rest is written once for both lines:
// rectangles are built from two vectors ({x, y}, {width, height}), vertices
// with braces, keys and buttons with their enum's name
// (sf::Keyboard::Key::Space, sf::Mouse::Button::Left), fixed-size integers
// from <cstdint>. Scan codes and SFML 3's new event kinds are not used: the
// game reads the same key codes and events on both lines.

#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/OutputSoundFile.hpp>
#include <SFML/Config.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/String.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/ContextSettings.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/VideoMode.hpp>

#if SFML_VERSION_MAJOR >= 3
#include <SFML/Audio/PlaybackDevice.hpp>
#else
#include <dlfcn.h>
#endif

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace compat
{

// A rectangle's top-left corner.
template <typename T>
sf::Vector2<T> Corner(const sf::Rect<T>& rect)
{
#if SFML_VERSION_MAJOR >= 3
    return rect.position;
#else
    return sf::Vector2<T>(rect.left, rect.top);
#endif
}

// A rectangle's width and height.
template <typename T>
sf::Vector2<T> Size(const sf::Rect<T>& rect)
{
#if SFML_VERSION_MAJOR >= 3
    return rect.size;
#else
    return sf::Vector2<T>(rect.width, rect.height);
#endif
}

// The overlap of two rectangles; none when they only touch or are apart.
template <typename T>
std::optional<sf::Rect<T>> Intersection(const sf::Rect<T>& a, const sf::Rect<T>& b)
{
#if SFML_VERSION_MAJOR >= 3
    return a.findIntersection(b);
#else
    sf::Rect<T> overlap;
    if (!a.intersects(b, overlap))
        return std::nullopt;
    return overlap;
#endif
}

// The key part of a key-pressed event: the key code and the alt, control,
// shift and system flags.
#if SFML_VERSION_MAJOR >= 3
using KeyEvent = sf::Event::KeyPressed;
#else
using KeyEvent = sf::Event::KeyEvent;
#endif

// A press of `code` with no modifier held.
inline KeyEvent PlainKey(sf::Keyboard::Key code)
{
    KeyEvent key{};
    key.code = code;
    return key;
}

// The next event the window system queued, if any.
inline std::optional<sf::Event> PollEvent(sf::Window& window)
{
#if SFML_VERSION_MAJOR >= 3
    return window.pollEvent();
#else
    sf::Event event;
    if (!window.pollEvent(event))
        return std::nullopt;
    return event;
#endif
}

// Whether the event asks to close the window.
inline bool IsCloseRequest(const sf::Event& event)
{
#if SFML_VERSION_MAJOR >= 3
    return event.is<sf::Event::Closed>();
#else
    return event.type == sf::Event::Closed;
#endif
}

// The key part of a key press; null for any other event.
inline const KeyEvent* KeyPressOf(const sf::Event& event)
{
#if SFML_VERSION_MAJOR >= 3
    return event.getIf<sf::Event::KeyPressed>();
#else
    return event.type == sf::Event::KeyPressed ? &event.key : nullptr;
#endif
}

// Events as the window system delivers them, for tests and benchmarks.
inline sf::Event KeyPressEvent(const KeyEvent& key)
{
#if SFML_VERSION_MAJOR >= 3
    return key;
#else
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = key;
    return event;
#endif
}

inline sf::Event MouseButtonEvent(bool pressed, sf::Mouse::Button button, sf::Vector2i position)
{
#if SFML_VERSION_MAJOR >= 3
    if (pressed)
        return sf::Event::MouseButtonPressed{button, position};
    return sf::Event::MouseButtonReleased{button, position};
#else
    sf::Event event;
    event.type = pressed ? sf::Event::MouseButtonPressed : sf::Event::MouseButtonReleased;
    event.mouseButton.button = button;
    event.mouseButton.x = position.x;
    event.mouseButton.y = position.y;
    return event;
#endif
}

inline sf::Event MouseMoveEvent(sf::Vector2i position)
{
#if SFML_VERSION_MAJOR >= 3
    return sf::Event::MouseMoved{position};
#else
    sf::Event event;
    event.type = sf::Event::MouseMoved;
    event.mouseMove.x = position.x;
    event.mouseMove.y = position.y;
    return event;
#endif
}

// The desktop's size in pixels.
inline sf::Vector2u DesktopSize()
{
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
#if SFML_VERSION_MAJOR >= 3
    return desktop.size;
#else
    return sf::Vector2u(desktop.width, desktop.height);
#endif
}

inline void SetAntialiasingLevel(sf::ContextSettings& settings, unsigned int level)
{
#if SFML_VERSION_MAJOR >= 3
    settings.antiAliasingLevel = level;
#else
    settings.antialiasingLevel = level;
#endif
}

// Opens (or reopens) `window` as a window of `size` pixels and
// `bitsPerPixel`, of the given style (sf::Style::...).
inline void OpenWindow(sf::RenderWindow& window, sf::Vector2u size, unsigned int bitsPerPixel,
                       const sf::String& title, std::uint32_t style,
                       const sf::ContextSettings& settings = sf::ContextSettings())
{
#if SFML_VERSION_MAJOR >= 3
    window.create(sf::VideoMode(size, bitsPerPixel), title, style, sf::State::Windowed, settings);
#else
    window.create(sf::VideoMode(size.x, size.y, bitsPerPixel), title, style, settings);
#endif
}

// Shows `icon` as the window's icon, for a dock or task bar.
inline void SetIcon(sf::Window& window, const sf::Image& icon)
{
#if SFML_VERSION_MAJOR >= 3
    window.setIcon(icon.getSize(), icon.getPixelsPtr());
#else
    window.setIcon(icon.getSize().x, icon.getSize().y, icon.getPixelsPtr());
#endif
}

// The window system's handle of the window (an X window id).
inline sf::WindowHandle NativeHandle(const sf::Window& window)
{
#if SFML_VERSION_MAJOR >= 3
    return window.getNativeHandle();
#else
    return window.getSystemHandle();
#endif
}

inline bool LoadFont(sf::Font& font, const std::string& path)
{
#if SFML_VERSION_MAJOR >= 3
    return font.openFromFile(path);
#else
    return font.loadFromFile(path);
#endif
}

// Loads the whole picture in the file.
inline bool LoadTexture(sf::Texture& texture, const std::string& path)
{
#if SFML_VERSION_MAJOR >= 3
    return texture.loadFromFile(path, false, sf::IntRect());
#else
    return texture.loadFromFile(path, sf::IntRect());
#endif
}

// Makes `image` `size` pixels of `color`, dropping what it held.
inline void Resize(sf::Image& image, sf::Vector2u size, sf::Color color)
{
#if SFML_VERSION_MAJOR >= 3
    image.resize(size, color);
#else
    image.create(size.x, size.y, color);
#endif
}

// Makes a texture or render texture `size` pixels; false when it cannot.
template <typename Texture>
bool Resize(Texture& texture, sf::Vector2u size)
{
#if SFML_VERSION_MAJOR >= 3
    return texture.resize(size);
#else
    return texture.create(size.x, size.y);
#endif
}

inline sf::Color GetPixel(const sf::Image& image, unsigned int x, unsigned int y)
{
#if SFML_VERSION_MAJOR >= 3
    return image.getPixel({x, y});
#else
    return image.getPixel(x, y);
#endif
}

inline void SetPixel(sf::Image& image, unsigned int x, unsigned int y, sf::Color color)
{
#if SFML_VERSION_MAJOR >= 3
    image.setPixel({x, y}, color);
#else
    image.setPixel(x, y, color);
#endif
}

// Whether the audio library has an output device to play to; asked once the
// first audio object exists, as that opens the device. Without one, SFML 2
// still opens music but its streaming thread then reports every buffer it
// cannot queue, endlessly; SFML 2 leaves its OpenAL context current when it
// found one. SFML 3 plays to the system's default device and falls back to
// a silent stand-in, which is not the default, when the system has none.
inline bool AudioDeviceOpened()
{
#if SFML_VERSION_MAJOR >= 3
    return sf::PlaybackDevice::getDevice().has_value() && sf::PlaybackDevice::isDefaultDevice();
#else
    using GetContext = void* (*)();
    auto getContext = reinterpret_cast<GetContext>(dlsym(RTLD_DEFAULT, "alcGetCurrentContext"));
    return getContext && getContext();
#endif
}

inline void SetLooping(sf::Music& music, bool loop)
{
#if SFML_VERSION_MAJOR >= 3
    music.setLooping(loop);
#else
    music.setLoop(loop);
#endif
}

// Opens an Ogg Vorbis file for writing: mono, or stereo as left and right.
inline bool OpenSoundFile(sf::OutputSoundFile& file, const std::string& path, unsigned int sampleRate,
                          unsigned int channelCount)
{
#if SFML_VERSION_MAJOR >= 3
    std::vector<sf::SoundChannel> channels{sf::SoundChannel::Mono};
    if (channelCount == 2)
        channels = {sf::SoundChannel::FrontLeft, sf::SoundChannel::FrontRight};
    return file.openFromFile(path, sampleRate, channelCount, channels);
#else
    return file.openFromFile(path, sampleRate, channelCount);
#endif
}

} // namespace compat
