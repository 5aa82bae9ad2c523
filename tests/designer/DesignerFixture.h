#ifndef DESIGNERFIXTURE_H
#define DESIGNERFIXTURE_H

#include "GameFixture.h"
#include "RogueWindowInspector.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// The whole game in-process, with the designer's private state at hand and
// the bookkeeping to check what one spawn must do to the game.
class DesignerFixture : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        if (!IsSkipped())
            ins = std::make_unique<RogueWindowInspector>(rogueWindow);
    }

    // What a spawn is measured against, taken just before it.
    struct Before
    {
        size_t objects, notifications, console;
        int risk;
        std::vector<float> visibility; // of every object then in the world
    };

    Before Snapshot() const
    {
        Before b{world->m_Objects.size(), notificationBar->buttons.size(), mashWindow->m_Longdata.size(),
                 world->GetHumanPlayer()->m_Risk, {}};
        for (const Object* obj : world->m_Objects)
            b.visibility.push_back(obj->m_VisibleToPlayer);
        return b;
    }

    // Checks everything one spawn of an object with `rooms` rooms and the
    // given type string must have done since `b`, and returns the object.
    // The spawned designs hold no room that refreshes visibility, so one
    // turn leaves exactly one 0.025 step on it.
    Object* ExpectOneSpawn(const Before& b, size_t rooms, const std::string& type)
    {
        EXPECT_GT(world->m_Objects.size(), b.objects) << "nothing joined the world";
        if (world->m_Objects.size() <= b.objects)
            return nullptr;
        // Computer spawns of the same turn join after it.
        Object* obj = *std::next(world->m_Objects.begin(), b.objects);
        EXPECT_EQ(obj->m_PlayerID, 0);
        EXPECT_EQ(obj->m_Rooms.size(), rooms);
        // The type string, then a number below 999 without leading zeros.
        const std::string digits = obj->m_Name.substr(std::min(type.size(), obj->m_Name.size()));
        EXPECT_TRUE(obj->m_Name.compare(0, type.size(), type) == 0 && !digits.empty() && digits.size() <= 3 &&
                    std::all_of(digits.begin(), digits.end(), ::isdigit) && (digits == "0" || digits[0] != '0'))
            << obj->m_Name;

        // The announcement is the first message of this spawn; the turn's
        // own messages come after it.
        EXPECT_GT(notificationBar->buttons.size(), b.notifications);
        if (notificationBar->buttons.size() > b.notifications)
        {
            const BarButton* note = notificationBar->buttons[b.notifications];
            EXPECT_EQ(note->m_Button->GetLabel().toAnsiString(), "c" + type);
            EXPECT_EQ(note->m_NoteString, "New object created: " + obj->m_Name + ".");
        }

        // Ten times the square of the room count, then the turn's decay.
        const int n = static_cast<int>(rooms);
        const int raised = b.risk + 10 * n * n;
        const int risk = world->GetHumanPlayer()->m_Risk;
        EXPECT_EQ(risk, raised > 10 ? raised - raised / 20 - 1 : raised);
        EXPECT_EQ(stat->m_lRiskNum->GetText().toAnsiString(), std::to_string(risk));

        // Exactly one turn: the new object lost one step of visibility, and
        // so did every earlier object that nothing refreshes.
        EXPECT_EQ(obj->m_VisibleToPlayer, 1.0f - 0.025f);
        size_t i = 0;
        for (auto it = world->m_Objects.begin(); i < b.objects; ++it, ++i)
            EXPECT_TRUE((*it)->m_VisibleToPlayer == b.visibility[i] - 0.025f || (*it)->m_VisibleToPlayer == 1.0f)
                << "object " << i << ": " << (*it)->m_VisibleToPlayer;
        // The console grew by one turn's worth of text.
        const size_t grown = mashWindow->m_Longdata.size() - b.console;
        EXPECT_TRUE(grown >= 3 && grown <= 7) << grown;
        return obj;
    }

    // A click on the choice button of `letter`, then on the cell (x, y).
    void ClickPlace(char letter, int x, int y)
    {
        RogueButton* choice = nullptr;
        for (RogueButton* b : ins->Choices())
            if (b->m_ButtonChar == letter)
                choice = b;
        ASSERT_NE(choice, nullptr) << letter;
        Click(choice->m_Button);
        Click(ins->Cell(x, y)->m_Button);
    }

    void OpenDesignerByKey()
    {
        if (mashWindow->m_Active)
            Key(sf::Keyboard::Space);
        Key(sf::Keyboard::Num1);
        Frame();
    }

    std::vector<RoomType> RoomTypes() const
    {
        std::vector<RoomType> types;
        for (const DungeonRoom* room : ins->Rooms())
            types.push_back(room->type);
        return types;
    }

    std::unique_ptr<RogueWindowInspector> ins;
};

#endif
