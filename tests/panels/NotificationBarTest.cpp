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

    // Numbered from 100 in order, and exactly the box's children.
    void ExpectConsistent() const
    {
        const auto& children = notificationBar->m_Box->GetChildren();
        ASSERT_EQ(children.size(), notificationBar->buttons.size());
        for (size_t i = 0; i < children.size(); ++i)
        {
            EXPECT_EQ(children[i], notificationBar->buttons[i]->m_Button) << i;
            EXPECT_EQ(notificationBar->buttons[i]->m_Index, static_cast<int>(i) + 100) << i;
        }
    }
};

TEST_F(NotificationTest, MessagesStackTopToBottomAndRemovalRenumbers)
{
    hub->NewMessage("?@", "New enemy Base discovered");
    hub->NewMessage("", "two\nlines ");
    hub->NewMessage("c", "long c");
    Frame();
    EXPECT_EQ(Labels(), (std::vector<std::string>{"?@", "", "c"}));
    EXPECT_EQ(notificationBar->buttons[1]->m_NoteString, "two\nlines ");
    ExpectConsistent();
    // The bar is 64 pixels wide whatever its labels.
    EXPECT_EQ(notificationBar->GetPointer()->GetAllocation().width, 64.0f);

    BarButton* a = notificationBar->buttons[0];
    BarButton* b = notificationBar->buttons[1];
    const float topY = a->m_Button->GetAbsolutePosition().y;
    // Missing numbers change nothing, for pokes and removals alike.
    for (int index : {3, 7, -1})
    {
        notificationBar->PokeNotification(index);
        notificationBar->RemoveNotification(index);
    }
    EXPECT_EQ(Labels(), (std::vector<std::string>{"?@", "", "c"}));
    for (const BarButton* button : notificationBar->buttons)
        EXPECT_EQ(button->m_Note, nullptr);

    notificationBar->RemoveNotification(0);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"", "c"}));
    ExpectConsistent();
    EXPECT_FALSE(a->m_Button->IsLocallyVisible());
    EXPECT_EQ(b->m_Button->GetAbsolutePosition().y, topY);

    // A poke opens, the next one removes.
    notificationBar->PokeNotification(1);
    ASSERT_NE(notificationBar->buttons[1]->m_Note, nullptr);
    EXPECT_EQ(notificationBar->buttons[1]->m_Note->m_Label->GetText().toAnsiString(), "long c");
    notificationBar->PokeNotification(1);
    EXPECT_EQ(Labels(), std::vector<std::string>{""});
    EXPECT_TRUE(Frame());
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
    EXPECT_TRUE(OnTop(first->GetPointer()));
    EXPECT_EQ(first->GetPointer()->GetAbsolutePosition(), b->m_Button->GetAbsolutePosition() + sf::Vector2f(64, 0));
    EXPECT_EQ(first->m_Label->GetText().toAnsiString(), "the long text of b");
    EXPECT_TRUE(Frame());

    // Open -> closed: a click on the note, its text included.
    Click(first->m_Label);
    EXPECT_FALSE(first->Visible());
    EXPECT_EQ(Labels(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(Frame());

    // Closed -> open again: a fresh note; the hidden one stays hidden.
    Click(b->m_Button);
    Note* second = b->m_Note;
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_TRUE(second->Visible());
    EXPECT_FALSE(first->Visible());
    EXPECT_EQ(DesktopWindows().size(), windows + 2);
    EXPECT_TRUE(Frame());

    // Open -> removed, from inside the button's own click handler.
    Click(b->m_Button);
    EXPECT_FALSE(second->Visible());
    EXPECT_EQ(Labels(), (std::vector<std::string>{"a", "c"}));
    ExpectConsistent();
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
    ExpectConsistent();
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
