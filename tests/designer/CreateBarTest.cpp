// The create bar in a running game: its placeholder and template buttons and
// the clicks and keys that reach them through the event hub.

#include "DesignerFixture.h"

#include <string>
#include <vector>

class CreateBarTest : public DesignerFixture
{
protected:
    // Keeps a design of 5 x 5 rooms through the designer, as "Inventory"
    // does for the placeholder at the end of the bar; returns its button.
    BarButton* Keep(const std::vector<RoomType>& kinds)
    {
        BarButton* target = createBar->buttons.back();
        hub->NewButtonPoked(target);
        for (size_t i = 0; i < kinds.size(); ++i)
            ins->Place(kinds[i], 5 * static_cast<int>(i), 0);
        rogueWindow->Inventory();
        return target;
    }

    // Button i is the i-th widget of the box and has index i.
    void ExpectBar(const std::vector<BarButton*>& expected)
    {
        ASSERT_EQ(createBar->buttons, expected);
        const auto& widgets = createBar->m_Box->GetChildren();
        ASSERT_EQ(widgets.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
        {
            EXPECT_EQ(expected[i]->m_Index, static_cast<int>(i));
            EXPECT_EQ(widgets[i], expected[i]->m_Button) << "widget " << i;
        }
    }

    int HumanObjects() const
    {
        int n = 0;
        for (const Object* obj : world->m_Objects)
            n += obj->m_PlayerID == 0;
        return n;
    }

    static std::string Label(const BarButton* b)
    {
        return b->m_Button->GetLabel().toAnsiString();
    }
};

TEST_F(CreateBarTest, StartsWithOnePlaceholderAtTheRightEdge)
{
    ExpectBar({createBar->buttons.at(0)});
    const BarButton* b = createBar->buttons[0];
    EXPECT_EQ(Label(b), "~new");
    ASSERT_EQ(b->m_Obj->m_Rooms.size(), 1u);
    EXPECT_EQ(b->m_Obj->m_Rooms[0]->Type, NEW);
    EXPECT_EQ(b->m_Obj->m_KnownEnemies, world->GetHumanPlayer()->m_KnownEnemies);

    const sfg::Window::Ptr window = createBar->GetPointer();
    EXPECT_EQ(window->GetAbsolutePosition(), sf::Vector2f(static_cast<float>(glob->resolution.x - 64), 64));
    EXPECT_EQ(window->GetRequisition(), sf::Vector2f(64, static_cast<float>(glob->resolution.y)));
    EXPECT_TRUE(window->IsGloballyVisible());
}

// A template click (or its key, with the console hidden) spawns a copy
// sharing the template's rooms; with the console shown a digit is a turn.
TEST_F(CreateBarTest, TemplatesSpawnByClickAndByKey)
{
    BarButton* tpl = Keep({PLAYERBASE, LOOK, FORAGE});
    ASSERT_EQ(Label(tpl), "lf");
    Frame();
    ASSERT_TRUE(mashWindow->m_Active);

    for (int round = 0; round < 2; ++round)
    {
        const Before b = Snapshot();
        testing::internal::CaptureStdout();
        if (round == 0)
            Click(tpl->m_Button); // console still shown
        else
        {
            Key(sf::Keyboard::Space);
            Key(sf::Keyboard::Num1);
        }
        EXPECT_EQ(testing::internal::GetCapturedStdout(), ""); // only designer spawns print
        Frame();
        const Object* obj = ExpectOneSpawn(b, 3, "lf");
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(obj->m_Rooms, tpl->m_Obj->m_Rooms);
        EXPECT_NE(obj, tpl->m_Obj);
        EXPECT_FALSE(ins->Window()->IsGloballyVisible());
        EXPECT_EQ(createBar->buttons.size(), 2u);
    }

    Key(sf::Keyboard::Space);
    ASSERT_TRUE(mashWindow->m_Active);
    const int before = HumanObjects();
    const size_t console = mashWindow->m_Longdata.size();
    Key(sf::Keyboard::Num1);
    EXPECT_EQ(HumanObjects(), before);
    EXPECT_GT(mashWindow->m_Longdata.size(), console);
}

// A right click discards a template (no turn, no spawn) and renumbers the
// rest; on the placeholder it does nothing.
TEST_F(CreateBarTest, RightClicksRemoveTemplatesOnly)
{
    BarButton* t0 = Keep({PLAYERBASE, LOOK});
    BarButton* t1 = Keep({PLAYERBASE, FORAGE});
    BarButton* placeholder = createBar->buttons.back();
    Frame();
    ExpectBar({t0, t1, placeholder});

    const int objects = HumanObjects();
    const int risk = world->GetHumanPlayer()->m_Risk;
    Click(placeholder->m_Button, sf::Mouse::Right);
    Frame();
    ExpectBar({t0, t1, placeholder});
    EXPECT_EQ(Label(placeholder), "~new");
    EXPECT_FALSE(ins->Window()->IsGloballyVisible()) << "a right click is not a poke";

    Click(t0->m_Button, sf::Mouse::Right);
    Frame();
    ExpectBar({t1, placeholder});
    EXPECT_FALSE(t0->m_Button->IsLocallyVisible());
    EXPECT_EQ(HumanObjects(), objects);
    EXPECT_EQ(world->GetHumanPlayer()->m_Risk, risk);

    // The renumbered buttons still work: key 1 now spawns from t1.
    Key(sf::Keyboard::Space);
    const Before b = Snapshot();
    Key(sf::Keyboard::Num1);
    ExpectOneSpawn(b, 2, "f");
    Key(sf::Keyboard::Num2);
    EXPECT_TRUE(ins->Window()->IsGloballyVisible());
    EXPECT_EQ(rogueWindow->m_TargetButton, placeholder);
}

TEST_F(CreateBarTest, OutOfRangeIndicesAndRemovingThePlaceholder)
{
    BarButton* t0 = Keep({PLAYERBASE, LOOK});
    BarButton* placeholder = createBar->buttons.back();
    createBar->RemoveButton(-1);
    createBar->RemoveButton(2);
    createBar->PokeButton(-1);
    createBar->PokeButton(2);
    ExpectBar({t0, placeholder});
    EXPECT_FALSE(ins->Window()->IsGloballyVisible());

    // Only a placeholder at the end is taken off by RemoveNewButton.
    createBar->RemoveNewButton();
    createBar->RemoveNewButton();
    ExpectBar({t0});
    createBar->RemoveButton(0);
    createBar->RemoveNewButton();
    createBar->PokeButton(0);
    ExpectBar({});
    BarButton* again = createBar->AddNewButton();
    ExpectBar({again});
    EXPECT_EQ(Label(again), "~new");
}
