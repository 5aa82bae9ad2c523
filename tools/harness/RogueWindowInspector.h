#pragma once

#include "RogueButton.h"
#include "RogueWindow.h"

#include <string>
#include <vector>

// Reads the designer's private state and drives its private dungeon
// operations, for tests and benchmarks. The window still does all the work.
class RogueWindowInspector
{
public:
    static const int Width = GRIDWIDTH;
    static const int Height = GRIDHEIGHT;

    explicit RogueWindowInspector(RogueWindow* window) : w(window)
    {
    }

    // The whole grid, one string of Width characters per row, top row first.
    std::vector<std::string> Picture() const
    {
        std::vector<std::string> rows(Height, std::string(Width, ' '));
        for (int x = 0; x < Width; ++x)
            for (int y = 0; y < Height; ++y)
                rows[y][x] = Cell(x, y)->m_ButtonChar;
        return rows;
    }

    RogueButton* Cell(int x, int y) const
    {
        return w->m_RogueButtons[cord(x, y)];
    }
    const std::vector<RogueButton*>& Cells() const
    {
        return w->m_RogueButtons;
    }
    const std::vector<RogueButton*>& Choices() const
    {
        return w->m_ChooseButtons;
    }
    const std::vector<DungeonRoom*>& Rooms() const
    {
        return w->m_DungeonRooms;
    }
    std::vector<int>& Permutation() const
    {
        return w->m_shuffledints;
    }
    std::string Description() const
    {
        return w->m_Description->GetText().toAnsiString();
    }
    sfg::Window::Ptr Window() const
    {
        return w->m_Window;
    }
    sfg::Button::Ptr InventoryButton() const
    {
        return w->m_bInventory;
    }
    sfg::Button::Ptr DeleteButton() const
    {
        return w->m_bDelete;
    }
    sfg::Button::Ptr SpawnButton() const
    {
        return w->m_bSpawn;
    }

    // Chooses the kind and clicks the cell, as the window's handlers do.
    void Place(RoomType type, int x, int y)
    {
        w->m_CurrentRoomType = type;
        w->AddRoomAt(sf::Vector2i(x, y));
    }
    void Remove(int x, int y)
    {
        w->RemoveRoomAt(sf::Vector2i(x, y));
    }
    void Refresh()
    {
        w->RefreshDungeon();
    }

private:
    RogueWindow* w;
};
