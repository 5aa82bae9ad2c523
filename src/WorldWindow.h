#pragma once

#include <SFGUI/Widgets.hpp>

#include <list>

class Object;
class World;

// The theme classes of the map's labels, from the faintest sighting to the
// freshest.
const int NOOFVISIBILITYCLASSES = 16;
extern const char* const VisibilityClasses[NOOFVISIBILITYCLASSES];

// The human's view of the world: the map picture with a label for every
// object the human owns or has had revealed, placed at the object's map
// position and classed by how fresh the last word of it is.
class WorldWindow
{
public:
    sfg::Window::Ptr GetPointer();
    // Builds the window with the map picture ("worldmap.png", optional);
    // always true.
    bool Init(World* world);
    // Replaces every label by one per object in the list, in list order.
    void Update(std::list<Object*> objects);

    // The theme class for a visibility (one of VisibilityClasses): "zero"
    // for 0 and below, then a step a sixteenth up to "f" above 0.875; a
    // value on a boundary takes the lower step.
    static const char* VisibilityClass(float visibility);

    sfg::Window::Ptr m_Window;
    sfg::Fixed::Ptr m_Fixed;
    std::list<sfg::Label::Ptr> m_Labels;
    sfg::Image::Ptr m_Image;
    World* m_World;
};
