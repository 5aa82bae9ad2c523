// The event hub inside the whole game: what each key does with the console
// shown and hidden, clicks on the create bar, spawning, and the end of the
// game. Events go through the desktop first, as the renderer hands them over.
#include "PanelFixture.h"

#include <string>

class HubTest : public PanelFixture
{
protected:
    bool DesignerShown() const
    {
        return rogueWindow->GetPointer()->IsLocallyVisible();
    }

    // The object that joined the world at position `index`.
    const Object* ObjectAt(size_t index) const
    {
        return *std::next(world->m_Objects.begin(), static_cast<long>(index));
    }
};

TEST_F(HubTest, WithTheConsoleActiveEveryKeyButSpaceRunsOneTurn)
{
    hub->NewMessage("m", "a message the unknown key must not open");
    int expected = 0;
    for (sf::Keyboard::Key key : {sf::Keyboard::A, sf::Keyboard::Num1, sf::Keyboard::Num0, sf::Keyboard::Unknown,
                                  sf::Keyboard::LShift, sf::Keyboard::Enter, sf::Keyboard::F1, sf::Keyboard::Z})
    {
        const size_t before = mashWindow->m_Longdata.size();
        Key(key);
        EXPECT_EQ(Turns(), ++expected) << "key code " << key;
        // The turn step ends by feeding the console.
        EXPECT_GE(mashWindow->m_Longdata.size(), before + 3) << "key code " << key;
        EXPECT_LE(mashWindow->m_Longdata.size(), before + 7) << "key code " << key;
    }
    // Digits and the unidentified key only ran turns: no designer, no note.
    EXPECT_FALSE(DesignerShown());
    for (const BarButton* button : notificationBar->buttons)
        EXPECT_EQ(button->m_Note, nullptr);

    Key(sf::Keyboard::Space);
    EXPECT_FALSE(mashWindow->m_Active);
    EXPECT_EQ(Turns(), expected);
}

TEST_F(HubTest, WithTheConsoleHiddenOnlySpaceDigitsAndTheUnknownKeyAct)
{
    Key(sf::Keyboard::Space);
    const std::string text = mashWindow->m_Longdata;
    const size_t notifications = notificationBar->buttons.size();
    for (sf::Keyboard::Key key : {sf::Keyboard::A, sf::Keyboard::Enter, sf::Keyboard::Numpad1, sf::Keyboard::LShift,
                                  sf::Keyboard::F5, sf::Keyboard::Num2, sf::Keyboard::Num0})
        Key(key);
    // Escape does nothing in the hub; closing the window is the renderer's.
    hub->KeyPressed(sf::Event::KeyEvent{sf::Keyboard::Escape, false, false, false, false});
    EXPECT_EQ(Turns(), 0);
    EXPECT_EQ(mashWindow->m_Longdata, text);
    EXPECT_EQ(notificationBar->buttons.size(), notifications);
    EXPECT_FALSE(DesignerShown());
    EXPECT_FALSE(mashWindow->m_Active);

    // With three templates, key 5 reaches no button and key 4 the
    // placeholder: the designer opens for it.
    for (const char* name : {"A", "B", "C"})
        AddTemplate(name, {PLAYERBASE, ROCK});
    Key(sf::Keyboard::Num5);
    EXPECT_FALSE(DesignerShown());
    Key(sf::Keyboard::Num4);
    EXPECT_TRUE(DesignerShown());
    EXPECT_EQ(rogueWindow->m_TargetButton, createBar->buttons[3]);
    EXPECT_TRUE(OnTop(rogueWindow->GetPointer()));
    EXPECT_EQ(Turns(), 0);
}

TEST_F(HubTest, DigitsPokeTheFirstTenCreateBarButtons)
{
    for (int n = 0; n < 10; ++n)
        AddTemplate("T" + std::to_string(n), {PLAYERBASE, LOOK});
    Key(sf::Keyboard::Space);
    const sf::Keyboard::Key keys[] = {sf::Keyboard::Num1, sf::Keyboard::Num2, sf::Keyboard::Num3, sf::Keyboard::Num4,
                                      sf::Keyboard::Num5, sf::Keyboard::Num6, sf::Keyboard::Num7, sf::Keyboard::Num8,
                                      sf::Keyboard::Num9, sf::Keyboard::Num0};
    for (int n = 0; n < 10; ++n)
    {
        const std::string name = "T" + std::to_string(n);
        const size_t objects = world->m_Objects.size();
        const size_t notifications = notificationBar->buttons.size();
        Key(keys[n]);
        // A spawn from template n: it joined the world and was announced
        // first, and cost one turn.
        EXPECT_EQ(Turns(), n + 1) << name;
        ASSERT_GT(world->m_Objects.size(), objects) << name;
        EXPECT_EQ(ObjectAt(objects)->m_Name.rfind(name, 0), 0u) << ObjectAt(objects)->m_Name;
        ASSERT_GT(notificationBar->buttons.size(), notifications) << name;
        EXPECT_EQ(notificationBar->buttons[notifications]->m_Button->GetLabel().toAnsiString(), "c" + name);
    }
    // The placeholder is the eleventh button: no key reaches it.
    EXPECT_FALSE(DesignerShown());
}

TEST_F(HubTest, UnknownKeyWalksDownTheNotificationsTwoPokesEach)
{
    hub->NewMessage("m1", "first long text");
    hub->NewMessage("m2", "second long text");
    Key(sf::Keyboard::Space);

    BarButton* first = notificationBar->buttons[0];
    Key(sf::Keyboard::Unknown);
    ASSERT_NE(first->m_Note, nullptr);
    EXPECT_TRUE(first->m_Note->Visible());
    EXPECT_EQ(first->m_Note->m_Label->GetText().toAnsiString(), "first long text");

    Key(sf::Keyboard::Unknown);
    EXPECT_FALSE(first->m_Note->Visible());
    ASSERT_EQ(notificationBar->buttons.size(), 1u);
    BarButton* second = notificationBar->buttons[0];
    EXPECT_EQ(second->m_Button->GetLabel().toAnsiString(), "m2");

    Key(sf::Keyboard::Unknown);
    ASSERT_NE(second->m_Note, nullptr);
    EXPECT_TRUE(second->m_Note->Visible());
    Key(sf::Keyboard::Unknown);
    EXPECT_TRUE(notificationBar->buttons.empty());
    // An empty bar: nothing happens.
    Key(sf::Keyboard::Unknown);
    EXPECT_EQ(Turns(), 0);
    EXPECT_TRUE(Frame());
}

TEST_F(HubTest, ClickingATemplateSpawnsAnnouncesAddsRiskAndCostsATurn)
{
    BarButton* scout = AddTemplate("Scout", {PLAYERBASE, LOOK, PING});
    Key(sf::Keyboard::Space);
    // Far below the level where the human's risk decays, so the turn leaves
    // it alone and the spawn's share shows exactly.
    world->GetHumanPlayer()->m_Risk = -1000;
    const size_t objects = world->m_Objects.size();
    const size_t notifications = notificationBar->buttons.size();
    const size_t text = mashWindow->m_Longdata.size();

    Click(scout->m_Button);
    EXPECT_EQ(Turns(), 1);
    ASSERT_GT(world->m_Objects.size(), objects);
    const Object* spawned = ObjectAt(objects);
    EXPECT_EQ(spawned->m_Name.rfind("Scout", 0), 0u) << spawned->m_Name;
    EXPECT_EQ(spawned->m_PlayerID, 0);
    EXPECT_EQ(spawned->m_Rooms, scout->m_Obj->m_Rooms);
    ASSERT_GT(notificationBar->buttons.size(), notifications);
    const BarButton* news = notificationBar->buttons[notifications];
    EXPECT_EQ(news->m_Button->GetLabel().toAnsiString(), "cScout");
    EXPECT_EQ(news->m_NoteString, "New object created: " + spawned->m_Name + ".");
    // Ten times the square of the room count; the panel shows it after the turn.
    EXPECT_EQ(world->GetHumanPlayer()->m_Risk, -910);
    EXPECT_EQ(stat->m_lRiskNum->GetText().toAnsiString(), "-910");
    // The console grows while hidden and stays hidden.
    EXPECT_GE(mashWindow->m_Longdata.size(), text + 3);
    EXPECT_FALSE(mashWindow->m_Active);
    EXPECT_FALSE(DesignerShown());

    // The template stays in the bar and can be used again.
    Click(scout->m_Button);
    EXPECT_EQ(Turns(), 2);
    EXPECT_EQ(world->GetHumanPlayer()->m_Risk, -820);
    EXPECT_TRUE(Frame());
}

TEST_F(HubTest, RightClicksRemoveTemplatesAndLeftClickOnThePlaceholderOpensTheDesigner)
{
    BarButton* t0 = AddTemplate("T0", {PLAYERBASE, FORAGE});
    BarButton* t1 = AddTemplate("T1", {PLAYERBASE, SNOOP});
    BarButton* placeholder = createBar->buttons.back();

    Click(placeholder->m_Button, sf::Mouse::Right);
    EXPECT_EQ(createBar->buttons, (std::vector<BarButton*>{t0, t1, placeholder}));
    Click(t0->m_Button, sf::Mouse::Right);
    EXPECT_EQ(createBar->buttons, (std::vector<BarButton*>{t1, placeholder}));
    EXPECT_EQ(placeholder->m_Index, 1);

    Click(placeholder->m_Button);
    EXPECT_TRUE(DesignerShown());
    EXPECT_EQ(rogueWindow->m_TargetButton, placeholder);
    EXPECT_EQ(Turns(), 0);
    EXPECT_TRUE(Frame());
}

TEST_F(HubTest, EveryTurnAfterTheEndAddsAnotherGameOverWindow)
{
    const std::string loss = "YOUR BASE WAS DESTROYED - GAME OVER";
    const std::string win = "ALL ENEMY BASES DESTROYED - CONGRATULATIONS";
    const sf::Vector2f centre(static_cast<float>(glob->resolution.x / 2 - 400),
                              static_cast<float>(glob->resolution.y / 2 - 50));
    EXPECT_TRUE(WindowsSaying(loss).empty());

    world->m_Players[0]->m_Alive = false;
    for (int turn = 1; turn <= 3; ++turn)
    {
        Key(sf::Keyboard::A);
        const auto windows = WindowsSaying(loss);
        ASSERT_EQ(windows.size(), static_cast<size_t>(turn));
        EXPECT_TRUE(OnTop(windows.back()));
        for (const sfg::Window::Ptr& window : windows)
            EXPECT_EQ(window->GetAbsolutePosition(), centre);
    }
    // Spawns report the end too, from inside a click handler.
    BarButton* t = AddTemplate("Late", {PLAYERBASE});
    Key(sf::Keyboard::Space);
    Click(t->m_Button);
    EXPECT_EQ(Turns(), 4);
    EXPECT_EQ(WindowsSaying(loss).size(), 4u);
    EXPECT_TRUE(WindowsSaying(win).empty());

    // Both computer sides gone as well: the loss and then the win.
    world->m_Players[1]->m_Alive = false;
    world->m_Players[2]->m_Alive = false;
    Key(sf::Keyboard::Space);
    Key(sf::Keyboard::A);
    EXPECT_EQ(WindowsSaying(loss).size(), 5u);
    ASSERT_EQ(WindowsSaying(win).size(), 1u);
    EXPECT_TRUE(OnTop(WindowsSaying(win).back()));
    EXPECT_EQ(WindowsSaying(win).back()->GetAbsolutePosition(), centre);
    EXPECT_TRUE(Frame());
}
