#include "CreateBar.h"
#include "Eventfulness.h"
#include "Glob.h"
#include "MashWindow.h"
#include "NotificationBar.h"
#include "Player.h"
#include "Render.h"
#include "RogueWindow.h"
#include "SfmlCompat.h"
#include "Stat.h"
#include "World.h"
#include "WorldWindow.h"

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Clock.hpp>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

// Last: Xlib's macros (None, Bool, Status...) reach nothing after it.
#include <X11/Xlib.h>

namespace
{
// Whether an X server answers: SFML aborts the process without one.
bool DisplayOpens()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}

// Keeps a window dragged past the left or top edge reachable.
void ClampToScreen(const sfg::Window::Ptr& window)
{
    const sf::Vector2f pos = window->GetAbsolutePosition();
    if (pos.x < 0 || pos.y < 0)
        window->SetPosition(sf::Vector2f(0, 0));
}
}

int main()
{
    if (!DisplayOpens())
    {
        std::fputs(
            "vondrellex: the game needs a graphical display, and none answers here (is DISPLAY set?)\n",
            stderr);
        return 1;
    }
    // A spawn's line is written whether anyone reads it or not: when nobody
    // does, the write fails quietly instead of ending the game.
    std::signal(SIGPIPE, SIG_IGN);

    srand(static_cast<unsigned>(time(nullptr)));

    // The first audio object opens the output device; a machine where none
    // opens gets no music, and SFML's report of that is kept quiet.
    std::streambuf* errors = sf::err().rdbuf(nullptr);
    sf::Music music;
    sf::err().rdbuf(errors);
    // Every data file is optional: one that is missing, damaged or not a
    // regular file is skipped without a word.
    auto openMusic = [&music](const std::string& path) { return music.openFromFile(path); };
    if (LoadDataFile("Vondrellex.ogg", openMusic) && compat::AudioDeviceOpened())
    {
        compat::SetLooping(music, true);
        music.play();
    }

    glob = new Glob();
    glob->resolution = sf::Vector2i(compat::DesktopSize());

    Render render;
    render.Init();

    // Texture loading counts towards the splash's time.
    sf::Clock clock;
    sf::Texture Tree;
    // Each logo whole.
    auto loadFirstLogo = [&Tree](const std::string& path) { return compat::LoadTexture(Tree, path); };
    if (LoadDataFile("logo1.png", loadFirstLogo))
    {
        sf::Texture Tree2;
        auto loadLogo = [&Tree2](const std::string& path) { return compat::LoadTexture(Tree2, path); };
        if (LoadDataFile("logo.png", loadLogo))
        {
            sf::Sprite Sprite1(Tree);
            sf::Sprite Sprite2(Tree2);
            const sf::Vector2f centre(static_cast<float>(glob->resolution.x / 2 - 128),
                                      static_cast<float>(glob->resolution.y / 2 - 128));
            Sprite1.setPosition(centre);
            Sprite2.setPosition(centre);
            // The first logo, black, a short flash of it, black, then the
            // game's logo until 2.5 s. Each comparison reads the clock anew.
            while (clock.getElapsedTime().asSeconds() < 2.5f)
            {
                render.m_RenderWindow.display();
                if (clock.getElapsedTime().asSeconds() < 0.33f)
                    render.m_RenderWindow.draw(Sprite1);
                else if (clock.getElapsedTime().asSeconds() < 0.58f &&
                         clock.getElapsedTime().asSeconds() > 0.5f)
                    render.m_RenderWindow.draw(Sprite1);
                else if (clock.getElapsedTime().asSeconds() > 1.0f)
                    render.m_RenderWindow.draw(Sprite2);
                else
                    render.m_RenderWindow.clear(sf::Color(0, 0, 0, 255));
            }
        }
    }

    World* world = glob->world;
    world->Init();
    // The console raises itself through the hub while it is being built.
    glob->event->SetWorld(world);
    glob->event->SetRender(&render);

    Player* humanplayer = new Player(0);
    humanplayer->m_IsHuman = true;
    world->AddPlayer(humanplayer);
    Player* aiplayer = new Player(1);
    aiplayer->m_IsHuman = false;
    world->AddPlayer(aiplayer);
    Player* aiplayer2 = new Player(2);
    aiplayer2->m_IsHuman = false;
    world->AddPlayer(aiplayer2);

    WorldWindow* worldWindow = new WorldWindow();
    worldWindow->Init(world);
    render.Register(worldWindow->GetPointer());
    CreateBar* createBar = new CreateBar();
    createBar->Init();
    render.Register(createBar->GetPointer());
    RogueWindow* rogueWindow = new RogueWindow();
    rogueWindow->Init(createBar);
    render.Register(rogueWindow->GetPointer());
    NotificationBar* notificationBar = new NotificationBar();
    notificationBar->Init();
    render.Register(notificationBar->GetPointer());
    MashWindow* mashWindow = new MashWindow();
    mashWindow->Init();
    render.Register(mashWindow->GetPointer());
    Stat* stat = new Stat();
    stat->Init();
    render.Register(stat->GetPointer());

    glob->event->SetCreateBar(createBar);
    glob->event->SetNotificationBar(notificationBar);
    glob->event->SetWorldWindow(worldWindow);
    glob->event->SetMashWindow(mashWindow);
    glob->event->SetRogueWindow(rogueWindow);
    glob->event->SetStat(stat);

    worldWindow->Update(world->GetVisibles(0));

    while (render.Loop())
    {
        ClampToScreen(worldWindow->GetPointer());
        ClampToScreen(rogueWindow->GetPointer());
        ClampToScreen(mashWindow->GetPointer());
    }
    return 0;
}
