// The event hub inside the whole game: what each key does with the console
// shown and hidden, what clicks on the bars' buttons lead to, spawning from
// a template, and the end of the game. Events go through the desktop first,
// as the renderer hands them over.
#include "PanelFixture.h"

#include "GameOver.h"

#include <algorithm>
#include <string>

namespace
{
bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}
}

class HubTest : public PanelFixture
{
protected:
    bool DesignerShown() const
    {
        return rogueWindow->GetPointer()->IsLocallyVisible();
    }

    bool AnyNoteOpened() const
    {
        for (const BarButton* button : notificationBar->buttons)
        {
            if (button->m_Note)
                return true;
        }
        return false;
    }

    std::string LastNotification() const
    {
        if (notificationBar->buttons.empty())
            return "";
        return notificationBar->buttons.back()->m_Button->GetLabel().toAnsiString();
    }
};

TEST_F(HubTest, EveryKeyButSpaceRunsOneTurnWhileTheConsoleIsActive)
{
    ASSERT_TRUE(mashWindow->m_Active);
    const sf::Keyboard::Key keys[] = {sf::Keyboard::A,      sf::Keyboard::Num1,     sf::Keyboard::Num0,
                                      sf::Keyboard::Numpad1, sf::Keyboard::Unknown, sf::Keyboard::LShift,
                                      sf::Keyboard::LControl, sf::Keyboard::Enter,  sf::Keyboard::F1,
                                      sf::Keyboard::Tab,    sf::Keyboard::Z};
    int expected = 0;
    for (sf::Keyboard::Key key : keys)
    {
        const size_t before = mashWindow->m_Longdata.size();
        Key(key);
        ++expected;
        EXPECT_EQ(Turns(), expected) << "key code " << key;
        // The turn step ends by feeding the console.
        EXPECT_GE(mashWindow->m_Longdata.size(), before + 3) << "key code " << key;
        EXPECT_LE(mashWindow->m_Longdata.size(), before + 7) << "key code " << key;
    }
    // Digits and the unidentified key only ran turns: no designer, no note.
    EXPECT_FALSE(DesignerShown());
    EXPECT_EQ(rogueWindow->m_TargetButton, nullptr);
    EXPECT_FALSE(AnyNoteOpened());

    // Holding a key down: one turn per repeated press.
    for (int i = 0; i < 25; ++i)
        Key(sf::Keyboard::K);
    EXPECT_EQ(Turns(), expected + 25);

    // Modifier flags play no part.
    KeyWith(sf::Keyboard::A, true, true, true, true);
    EXPECT_EQ(Turns(), expected + 26);
    KeyWith(sf::Keyboard::Space, false, true, true, false);
    EXPECT_FALSE(mashWindow->m_Active);
    EXPECT_EQ(Turns(), expected + 26);
    KeyWith(sf::Keyboard::Num1, false, false, true, false);
    EXPECT_TRUE(DesignerShown());
}

TEST_F(HubTest, WithTheConsoleHiddenOnlySpaceDigitsAndTheUnknownKeyAct)
{
    Key(sf::Keyboard::Space);
    ASSERT_FALSE(mashWindow->m_Active);
    const std::string text = mashWindow->m_Longdata;
    const size_t notifications = notificationBar->buttons.size();
    const size_t createButtons = createBar->buttons.size();

    for (sf::Keyboard::Key key : {sf::Keyboard::A, sf::Keyboard::Enter, sf::Keyboard::Numpad1, sf::Keyboard::Numpad0,
                                  sf::Keyboard::LShift, sf::Keyboard::F5, sf::Keyboard::Num9, sf::Keyboard::Num0})
        Key(key);
    // Escape reaches the hub too; it does nothing there (closing the window
    // is the renderer's part).
    hub->KeyPressed(sf::Event::KeyEvent{sf::Keyboard::Escape, false, false, false, false});

    EXPECT_EQ(Turns(), 0);
    EXPECT_EQ(mashWindow->m_Longdata, text);
    EXPECT_EQ(notificationBar->buttons.size(), notifications);
    EXPECT_EQ(createBar->buttons.size(), createButtons);
    EXPECT_FALSE(DesignerShown());
    EXPECT_FALSE(mashWindow->m_Active);
    EXPECT_TRUE(render->m_RenderWindow.isOpen());
}

TEST_F(HubTest, KeyOneOpensTheDesignerForTheOnlyPlaceholderAndKeyTwoDoesNothing)
{
    Key(sf::Keyboard::Space);
    Key(sf::Keyboard::Num2);
    EXPECT_FALSE(DesignerShown());
    EXPECT_EQ(rogueWindow->m_TargetButton, nullptr);

    Key(sf::Keyboard::Num1);
    EXPECT_TRUE(DesignerShown());
    EXPECT_EQ(rogueWindow->m_TargetButton, createBar->buttons[0]);
    EXPECT_TRUE(OnTop(rogueWindow->GetPointer()));
    EXPECT_EQ(Turns(), 0);
}

TEST_F(HubTest, DigitsPokeTheFirstTenCreateBarButtons)
{
    // Ten templates T0..T9, then the placeholder as the eleventh button.
    for (int n = 0; n < 10; ++n)
        AddTemplate("T" + std::to_string(n), {PLAYERBASE, LOOK});
    ASSERT_EQ(createBar->buttons.size(), 11u);
    Key(sf::Keyboard::Space);

    const std::pair<sf::Keyboard::Key, int> table[] = {
        {sf::Keyboard::Num1, 0}, {sf::Keyboard::Num2, 1}, {sf::Keyboard::Num3, 2}, {sf::Keyboard::Num4, 3},
        {sf::Keyboard::Num5, 4}, {sf::Keyboard::Num6, 5}, {sf::Keyboard::Num7, 6}, {sf::Keyboard::Num8, 7},
        {sf::Keyboard::Num9, 8}, {sf::Keyboard::Num0, 9}};
    int turns = 0;
    for (const auto& [key, n] : table)
    {
        const std::string name = "T" + std::to_string(n);
        const size_t objects = world->m_Objects.size();
        const size_t notifications = notificationBar->buttons.size();
        Key(key);
        // A spawn from template n: it joined the world first, was announced
        // first, and cost one turn.
        EXPECT_EQ(Turns(), ++turns) << name;
        ASSERT_GT(world->m_Objects.size(), objects) << name;
        const Object* spawned = *std::next(world->m_Objects.begin(), static_cast<long>(objects));
        EXPECT_TRUE(StartsWith(spawned->m_Name, name)) << spawned->m_Name;
        ASSERT_GT(notificationBar->buttons.size(), notifications) << name;
        EXPECT_EQ(notificationBar->buttons[notifications]->m_Button->GetLabel().toAnsiString(), "c" + name);
    }
    // The placeholder is the eleventh button: no key reaches it.
    EXPECT_FALSE(DesignerShown());
}

TEST_F(HubTest, WithThreeTemplatesKeyFourOpensThePlaceholderAndKeyFiveDoesNothing)
{
    for (const char* name : {"A", "B", "C"})
        AddTemplate(name, {PLAYERBASE, ROCK});
    Key(sf::Keyboard::Space);

    Key(sf::Keyboard::Num5);
    EXPECT_FALSE(DesignerShown());
    EXPECT_EQ(Turns(), 0);

    Key(sf::Keyboard::Num4);
    EXPECT_TRUE(DesignerShown());
    EXPECT_EQ(rogueWindow->m_TargetButton, createBar->buttons[3]);
    EXPECT_EQ(createBar->buttons[3]->m_Button->GetLabel().toAnsiString(), "~new");
    EXPECT_EQ(Turns(), 0);
}

TEST_F(HubTest, UnknownKeyWalksDownTheNotificationsTwoPokesEach)
{
    hub->NewMessage("m1", "first long text");
    hub->NewMessage("m2", "second long text");
    Key(sf::Keyboard::Space);

    // While the console is active the unknown key is just a turn (tested
    // above); hidden, it acts on the top notification.
    BarButton* first = notificationBar->buttons[0];
    Key(sf::Keyboard::Unknown);
    ASSERT_NE(first->m_Note, nullptr);
    EXPECT_TRUE(first->m_Note->Visible());
    EXPECT_EQ(first->m_Note->m_Label->GetText().toAnsiString(), "first long text");
    EXPECT_EQ(notificationBar->buttons.size(), 2u);

    Key(sf::Keyboard::Unknown);
    EXPECT_FALSE(first->m_Note->Visible());
    ASSERT_EQ(notificationBar->buttons.size(), 1u);
    BarButton* second = notificationBar->buttons[0];
    EXPECT_EQ(second->m_Button->GetLabel().toAnsiString(), "m2");
    EXPECT_EQ(second->m_Index, 100);

    Key(sf::Keyboard::Unknown);
    ASSERT_NE(second->m_Note, nullptr);
    EXPECT_TRUE(second->m_Note->Visible());
    Key(sf::Keyboard::Unknown);
    EXPECT_FALSE(second->m_Note->Visible());
    EXPECT_TRUE(notificationBar->buttons.empty());

    // An empty bar: nothing happens.
    Key(sf::Keyboard::Unknown);
    EXPECT_TRUE(notificationBar->buttons.empty());
    EXPECT_EQ(Turns(), 0);
    EXPECT_TRUE(Frame());
}

TEST_F(HubTest, MessagesReachTheBarUnchanged)
{
    const size_t before = notificationBar->buttons.size();
    hub->NewMessage("?@", "New enemy Base discovered");
    hub->NewMessage("", "two\nlines ");
    ASSERT_EQ(notificationBar->buttons.size(), before + 2);
    const BarButton* a = notificationBar->buttons[before];
    const BarButton* b = notificationBar->buttons[before + 1];
    EXPECT_EQ(a->m_Button->GetLabel().toAnsiString(), "?@");
    EXPECT_EQ(a->m_NoteString, "New enemy Base discovered");
    EXPECT_EQ(b->m_Button->GetLabel().toAnsiString(), "");
    EXPECT_EQ(b->m_NoteString, "two\nlines ");
    EXPECT_EQ(b->m_Index, static_cast<int>(before) + 101);
}

TEST_F(HubTest, ClickingATemplateSpawnsAnnouncesAddsRiskAndCostsATurn)
{
    BarButton* scout = AddTemplate("Scout", {PLAYERBASE, LOOK, PING});
    // Hidden console: a spawn still costs its turn.
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
    const Object* spawned = *std::next(world->m_Objects.begin(), static_cast<long>(objects));
    EXPECT_TRUE(StartsWith(spawned->m_Name, "Scout")) << spawned->m_Name;
    EXPECT_EQ(spawned->m_PlayerID, 0);
    EXPECT_EQ(spawned->m_Rooms, scout->m_Obj->m_Rooms);

    ASSERT_GT(notificationBar->buttons.size(), notifications);
    const BarButton* news = notificationBar->buttons[notifications];
    EXPECT_EQ(news->m_Button->GetLabel().toAnsiString(), "cScout");
    EXPECT_EQ(news->m_NoteString, "New object created: " + spawned->m_Name + ".");

    // 10 x 3 x 3 on top of the old risk; the panel shows it after the turn.
    EXPECT_EQ(world->GetHumanPlayer()->m_Risk, -910);
    EXPECT_EQ(stat->m_lRiskNum->GetText().toAnsiString(), "-910");
    // The map shows the new object; the console grew while hidden.
    bool labelled = false;
    for (const sfg::Label::Ptr& label : worldWindow->m_Labels)
        labelled = labelled || label->GetText().toAnsiString() == spawned->m_Name;
    EXPECT_TRUE(labelled);
    EXPECT_GE(mashWindow->m_Longdata.size(), text + 3);
    EXPECT_FALSE(mashWindow->m_Active);
    EXPECT_FALSE(DesignerShown());
    // The template stays in the bar and can be used again.
    EXPECT_EQ(createBar->buttons[0], scout);
    Click(scout->m_Button);
    EXPECT_EQ(Turns(), 2);
    EXPECT_EQ(world->GetHumanPlayer()->m_Risk, -820);
    EXPECT_TRUE(Frame());
}

TEST_F(HubTest, SpawnRiskIsTenTimesTheSquareOfTheRoomCount)
{
    Player* human = world->GetHumanPlayer();
    for (int rooms : {1, 2, 4, 7})
    {
        human->m_Risk = -100000;
        Object* obj = new Object();
        for (int i = 0; i < rooms; ++i)
            obj->m_Rooms.push_back(new Room(i == 0 ? PLAYERBASE : LOOK));
        obj->m_Name = "design" + std::to_string(rooms);
        hub->CreateNewObject(obj, "a described design");
        EXPECT_EQ(human->m_Risk, -100000 + 10 * rooms * rooms) << rooms << " rooms";
        EXPECT_NE(std::find(world->m_Objects.begin(), world->m_Objects.end(), obj), world->m_Objects.end());
    }
    EXPECT_EQ(Turns(), 4);
    // The designer's description is the short text's tail.
    bool found = false;
    for (const BarButton* button : notificationBar->buttons)
    {
        if (button->m_Button->GetLabel().toAnsiString() == "ca described design" &&
            button->m_NoteString == "New object created: design7.")
            found = true;
    }
    EXPECT_TRUE(found);
}

TEST_F(HubTest, PlaceholderAndTemplateClicksAndRightClicks)
{
    BarButton* t0 = AddTemplate("T0", {PLAYERBASE, FORAGE});
    BarButton* t1 = AddTemplate("T1", {PLAYERBASE, SNOOP});
    BarButton* placeholder = createBar->buttons.back();

    // Right click on the placeholder: nothing.
    Click(placeholder->m_Button, sf::Mouse::Right);
    EXPECT_EQ(createBar->buttons, (std::vector<BarButton*>{t0, t1, placeholder}));

    // Right click on a template: it leaves the bar, the rest move up.
    Click(t0->m_Button, sf::Mouse::Right);
    EXPECT_EQ(createBar->buttons, (std::vector<BarButton*>{t1, placeholder}));
    EXPECT_EQ(t1->m_Index, 0);
    EXPECT_EQ(placeholder->m_Index, 1);
    EXPECT_EQ(Turns(), 0);

    // Left click on the placeholder: the designer opens for it, on top.
    Click(placeholder->m_Button);
    EXPECT_TRUE(DesignerShown());
    EXPECT_EQ(rogueWindow->m_TargetButton, placeholder);
    EXPECT_TRUE(OnTop(rogueWindow->GetPointer()));
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
        {
            EXPECT_EQ(window->GetAbsolutePosition(), centre);
            EXPECT_TRUE(window->IsGloballyVisible());
        }
        EXPECT_TRUE(Frame());
    }
    // The game goes on: keys still run turns and spawns still report the end,
    // from inside a click handler this time.
    EXPECT_EQ(Turns(), 3);
    BarButton* t = AddTemplate("Late", {PLAYERBASE});
    Key(sf::Keyboard::Space);
    Click(t->m_Button);
    EXPECT_EQ(Turns(), 4);
    EXPECT_EQ(WindowsSaying(loss).size(), 4u);
    EXPECT_TRUE(WindowsSaying(win).empty());

    // Both computer sides gone as well: the loss and then the win, each turn.
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

TEST_F(HubTest, VictoryAloneShowsTheCongratulation)
{
    world->m_Players[1]->m_Alive = false;
    world->m_Players[2]->m_Alive = false;
    Key(sf::Keyboard::A);
    EXPECT_EQ(WindowsSaying("ALL ENEMY BASES DESTROYED - CONGRATULATIONS").size(), 1u);
    EXPECT_TRUE(WindowsSaying("YOUR BASE WAS DESTROYED - GAME OVER").empty());
    EXPECT_EQ(stat->m_lBaseNum->GetText().toAnsiString(), "0");
}
