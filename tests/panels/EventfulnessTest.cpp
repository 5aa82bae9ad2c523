// The event hub inside the whole game: what each key does with the console
// shown and hidden, and the end of the game. Events go through the desktop
// first, as the renderer hands them over.
#include "GameFixture.h"

#include <vector>

class EventfulnessTest : public GameFixture
{
protected:
    // The current placeholder becomes a template, as the designer leaves it,
    // and a new placeholder follows it.
    BarButton* AddTemplate(const std::string& name)
    {
        BarButton* target = createBar->buttons.back();
        target->m_Obj = new Object();
        target->m_Obj->m_Rooms = {new Room(PLAYERBASE), new Room(LOOK)};
        target->m_Obj->m_Name = name;
        target->m_Button->SetLabel(name);
        createBar->AddNewButton();
        return target;
    }
};

// Space hides and shows the console, showing it at the front.
TEST_F(EventfulnessTest, WithTheConsoleShownEveryKeyButSpaceRunsOneTurn)
{
    hub->NewMessage("m", "a note the unknown key must not open");
    int turns = 0;
    for (sf::Keyboard::Key key :
         {sf::Keyboard::Key::A, sf::Keyboard::Key::Num1, sf::Keyboard::Key::Num0, sf::Keyboard::Key::Unknown,
          sf::Keyboard::Key::LShift, sf::Keyboard::Key::F1})
    {
        Key(key);
        EXPECT_EQ(Turns(), ++turns) << "key code " << static_cast<int>(key);
        // The turn step refreshes the map and the status panel.
        EXPECT_EQ(worldWindow->m_Labels.size(), world->GetVisibles(0).size())
            << "key code " << static_cast<int>(key);
        EXPECT_EQ(Text(stat->m_lRiskNum), std::to_string(world->GetHumanPlayer()->m_Risk))
            << "key code " << static_cast<int>(key);
    }
    EXPECT_FALSE(rogueWindow->GetPointer()->IsLocallyVisible());
    EXPECT_EQ(notificationBar->buttons[0]->m_Note, nullptr);

    const std::string text = mashWindow->m_Longdata;
    Key(sf::Keyboard::Key::Space);
    EXPECT_FALSE(mashWindow->GetPointer()->IsGloballyVisible());
    EXPECT_TRUE(Frame());
    hub->BringToFront(worldWindow->GetPointer());
    Key(sf::Keyboard::Key::Space);
    EXPECT_TRUE(mashWindow->GetPointer()->IsGloballyVisible());
    EXPECT_TRUE(OnTop(mashWindow->GetPointer()));
    EXPECT_EQ(Text(mashWindow->m_Label), text);
    EXPECT_EQ(Turns(), turns);
}

// The unknown key walks down the notifications, two pokes each; keys 1 to 9
// poke create-bar buttons 0 to 8 and key 0 the tenth, here the placeholder.
TEST_F(EventfulnessTest, WithTheConsoleHiddenTheUnknownKeyAndDigitsPokeTheBars)
{
    hub->NewMessage("m1", "first long text");
    hub->NewMessage("m2", "second long text");
    Key(sf::Keyboard::Key::Space);
    const std::string text = mashWindow->m_Longdata;
    for (sf::Keyboard::Key key : {sf::Keyboard::Key::A, sf::Keyboard::Key::Enter, sf::Keyboard::Key::Numpad1,
                                  sf::Keyboard::Key::LShift})
        Key(key);
    // Escape does nothing in the hub; closing the window is the renderer's.
    hub->KeyPressed(compat::PlainKey(sf::Keyboard::Key::Escape));
    EXPECT_EQ(Turns(), 0);
    EXPECT_EQ(mashWindow->m_Longdata, text);
    EXPECT_FALSE(rogueWindow->GetPointer()->IsLocallyVisible());
    EXPECT_EQ(notificationBar->buttons[0]->m_Note, nullptr);
    for (const char* note : {"first long text", "second long text"})
    {
        BarButton* top = notificationBar->buttons.at(0);
        Key(sf::Keyboard::Key::Unknown);
        ASSERT_NE(top->m_Note, nullptr) << note;
        EXPECT_EQ(Text(top->m_Note->m_Label), note);
        Key(sf::Keyboard::Key::Unknown);
        EXPECT_FALSE(top->m_Note->Visible());
    }
    EXPECT_TRUE(notificationBar->buttons.empty());
    Key(sf::Keyboard::Key::Unknown); // an empty bar: nothing happens

    for (int n = 0; n < 9; ++n)
        AddTemplate("T" + std::to_string(n));
    for (int n = 0; n < 9; ++n)
    {
        // A spawn from template n, announced first, costs one turn.
        const size_t notifications = notificationBar->buttons.size();
        Key(static_cast<sf::Keyboard::Key>(static_cast<int>(sf::Keyboard::Key::Num1) + n));
        EXPECT_EQ(Turns(), n + 1);
        ASSERT_GT(notificationBar->buttons.size(), notifications) << n;
        EXPECT_EQ(Text(notificationBar->buttons[notifications]), "cT" + std::to_string(n));
    }
    EXPECT_FALSE(rogueWindow->GetPointer()->IsLocallyVisible());
    Key(sf::Keyboard::Key::Num0);
    EXPECT_TRUE(rogueWindow->GetPointer()->IsLocallyVisible());
    EXPECT_EQ(rogueWindow->m_TargetButton, createBar->buttons[9]);
    EXPECT_TRUE(OnTop(rogueWindow->GetPointer()));
    EXPECT_EQ(Turns(), 9);
}

// Once the game has ended, every turn, by key or by spawn, adds another
// game-over window on top, all in one place; the win comes after the loss.
TEST_F(EventfulnessTest, EveryTurnAfterTheEndAddsAnotherGameOverWindow)
{
    const auto& stack = render->m_Desktop.GetWidgets();
    auto message = [&stack] { // of the window on top: its box's label
        auto child = [](const sfg::Widget::Ptr& w) {
            return std::static_pointer_cast<sfg::Container>(w)->GetChildren().at(0);
        };
        return Text(std::dynamic_pointer_cast<sfg::Label>(child(child(stack.back()))));
    };
    const size_t windows = stack.size();
    world->m_Players[0]->m_Alive = false;
    Key(sf::Keyboard::Key::A);
    ASSERT_EQ(stack.size(), windows + 1);
    EXPECT_EQ(message(), "YOUR BASE WAS DESTROYED - GAME OVER");
    const sf::Vector2f at = stack.back()->GetAbsolutePosition();
    world->m_Players[1]->m_Alive = false;
    world->m_Players[2]->m_Alive = false;
    Click(AddTemplate("Late")->m_Button);
    ASSERT_EQ(stack.size(), windows + 3);
    EXPECT_EQ(message(), "ALL ENEMY BASES DESTROYED - CONGRATULATIONS");
    EXPECT_EQ(stack.back()->GetAbsolutePosition(), at);
    EXPECT_EQ(stack[windows + 1]->GetAbsolutePosition(), at);
    EXPECT_EQ(Turns(), 2);
    EXPECT_TRUE(Frame());
}
