#pragma once

#include <SFGUI/Widgets.hpp>

#include <string>
#include <vector>

class Note;
class Object;

// A button of the create bar or of the notification bar. Its role follows
// from its fields: a notification has a long text; otherwise the type of the
// first room of its template tells the "~new" placeholder (NEW) from a real
// template. Clicks go to the event hub, which decides by role. Bars create
// their buttons with new and never delete them.
class BarButton
{
public:
    // Builds the widget (label "hi", class "vbar") and connects its clicks.
    BarButton();

    // Left click: the hub's OnCreateBarButtonClick.
    void OnClick();
    // Right click: the hub's OnCreateBarButtonRightClick.
    void OnRightClick();
    // Whether this create-bar button is the "~new" placeholder rather than
    // a template. Not for notifications, which have no template.
    bool IsPlaceholder();

    sfg::Button::Ptr m_Button;
    // Position in its bar: from 0 in the create bar, from
    // FIRSTNOTIFICATIONINDEX in the notification bar.
    int m_Index;
    // The notification's long text; empty for create-bar buttons.
    std::string m_NoteString;
    // The note most recently opened from this button, or null.
    Note* m_Note;
    // The template behind a create-bar button; null for notifications.
    Object* m_Obj;
};

// Takes the button at `index`, if there is one, off a bar: hidden, out of the
// bar's box and list. The rest are numbered anew from `firstIndex` in list
// order. The button itself stays alive.
void RemoveFromBar(std::vector<BarButton*>& buttons, const sfg::Box::Ptr& box, int index, int firstIndex);
