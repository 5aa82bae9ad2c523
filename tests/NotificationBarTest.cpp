// The notification bar and its notes inside the whole game: messages become
// buttons, clicks on a button and on its note walk a notification through
// open, closed and removed, and the bar keeps its order and numbering.
// Removal happens inside the removed button's own click handler; the
// sanitizer build runs these tests too.
#include "PanelFixture.h"

#include <string>
#include <vector>

class NotificationTest : public PanelFixture
{
protected:
    std::vector<std::string> Labels() const
    {
        std::vector<std::string> labels;
        for (const BarButton* button : notificationBar->buttons)
            labels.push_back(button->m_Button->GetLabel().toAnsiString());
        return labels;
    }

    std::vector<int> Indices() const
    {
        std::vector<int> indices;
        for (const BarButton* button : notificationBar->buttons)
            indices.push_back(button->m_Index);
        return indices;
    }

    // The bar's buttons are exactly the box's children, in order.
    void ExpectBoxMatchesButtons() const
    {
        const auto& children = notificationBar->m_Box->GetChildren();
        ASSERT_EQ(children.size(), notificationBar->buttons.size());
        for (size_t i = 0; i < children.size(); ++i)
            EXPECT_EQ(children[i], notificationBar->buttons[i]->m_Button) << i;
    }
};

TEST_F(NotificationTest, TheBarIsAStripAlongTheLeftEdge)
{
    const sfg::Window::Ptr window = notificationBar->GetPointer();
    EXPECT_EQ(window, notificationBar->m_Window);
    EXPECT_TRUE(OnDesktop(window));
    EXPECT_EQ(window->GetAbsolutePosition(), sf::Vector2f(0, 0));
    EXPECT_EQ(window->GetStyle(), sfg::Window::Style::BACKGROUND);
    EXPECT_EQ(window->GetTitle().toAnsiString(), " ");
    EXPECT_EQ(window->GetClass(), "vbar");
    EXPECT_EQ(window->GetChild(), notificationBar->m_Box);
    EXPECT_EQ(notificationBar->m_Box->GetOrientation(), sfg::Box::Orientation::VERTICAL);
    EXPECT_EQ(notificationBar->m_Box->GetSpacing(), 5.0f);
    EXPECT_TRUE(notificationBar->buttons.empty());

    hub->NewMessage("!p", "x");
    Frame();
    // 64 pixels wide and as tall as the screen; short labels do not widen it.
    EXPECT_EQ(window->GetAllocation().width, 64.0f);
    EXPECT_GE(window->GetAllocation().height, static_cast<float>(glob->resolution.y));
}

TEST_F(NotificationTest, MessagesStackTopToBottomNumberedFromAHundred)
{
    hub->NewMessage("?@", "New enemy Base discovered");
    hub->NewMessage("fl", "New data: Look found by Scout12");
    hub->NewMessage("", "no short text");
    EXPECT_EQ(Labels(), (std::vector<std::string>{"?@", "fl", ""}));
    EXPECT_EQ(Indices(), (std::vector<int>{100, 101, 102}));
    EXPECT_EQ(notificationBar->buttons[1]->m_NoteString, "New data: Look found by Scout12");
    ExpectBoxMatchesButtons();

    float y = -1;
    for (const BarButton* button : notificationBar->buttons)
    {
        EXPECT_EQ(button->m_Button->GetClass(), "vbar");
        EXPECT_EQ(button->m_Note, nullptr);
        EXPECT_EQ(button->m_Obj, nullptr);
        // Filling the bar's width, below the previous one.
        EXPECT_EQ(button->m_Button->GetAllocation().width, notificationBar->m_Box->GetAllocation().width);
        EXPECT_GT(button->m_Button->GetAbsolutePosition().y, y);
        y = button->m_Button->GetAbsolutePosition().y;
    }
}

TEST_F(NotificationTest, RemovingRenumbersAndOutOfRangeNumbersChangeNothing)
{
    for (const char* text : {"a", "b", "c"})
        hub->NewMessage(text, std::string("long ") + text);
    BarButton* a = notificationBar->buttons[0];
    BarButton* b = notificationBar->buttons[1];
    const float topY = a->m_Button->GetAbsolutePosition().y;

    notificationBar->RemoveNotification(0);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(Indices(), (std::vector<int>{100, 101}));
    ExpectBoxMatchesButtons();
    // The removed button is hidden and detached but still usable; the rest
    // moved up.
    EXPECT_FALSE(a->m_Button->IsLocallyVisible());
    EXPECT_EQ(a->m_Button->GetParent(), nullptr);
    EXPECT_EQ(a->m_NoteString, "long a");
    EXPECT_EQ(b->m_Button->GetAbsolutePosition().y, topY);

    for (int index : {5, 2, -1, -100})
    {
        notificationBar->RemoveNotification(index);
        EXPECT_EQ(Labels(), (std::vector<std::string>{"b", "c"})) << index;
        EXPECT_EQ(Indices(), (std::vector<int>{100, 101})) << index;
    }
    notificationBar->RemoveNotification(1);
    notificationBar->RemoveNotification(0);
    EXPECT_TRUE(notificationBar->buttons.empty());
    EXPECT_TRUE(notificationBar->m_Box->GetChildren().empty());
    EXPECT_TRUE(Frame());
}

TEST_F(NotificationTest, PokesOpenThenRemoveAndIgnoreMissingNumbers)
{
    notificationBar->PokeNotification(0);
    notificationBar->PokeNotification(-1);

    hub->NewMessage("a", "alpha");
    hub->NewMessage("b", "beta");
    for (int index : {2, 7, -1})
        notificationBar->PokeNotification(index);
    for (const BarButton* button : notificationBar->buttons)
        EXPECT_EQ(button->m_Note, nullptr);

    // The second notification directly: open, then removed.
    BarButton* b = notificationBar->buttons[1];
    notificationBar->PokeNotification(1);
    ASSERT_NE(b->m_Note, nullptr);
    EXPECT_EQ(b->m_Note->m_Label->GetText().toAnsiString(), "beta");
    notificationBar->PokeNotification(1);
    EXPECT_FALSE(b->m_Note->Visible());
    EXPECT_EQ(Labels(), std::vector<std::string>{"a"});
}

TEST_F(NotificationTest, ClicksWalkANotificationThroughItsWholeLife)
{
    for (const char* text : {"a", "b", "c"})
        hub->NewMessage(text, std::string("the long text of ") + text);
    Frame();
    BarButton* b = notificationBar->buttons[1];
    const size_t windows = DesktopWindows().size();

    // Unread -> open: a new note beside the bar, level with the button.
    Click(b->m_Button);
    Note* first = b->m_Note;
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->Visible());
    EXPECT_EQ(DesktopWindows().size(), windows + 1);
    EXPECT_TRUE(OnTop(first->GetPointer()));
    EXPECT_EQ(first->GetPointer()->GetAbsolutePosition(), b->m_Button->GetAbsolutePosition() + sf::Vector2f(64, 0));
    EXPECT_EQ(first->m_Label->GetText().toAnsiString(), "the long text of b");
    EXPECT_EQ(first->GetPointer()->GetStyle(), sfg::Window::Style::BACKGROUND);
    EXPECT_EQ(first->GetPointer()->GetClass(), "note");
    EXPECT_EQ(first->m_Label->GetClass(), "note");
    EXPECT_TRUE(Frame());

    // Open -> closed: a click anywhere on the note, its text included.
    Click(first->m_Label);
    EXPECT_FALSE(first->Visible());
    EXPECT_TRUE(OnDesktop(first->GetPointer()));
    EXPECT_EQ(Labels(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(Frame());

    // Closed -> open again: a fresh note; the hidden one stays hidden.
    Click(b->m_Button);
    Note* second = b->m_Note;
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_TRUE(second->Visible());
    EXPECT_FALSE(first->Visible());
    EXPECT_EQ(second->m_Label->GetText().toAnsiString(), "the long text of b");
    EXPECT_EQ(DesktopWindows().size(), windows + 2);
    EXPECT_TRUE(Frame());

    // Open -> removed: the note closes and the message leaves the bar, from
    // inside the button's own click handler.
    Click(b->m_Button);
    EXPECT_FALSE(second->Visible());
    EXPECT_EQ(Labels(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(Indices(), (std::vector<int>{100, 101}));
    ExpectBoxMatchesButtons();
    EXPECT_FALSE(b->m_Button->IsLocallyVisible());
    EXPECT_EQ(DesktopWindows().size(), windows + 2);
    EXPECT_TRUE(Frame());

    // The button below moved up into the freed place and works as before.
    BarButton* c = notificationBar->buttons[1];
    Click(c->m_Button);
    ASSERT_NE(c->m_Note, nullptr);
    EXPECT_EQ(c->m_Note->GetPointer()->GetAbsolutePosition(), c->m_Button->GetAbsolutePosition() + sf::Vector2f(64, 0));
    EXPECT_TRUE(Frame());
}

TEST_F(NotificationTest, RightClickRemovesAndLeavesAnOpenNoteOpen)
{
    hub->NewMessage("a", "alpha");
    hub->NewMessage("b", "beta");
    BarButton* a = notificationBar->buttons[0];
    BarButton* b = notificationBar->buttons[1];

    Click(a->m_Button);
    ASSERT_NE(a->m_Note, nullptr);
    Click(a->m_Button, sf::Mouse::Right);
    EXPECT_EQ(Labels(), std::vector<std::string>{"b"});
    EXPECT_EQ(b->m_Index, 100);
    EXPECT_TRUE(a->m_Note->Visible());
    EXPECT_TRUE(Frame());
    // The orphaned note still closes on a click.
    Click(a->m_Note->m_Label);
    EXPECT_FALSE(a->m_Note->Visible());

    // Without a note: removed, and no note appears.
    Click(b->m_Button, sf::Mouse::Right);
    EXPECT_TRUE(notificationBar->buttons.empty());
    EXPECT_EQ(b->m_Note, nullptr);
    EXPECT_EQ(Turns(), 0);
    EXPECT_TRUE(Frame());
}

TEST_F(NotificationTest, ManyRemovalsFromInsideClickHandlers)
{
    // Messages arrive while earlier ones are being read and dismissed, with
    // frames in between: the bar and the desktop stay consistent.
    for (int i = 0; i < 30; ++i)
        hub->NewMessage("n" + std::to_string(i), "text " + std::to_string(i));
    int next = 30;
    while (!notificationBar->buttons.empty())
    {
        BarButton* top = notificationBar->buttons[0];
        const std::string label = top->m_Button->GetLabel().toAnsiString();
        Click(top->m_Button);
        Frame();
        if (next % 3 == 0)
            Click(top->m_Button, sf::Mouse::Right);
        else
            Click(top->m_Button);
        ASSERT_TRUE(notificationBar->buttons.empty() || notificationBar->buttons[0] != top) << label;
        if (next < 45)
            hub->NewMessage("n" + std::to_string(next), "late");
        ++next;
        Frame();
        for (size_t i = 0; i < notificationBar->buttons.size(); ++i)
            ASSERT_EQ(notificationBar->buttons[i]->m_Index, static_cast<int>(i) + 100);
    }
    ExpectBoxMatchesButtons();
    EXPECT_TRUE(Frame());
}

TEST_F(NotificationTest, ANoteOnItsOwn)
{
    Note note;
    EXPECT_TRUE(note.Init("a long\ntext"));
    const sfg::Window::Ptr window = note.GetPointer();
    EXPECT_EQ(window, note.m_Window);
    EXPECT_EQ(window->GetAbsolutePosition(), sf::Vector2f(100, 100));
    EXPECT_EQ(window->GetTitle().toAnsiString(), " ");
    EXPECT_EQ(note.m_Label->GetText().toAnsiString(), "a long\ntext");
    // Its size follows from the text.
    EXPECT_GE(window->GetRequisition().x, note.m_Label->GetRequisition().x);
    EXPECT_GE(window->GetRequisition().y, note.m_Label->GetRequisition().y);
    EXPECT_TRUE(note.Visible());

    note.SetPosition(sf::Vector2f(70, 155));
    EXPECT_EQ(window->GetAbsolutePosition(), sf::Vector2f(70, 155));
    note.OnClick();
    EXPECT_FALSE(note.Visible());
    note.OnClick();
    EXPECT_FALSE(note.Visible());
}
