// The create bar in a running game: its placeholder and template buttons,
// the clicks and keys that reach them through the event hub, and the notes
// that a spawn's announcement opens.

#include "DesignerFixture.h"

#include "Note.h"

#include <string>
#include <vector>

class CreateBarTest : public DesignerFixture
{
protected:
    // Keeps a design through the designer, as "Inventory" does for the
    // placeholder at the end of the bar; returns the template's button.
    BarButton* Keep(const std::vector<RoomType>& kinds)
    {
        BarButton* target = createBar->buttons.back();
        hub->NewButtonPoked(target);
        int x = 0;
        for (RoomType kind : kinds)
        {
            ins->Place(kind, x, 0);
            x += 5; // every kind used here is 5 x 5
        }
        EXPECT_EQ(ins->Rooms().size(), kinds.size());
        rogueWindow->Inventory();
        return target;
    }

    // Button i is the i-th widget of the box and has index i.
    void ExpectBarInOrder(const std::vector<BarButton*>& expected)
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

    std::string Label(const BarButton* b) const
    {
        return b->m_Button->GetLabel().toAnsiString();
    }
};

TEST_F(CreateBarTest, StartsWithOnePlaceholder)
{
    ASSERT_EQ(createBar->buttons.size(), 1u);
    const BarButton* b = createBar->buttons[0];
    EXPECT_EQ(Label(b), "~new");
    EXPECT_EQ(b->m_Index, 0);
    EXPECT_EQ(b->m_NoteString, "");
    EXPECT_EQ(b->m_Note, nullptr);
    EXPECT_EQ(b->m_Button->GetClass(), "vbar");
    ASSERT_NE(b->m_Obj, nullptr);
    EXPECT_EQ(b->m_Obj->m_Name, "~new");
    ASSERT_EQ(b->m_Obj->m_Rooms.size(), 1u);
    EXPECT_EQ(b->m_Obj->m_Rooms[0]->Type, NEW);
    EXPECT_EQ(b->m_Obj->m_KnownEnemies, world->GetHumanPlayer()->m_KnownEnemies);
    ExpectBarInOrder({createBar->buttons[0]});

    const sfg::Window::Ptr window = createBar->GetPointer();
    EXPECT_EQ(window, createBar->m_Window);
    EXPECT_EQ(window->GetAbsolutePosition(), sf::Vector2f(static_cast<float>(glob->resolution.x - 64), 64));
    EXPECT_EQ(window->GetRequisition(), sf::Vector2f(64, static_cast<float>(glob->resolution.y)));
    EXPECT_EQ(window->GetStyle(), sfg::Window::Style::BACKGROUND);
    EXPECT_EQ(window->GetTitle().toAnsiString(), " ");
    EXPECT_EQ(window->GetClass(), "vbar");
    EXPECT_TRUE(window->IsGloballyVisible());
}

// A template click (or its key) spawns a copy: the world gains the object,
// the bar announces it, the risk rises by ten times the square of its rooms
// and one turn runs, whether the console is shown or not.
TEST_F(CreateBarTest, TemplatesSpawnByClickAndByKey)
{
    BarButton* tpl = Keep({PLAYERBASE, LOOK, FORAGE});
    ASSERT_EQ(Label(tpl), "lf");
    Frame();
    ASSERT_TRUE(mashWindow->m_Active);

    for (int round = 0; round < 3; ++round)
    {
        const Before b = Snapshot();
        testing::internal::CaptureStdout();
        if (round == 0)
            Click(tpl->m_Button); // console still shown
        else
        {
            if (mashWindow->m_Active)
                Key(sf::Keyboard::Space);
            Key(sf::Keyboard::Num1);
        }
        const std::string out = testing::internal::GetCapturedStdout();
        Frame();
        const Object* obj = ExpectOneSpawn(b, 3, "lf");
        ASSERT_NE(obj, nullptr);
        const int n = Suffix(obj->m_Name, "lf");
        EXPECT_GE(n, 0) << obj->m_Name;
        EXPECT_LE(n, 998);
        // A copy shares the template's rooms; only designer spawns print.
        EXPECT_EQ(obj->m_Rooms, tpl->m_Obj->m_Rooms);
        EXPECT_NE(obj, tpl->m_Obj);
        EXPECT_EQ(out, "");
        EXPECT_FALSE(ins->Window()->IsGloballyVisible());
        EXPECT_EQ(createBar->buttons.size(), 2u);
    }

    // With the console shown, a digit is just a turn.
    Key(sf::Keyboard::Space);
    ASSERT_TRUE(mashWindow->m_Active);
    const int before = HumanObjects();
    const size_t console = mashWindow->m_Longdata.size();
    Key(sf::Keyboard::Num1);
    EXPECT_EQ(HumanObjects(), before);
    EXPECT_GT(mashWindow->m_Longdata.size(), console);
    EXPECT_FALSE(ins->Window()->IsGloballyVisible());
}

TEST_F(CreateBarTest, RightClicksRemoveTemplatesOnly)
{
    BarButton* t0 = Keep({PLAYERBASE, LOOK});
    BarButton* t1 = Keep({PLAYERBASE, FORAGE});
    BarButton* placeholder = createBar->buttons.back();
    Frame();
    ExpectBarInOrder({t0, t1, placeholder});
    EXPECT_EQ(Label(t0), "l");
    EXPECT_EQ(Label(t1), "f");
    EXPECT_EQ(Label(placeholder), "~new");

    const int objects = HumanObjects();
    const int risk = world->GetHumanPlayer()->m_Risk;
    Click(placeholder->m_Button, sf::Mouse::Right);
    Frame();
    ExpectBarInOrder({t0, t1, placeholder});
    EXPECT_FALSE(ins->Window()->IsGloballyVisible()) << "a right click is not a poke";

    Click(t0->m_Button, sf::Mouse::Right);
    Frame();
    ExpectBarInOrder({t1, placeholder});
    EXPECT_FALSE(t0->m_Button->IsLocallyVisible());
    // The template lives on; discarding it is no turn and no spawn.
    EXPECT_EQ(t0->m_Obj->m_Name, "l");
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
    Frame();
}

TEST_F(CreateBarTest, OutOfRangeIndicesChangeNothing)
{
    BarButton* t0 = Keep({PLAYERBASE, LOOK});
    BarButton* placeholder = createBar->buttons.back();
    createBar->RemoveButton(-1);
    createBar->RemoveButton(2);
    createBar->PokeButton(-1);
    createBar->PokeButton(2);
    ExpectBarInOrder({t0, placeholder});
    EXPECT_FALSE(ins->Window()->IsGloballyVisible());

    // Only a placeholder at the end is taken off by RemoveNewButton.
    createBar->RemoveNewButton();
    ExpectBarInOrder({t0});
    createBar->RemoveNewButton();
    ExpectBarInOrder({t0});
    createBar->RemoveButton(0);
    ExpectBarInOrder({});
    createBar->RemoveNewButton();
    createBar->PokeButton(0);
    ExpectBarInOrder({});
    BarButton* again = createBar->AddNewButton();
    ExpectBarInOrder({again});
    EXPECT_EQ(Label(again), "~new");
    Frame();
}

// The digits reach the first ten buttons: 1..9 the first nine, 0 the tenth.
TEST_F(CreateBarTest, DigitKeysPokeTheFirstTenButtons)
{
    std::vector<BarButton*> bar;
    for (int i = 0; i < 3; ++i)
        bar.push_back(Keep({PLAYERBASE, LOOK}));
    bar.push_back(createBar->buttons.back());
    Key(sf::Keyboard::Space);
    ASSERT_FALSE(mashWindow->m_Active);

    const int objects = HumanObjects();
    Key(sf::Keyboard::Num5);
    EXPECT_FALSE(ins->Window()->IsGloballyVisible());
    EXPECT_EQ(HumanObjects(), objects);
    Key(sf::Keyboard::Numpad1);
    EXPECT_EQ(HumanObjects(), objects);
    Key(sf::Keyboard::Num4);
    EXPECT_TRUE(ins->Window()->IsGloballyVisible());
    EXPECT_EQ(rogueWindow->m_TargetButton, bar[3]);
    rogueWindow->Delete();

    for (int i = 0; i < 6; ++i)
    {
        bar.back() = Keep({PLAYERBASE, FORAGE}); // the placeholder turns into it
        bar.push_back(createBar->buttons.back());
    }
    ExpectBarInOrder(bar);
    ASSERT_EQ(bar.size(), 10u);
    EXPECT_EQ(Label(bar[8]), "f");
    EXPECT_EQ(Label(bar[9]), "~new");
    Key(sf::Keyboard::Num0);
    EXPECT_TRUE(ins->Window()->IsGloballyVisible());
    EXPECT_EQ(rogueWindow->m_TargetButton, bar[9]);
    EXPECT_EQ(HumanObjects(), objects);

    const Before b = Snapshot();
    Key(sf::Keyboard::Num9);
    ExpectOneSpawn(b, 2, "f");
    Frame();
}

// The announcement of a spawn opens its note beside the bar button; a click
// on the note hides it, and a click on the button while its note shows
// dismisses the message.
TEST_F(CreateBarTest, SpawnAnnouncementOpensANote)
{
    BarButton* tpl = Keep({PLAYERBASE, LOOK});
    const size_t first = notificationBar->buttons.size();
    Click(tpl->m_Button);
    Frame();
    ASSERT_GT(notificationBar->buttons.size(), first);
    BarButton* message = notificationBar->buttons[first];
    ASSERT_EQ(Label(message).substr(0, 2), "cl");

    Click(message->m_Button);
    Frame();
    ASSERT_NE(message->m_Note, nullptr);
    Note* note = message->m_Note;
    EXPECT_TRUE(note->Visible());
    EXPECT_EQ(note->m_Label->GetText().toAnsiString(), message->m_NoteString);
    EXPECT_EQ(note->GetPointer()->GetAbsolutePosition(),
              message->m_Button->GetAbsolutePosition() + sf::Vector2f(64, 0));

    Click(note->m_Label);
    Frame();
    EXPECT_FALSE(note->Visible());

    // Hidden: the next click opens a new note rather than dismissing.
    const size_t count = notificationBar->buttons.size();
    Click(message->m_Button);
    Frame();
    ASSERT_NE(message->m_Note, note);
    EXPECT_TRUE(message->m_Note->Visible());
    EXPECT_EQ(notificationBar->buttons.size(), count);

    Click(message->m_Button);
    Frame();
    EXPECT_FALSE(message->m_Note->Visible());
    EXPECT_EQ(notificationBar->buttons.size(), count - 1);
}
