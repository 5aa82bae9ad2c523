// The create bar in a running game: templates kept by the designer, and the
// right clicks and numbers that reach its buttons.
#include "DesignerFixture.h"

class CreateBarTest : public DesignerFixture
{
protected:
    // Button i is the i-th widget of the box and has index i.
    void ExpectBar(const std::vector<BarButton*>& expected) const
    {
        ASSERT_EQ(createBar->buttons, expected);
        ASSERT_EQ(createBar->m_Box->GetChildren().size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_TRUE(expected[i]->m_Index == static_cast<int>(i) &&
                        createBar->m_Box->GetChildren()[i] == expected[i]->m_Button)
                << "button " << i << " has index " << expected[i]->m_Index;
    }
};

// A right click discards a template (no turn, no spawn) and renumbers the
// rest. On the placeholder it does nothing, nor do numbers without a button.
// RemoveNewButton takes off a placeholder at the end, and nothing else.
TEST_F(CreateBarTest, RightClicksRemoveTemplatesOnly)
{
    for (RoomType kind : {LOOK, FORAGE}) // kept as "Inventory" keeps a design
    {
        hub->NewButtonPoked(createBar->buttons.back());
        Designer().Place(PLAYERBASE, 0, 0);
        Designer().Place(kind, 5, 0);
        rogueWindow->Inventory();
    }
    const std::vector<BarButton*> bar = createBar->buttons; // two templates and the placeholder
    ASSERT_EQ(bar.size(), 3u);
    ExpectBar(bar); // numbered as they came, before anything renumbers them
    createBar->RemoveButton(-1);
    createBar->RemoveButton(3);
    createBar->PokeButton(-1);
    createBar->PokeButton(3);
    const Before b = Snapshot();
    Click(bar[2]->m_Button, sf::Mouse::Button::Right);
    ExpectBar(bar);
    EXPECT_FALSE(DesignerShown()) << "a right click is not a poke";

    Click(bar[0]->m_Button, sf::Mouse::Button::Right);
    Frame();
    ExpectBar({bar[1], bar[2]});
    EXPECT_FALSE(bar[0]->m_Button->IsLocallyVisible());
    createBar->RemoveNewButton();
    createBar->RemoveNewButton(); // now ending in a template: nothing
    ExpectBar({bar[1]});
    // The renumbered template is removed by its own right click.
    Click(bar[1]->m_Button, sf::Mouse::Button::Right);
    ExpectBar({});
    createBar->RemoveNewButton();
    EXPECT_EQ(world->m_Objects.size(), b.objects);
    EXPECT_EQ(Turns(), b.turns);
    ExpectBar({createBar->AddNewButton()});
    EXPECT_EQ(Text(createBar->buttons[0]), "~new");
}
