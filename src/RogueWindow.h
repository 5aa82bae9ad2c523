#pragma once

#include "Object.h"

#include <SFGUI/Widgets.hpp>

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

#include <string>
#include <vector>

class BarButton;
class CreateBar;
class RogueButton;

// One placed room of a design: its walled rectangle on the grid, in cells
// (the clicked cell is its top-left wall corner), and its kind.
class DungeonRoom
{
public:
    sf::IntRect space;
    RoomType type;
};

// The designer's grid: columns and rows of cells.
const int GRIDWIDTH = 46;
const int GRIDHEIGHT = 18;

// Index of the grid cell at column x, row y: the cells are column-major.
int cord(int x, int y);

// The object designer. The human picks discovered room kinds in the choice
// column, places rooms on the character grid (left click) and removes
// them (right click); the rooms are joined by corridors and drawn as a small
// dungeon. "Inventory" keeps the design as a create-bar template, "Delete"
// throws it away, "Spawn" puts an object built from it into the world.
class RogueWindow
{
public:
    RogueWindow();

    sfg::Window::Ptr GetPointer();
    // Builds the window, hidden, with an empty grid; always true.
    bool Init(CreateBar* cbar);
    // Click handlers of every cell and choice button.
    void OnButtonClick(RogueButton* rbutton);
    void OnButtonRightClick(RogueButton* rbutton);
    // A new object of the human side built from the design: one room per
    // placed room, in placement order, named by the design's type string.
    // The caller owns it.
    Object* GetCurrentObject();
    // Empties the design and rebuilds the choice column.
    void Clear();
    // Clears, then shows (with focus) or hides the window.
    void Show(bool show);
    // Keeps the design as a template in the create bar and closes.
    void Inventory();
    // Throws the design away and closes.
    void Delete();
    // Puts an object built from the design into the world (and its name on
    // standard output); the window stays open with the design unchanged.
    void Spawn();

    RoomType m_CurrentRoomType;
    BarButton* m_TargetButton;

private:
    friend class RogueWindowInspector; // lets tests read the grid and rooms

    void RefreshAvailableRooms();
    void InitDungeon();
    void AddRoomAt(sf::Vector2i at);
    void RemoveRoomAt(sf::Vector2i at);
    void RefreshDungeon();
    // A repeatable stand-in for a random number in 0 .. in - 1, read from
    // the permutation made at start-up, so the same rooms always give the
    // same picture.
    int DRand(int in, int shuffle);
    // Draws a corridor of '#' between two rooms into m_Drawn.
    void DrawCorridor(sf::IntRect startroom, sf::IntRect endroom);

    sfg::Window::Ptr m_Window;
    sfg::Box::Ptr m_RoomChooseBar;
    sfg::Table::Ptr m_Dungeon;
    sfg::Label::Ptr m_Description;
    sfg::Button::Ptr m_bInventory;
    sfg::Button::Ptr m_bDelete;
    sfg::Button::Ptr m_bSpawn;
    sfg::Box::Ptr m_Contains;
    sfg::Box::Ptr m_FirstRow;
    sfg::Fixed::Ptr m_SecondRow;
    std::vector<RogueButton*> m_RogueButtons;
    // The grid as a redraw draws it, a character per cell (index cord(x, y)).
    std::string m_Drawn;
    std::vector<RogueButton*> m_ChooseButtons;
    std::vector<DungeonRoom*> m_DungeonRooms;
    CreateBar* m_CreateBar;
    std::vector<int> m_shuffledints;
};
