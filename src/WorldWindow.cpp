#include "WorldWindow.h"

#include "Glob.h"
#include "Object.h"

#include <SFML/Graphics/Image.hpp>

sfg::Window::Ptr WorldWindow::GetPointer()
{
    return m_Window;
}

bool WorldWindow::Init(World* world)
{
    m_World = world;
    m_Window = sfg::Window::Create(sfg::Window::Style::TITLEBAR | sfg::Window::Style::BACKGROUND);
    m_Window->SetTitle(" ");
    m_Window->SetPosition(sf::Vector2f(104, 40));
    m_Window->SetClass("worldmap");

    m_Image = sfg::Image::Create(sf::Image());
    sf::Image worldMapSource;
    auto loadMap = [&worldMapSource](const std::string& path) { return worldMapSource.loadFromFile(path); };
    if (LoadDataFile("worldmap.png", loadMap))
        m_Image->SetImage(worldMapSource);

    m_Fixed = sfg::Fixed::Create();
    m_Fixed->Put(m_Image, sf::Vector2f(0, 0));
    m_Window->Add(m_Fixed);
    return true;
}

const char* const VisibilityClasses[NOOFVISIBILITYCLASSES] = {
    "zero",  "one",  "two", "three", "four", "five", "six", "seven",
    "eight", "nine", "a",   "b",     "c",    "d",    "e",   "f"};

const char* WorldWindow::VisibilityClass(float visibility)
{
    // Strict comparisons from the top: class k takes what lies above
    // (k - 1) sixteenths.
    for (int k = NOOFVISIBILITYCLASSES - 1; k > 0; --k)
    {
        if (visibility > (k - 1) / 16.0f)
            return VisibilityClasses[k];
    }
    return VisibilityClasses[0];
}

void WorldWindow::Update(std::list<Object*> objects)
{
    for (const sfg::Label::Ptr& label : m_Labels)
        m_Fixed->Remove(label);
    m_Labels.clear();

    for (const Object* obj : objects)
    {
        sfg::Label::Ptr label = sfg::Label::Create(obj->m_Name);
        label->SetClass(VisibilityClass(obj->m_VisibleToPlayer));
        m_Fixed->Put(label, obj->m_Position);
        m_Labels.push_back(label);
    }
}
