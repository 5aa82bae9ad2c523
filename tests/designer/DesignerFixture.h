#pragma once

#include "GameFixture.h"
#include "RogueWindowInspector.h"

#include <iterator>
#include <tuple>
#include <vector>

// The whole game in-process, with the designer's private state at hand and
// what one spawn must do to the game.
class DesignerFixture : public GameFixture
{
protected:
    RogueWindowInspector Designer() const
    {
        return RogueWindowInspector(rogueWindow);
    }

    // What a spawn is measured against. The human's risk is put far below
    // where it decays, so that a spawn's share shows exactly.
    struct Before
    {
        size_t objects, notifications;
        int turns;
    };
    Before Snapshot()
    {
        world->GetHumanPlayer()->m_Risk = -1000;
        return {world->m_Objects.size(), notificationBar->buttons.size(), Turns()};
    }

    // One spawn since `b` of an object with `rooms` rooms from a design
    // called `type`: it joined the world and was announced first, added ten
    // times the square of its room count to the risk and cost one turn.
    Object* ExpectOneSpawn(const Before& b, size_t rooms, const std::string& type)
    {
        EXPECT_EQ(Turns(), b.turns + 1);
        EXPECT_EQ(world->GetHumanPlayer()->m_Risk, -1000 + 10 * static_cast<int>(rooms * rooms));
        const bool came =
            world->m_Objects.size() > b.objects && notificationBar->buttons.size() > b.notifications;
        EXPECT_TRUE(came) << "nothing joined the world or was announced";
        if (!came)
            return nullptr;
        // Computer spawns of the same turn join after it.
        Object* obj = *std::next(world->m_Objects.begin(), static_cast<long>(b.objects));
        EXPECT_EQ(obj->m_PlayerID, 0);
        EXPECT_EQ(obj->m_Rooms.size(), rooms);
        EXPECT_EQ(obj->m_Name.rfind(type, 0), 0u) << obj->m_Name;
        EXPECT_EQ(Text(notificationBar->buttons[b.notifications]), "c" + type);
        EXPECT_EQ(notificationBar->buttons[b.notifications]->m_NoteString,
                  "New object created: " + obj->m_Name + ".");
        return obj;
    }

    // A click on the choice button of `letter`, then on the cell (x, y).
    void ClickPlace(char letter, int x, int y)
    {
        for (RogueButton* b : Designer().Choices())
            if (b->m_ButtonChar == letter)
                Click(b->m_Button);
        Click(Designer().Cell(x, y)->m_Button);
    }

    bool DesignerShown() const
    {
        return Designer().Window()->IsGloballyVisible();
    }

    using Picture = std::vector<std::string>;
    static Picture Blank()
    {
        return Picture(RogueWindowInspector::Height, std::string(RogueWindowInspector::Width, ' '));
    }
    using Rooms = std::vector<std::tuple<RoomType, int, int>>;

    // The whole grid drawn from these rooms on an empty grid, shown framed
    // when it differs. Corridors and scattered weapon letters come from the
    // permutation of 0..39 that Init shuffles with the game's draws; this is
    // the one of the fixture's seeded game.
    void ExpectPicture(const Rooms& rooms, const Picture& expected)
    {
        const std::vector<int> shuffled = {16, 6,  10, 4,  13, 9,  36, 33, 37, 31, 32, 21, 26, 5,
                                           17, 24, 20, 19, 35, 3,  18, 23, 30, 39, 25, 38, 7,  0,
                                           8,  14, 22, 11, 27, 12, 2,  15, 1,  34, 28, 29};
        EXPECT_EQ(Designer().Permutation(), shuffled);
        Designer().Permutation() = shuffled; // so that the pictures still show
        rogueWindow->Clear();
        EXPECT_EQ(Designer().Picture(), Blank());
        for (const auto& [type, x, y] : rooms)
            Designer().Place(type, x, y);
        std::string shown = "\n";
        for (const std::string& row : Designer().Picture())
            shown += '|' + row + "|\n";
        EXPECT_EQ(Designer().Picture(), expected) << shown;
    }

    std::vector<RoomType> RoomTypes() const
    {
        std::vector<RoomType> types;
        for (const DungeonRoom* room : Designer().Rooms())
            types.push_back(room->type);
        return types;
    }
};
