#pragma once

#include <SFGUI/Widgets.hpp>

#include <list>

class Object;
class World;

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

    // The theme class for a visibility: sixteen steps, "zero" for 0 and
    // below up to "f" above 0.875; a value on a boundary takes the lower step.
    static const char* VisibilityClass(float visibility);

    sfg::Window::Ptr m_Window;
    sfg::Fixed::Ptr m_Fixed;
    std::list<sfg::Label::Ptr> m_Labels;
    sfg::Image::Ptr m_Image;
    World* m_World;
};
