// The notification bar and its notes inside the whole game: messages become
// buttons, clicks on a button and on its note walk a notification through
// open, closed and removed, and the bar keeps its order and numbering.
// Removal happens inside the removed button's own click handler; the
// sanitizer build runs these tests too.
#include "GameFixture.h"

#include <vector>

class NotificationBarTest : public GameFixture
{
protected:
    using Strings = std::vector<std::string>;

    // The labels top to bottom, after checking that the buttons are exactly
    // the box's children and numbered from 100 in order.
    Strings Labels() const
    {
        Strings labels;
        const auto& children = notificationBar->m_Box->GetChildren();
        EXPECT_EQ(children.size(), notificationBar->buttons.size());
        for (size_t i = 0; i < notificationBar->buttons.size() && i < children.size(); ++i)
        {
            EXPECT_EQ(children[i], notificationBar->buttons[i]->m_Button) << i;
            EXPECT_EQ(notificationBar->buttons[i]->m_Index, static_cast<int>(i) + 100) << i;
            labels.push_back(Text(notificationBar->buttons[i]));
        }
        return labels;
    }
};

TEST_F(NotificationBarTest, MessagesStackTopToBottomAndRemovalRenumbers)
{
    for (const char* text : {"a", "", "c"})
        hub->NewMessage(text, std::string("the long text of ") + text);
    EXPECT_EQ(Labels(), (Strings{"a", "", "c"}));
    // Missing numbers change nothing, for pokes and removals alike.
    for (int index : {3, -1})
    {
        notificationBar->PokeNotification(index);
        notificationBar->RemoveNotification(index);
    }
    EXPECT_EQ(Labels(), (Strings{"a", "", "c"}));
    EXPECT_EQ(notificationBar->buttons[2]->m_Note, nullptr);
    BarButton* a = notificationBar->buttons[0];
    const float topY = a->m_Button->GetAbsolutePosition().y;
    notificationBar->RemoveNotification(0);
    EXPECT_EQ(Labels(), (Strings{"", "c"}));
    EXPECT_FALSE(a->m_Button->IsLocallyVisible());
    EXPECT_EQ(notificationBar->buttons[0]->m_Button->GetAbsolutePosition().y, topY);
    EXPECT_TRUE(Frame());
}

TEST_F(NotificationBarTest, ClicksWalkANotificationThroughItsWholeLife)
{
    for (const char* text : {"a", "b", "c"})
        hub->NewMessage(text, std::string("the long text of ") + text);
    Frame();
    BarButton* b = notificationBar->buttons[1];
    // Unread -> open: a new note beside the bar, level with the button.
    Click(b->m_Button);
    Note* first = b->m_Note;
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->Visible());
    EXPECT_TRUE(OnTop(first->GetPointer()));
    EXPECT_EQ(first->GetPointer()->GetAbsolutePosition(),
              b->m_Button->GetAbsolutePosition() + sf::Vector2f(64, 0));
    EXPECT_EQ(Text(first->m_Label), "the long text of b");
    // Open -> closed: a click on the note, its text included.
    Click(first->m_Label);
    EXPECT_FALSE(first->Visible());
    EXPECT_EQ(Labels(), (Strings{"a", "b", "c"}));
    // Closed -> open again: a fresh note; the hidden one stays hidden.
    Click(b->m_Button);
    ASSERT_NE(b->m_Note, first);
    EXPECT_TRUE(b->m_Note->Visible());
    EXPECT_FALSE(first->Visible());
    // Open -> removed, from inside the button's own click handler.
    Click(b->m_Button);
    EXPECT_FALSE(b->m_Note->Visible());
    EXPECT_EQ(Labels(), (Strings{"a", "c"}));
    EXPECT_TRUE(Frame());

    // A right click removes too and leaves an open note open; a click on
    // that note still closes it.
    BarButton* a = notificationBar->buttons[0];
    Click(a->m_Button);
    ASSERT_NE(a->m_Note, nullptr);
    Click(a->m_Button, sf::Mouse::Button::Right);
    EXPECT_EQ(Labels(), Strings{"c"});
    EXPECT_TRUE(a->m_Note->Visible());
    Click(a->m_Note->m_Label);
    EXPECT_FALSE(a->m_Note->Visible());
    EXPECT_EQ(Turns(), 0);
    EXPECT_TRUE(Frame());
}
