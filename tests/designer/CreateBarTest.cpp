// The create bar in a running game: templates kept by the designer, and the
// right clicks and numbers that reach its buttons.
#include "DesignerFixture.h"

using CreateBarTest = DesignerFixture;

// A right click discards a template (no turn, no spawn) and renumbers the
// rest: button i is the i-th widget of the box and has index i. On the
// placeholder it does nothing, nor do numbers without a button.
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
    createBar->RemoveButton(-1);
    createBar->RemoveButton(3);
    createBar->PokeButton(-1);
    createBar->PokeButton(3);
    const Before b = Snapshot();
    Click(bar[2]->m_Button, sf::Mouse::Button::Right);
    EXPECT_EQ(createBar->buttons, bar);
    EXPECT_FALSE(DesignerShown()) << "a right click is not a poke";

    Click(bar[0]->m_Button, sf::Mouse::Button::Right);
    Frame();
    ASSERT_EQ(createBar->buttons, (std::vector<BarButton*>{bar[1], bar[2]}));
    ASSERT_EQ(createBar->m_Box->GetChildren().size(), 2u);
    for (size_t i = 0; i < 2; ++i)
        EXPECT_TRUE(createBar->buttons[i]->m_Index == static_cast<int>(i) &&
                    createBar->m_Box->GetChildren()[i] == createBar->buttons[i]->m_Button)
            << "button " << i << " has index " << createBar->buttons[i]->m_Index;
    EXPECT_FALSE(bar[0]->m_Button->IsLocallyVisible());
    // The renumbered template is removed by its own right click.
    Click(bar[1]->m_Button, sf::Mouse::Button::Right);
    EXPECT_EQ(createBar->buttons, std::vector<BarButton*>{bar[2]});
    EXPECT_EQ(world->m_Objects.size(), b.objects);
    EXPECT_EQ(Turns(), b.turns);
}
