// The world map window: the picture, one label per object the human may
// see, placed at the object's map position and classed in sixteen steps of
// visibility, rebuilt from scratch on every update.
#include "PanelFixture.h"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <list>
#include <string>

class WorldWindowTest : public PanelFixture
{
protected:
    // A loose object for the map only; the world never sees it.
    Object* Make(const std::string& name, sf::Vector2f position, float visibility)
    {
        Object* obj = new Object();
        obj->m_Rooms.push_back(new Room(PLAYERBASE));
        obj->m_Name = name;
        obj->m_Position = position;
        obj->m_VisibleToPlayer = visibility;
        return obj;
    }

    // The map holds the picture and then one label per object, in order,
    // each with its object's name and class, standing at its position on
    // the picture.
    void ExpectLabelsShow(const std::list<Object*>& objects) const
    {
        const auto& children = worldWindow->m_Fixed->GetChildren();
        ASSERT_EQ(children.size(), objects.size() + 1);
        ASSERT_EQ(worldWindow->m_Labels.size(), objects.size());
        EXPECT_EQ(children.front(), worldWindow->m_Image);
        const sf::Vector2f origin = worldWindow->m_Image->GetAbsolutePosition();
        auto label = worldWindow->m_Labels.begin();
        size_t i = 1;
        for (const Object* obj : objects)
        {
            EXPECT_EQ(children[i++], *label) << obj->m_Name;
            EXPECT_EQ((*label)->GetText().toAnsiString(), obj->m_Name);
            EXPECT_EQ((*label)->GetClass(), WorldWindow::VisibilityClass(obj->m_VisibleToPlayer)) << obj->m_Name;
            EXPECT_EQ((*label)->GetAbsolutePosition(), origin + obj->m_Position) << obj->m_Name;
            ++label;
        }
    }
};

TEST_F(WorldWindowTest, TheWindowHoldsTheMapPictureUnscaled)
{
    EXPECT_EQ(worldWindow->GetPointer()->GetAbsolutePosition(), sf::Vector2f(104, 40));
    sf::Image picture;
    ASSERT_TRUE(picture.loadFromFile("worldmap.png"));
    const sf::FloatRect image = worldWindow->m_Image->GetAllocation();
    EXPECT_EQ(sf::Vector2f(image.left, image.top), sf::Vector2f(0, 0));
    EXPECT_EQ(sf::Vector2f(image.width, image.height), sf::Vector2f(picture.getSize()));
}

TEST_F(WorldWindowTest, SixteenVisibilityClassesWithBoundariesTakingTheLowerStep)
{
    const char* const names[] = {"zero", "one", "two", "three", "four", "five", "six", "seven",
                                 "eight", "nine", "a", "b", "c", "d", "e", "f"};
    // Exactly k/16 is step k (the lower one); just above it is step k + 1;
    // everything above 15/16 is "f".
    for (int k = 0; k <= 16; ++k)
    {
        const float boundary = static_cast<float>(k) / 16.0f;
        EXPECT_STREQ(WorldWindow::VisibilityClass(boundary), names[std::min(k, 15)]) << k << "/16";
        EXPECT_STREQ(WorldWindow::VisibilityClass(boundary + 0.001f), names[std::min(k + 1, 15)]) << k << "/16+";
        if (k > 0)
        {
            EXPECT_STREQ(WorldWindow::VisibilityClass(boundary - 0.001f), names[std::min(k, 15)]) << k << "/16-";
        }
    }
    // Outside 0..1: below is "zero", above is "f".
    EXPECT_STREQ(WorldWindow::VisibilityClass(-5.0f), "zero");
    EXPECT_STREQ(WorldWindow::VisibilityClass(7.0f), "f");
    EXPECT_STREQ(WorldWindow::VisibilityClass(1e-6f), "one");
}

TEST_F(WorldWindowTest, UpdateReplacesEveryLabel)
{
    Object* home = Make("@", sf::Vector2f(0, 0), 1.0f);
    Object* scoutA = Make("Scout3", sf::Vector2f(133, 47), 0.5f);
    Object* scoutB = Make("Scout3", sf::Vector2f(321, 198), 0.1f);
    Object* enemy = Make("?", sf::Vector2f(420, 30), 0.0f);
    const std::list<Object*> all = {home, scoutA, scoutB, enemy};
    worldWindow->Update(all);
    ExpectLabelsShow(all);
    EXPECT_TRUE(Frame());

    // The same list again: the same labels, not twice as many.
    worldWindow->Update(all);
    ExpectLabelsShow(all);

    // An object missing from the next list loses its label; a changed
    // visibility or name shows.
    scoutA->m_VisibleToPlayer = 0.95f;
    enemy->m_Name = "?@";
    worldWindow->Update({enemy, scoutA});
    ExpectLabelsShow({enemy, scoutA});
    EXPECT_EQ(worldWindow->m_Labels.back()->GetClass(), "f");

    worldWindow->Update({});
    ExpectLabelsShow({});
    EXPECT_TRUE(Frame());
}

TEST_F(WorldWindowTest, AfterTurnsTheMapShowsWhatTheHumanSees)
{
    // A risk so low that no enemy finds the human's lair: it stays alive.
    world->GetHumanPlayer()->m_Risk = -1000000;
    BarButton* scout = AddTemplate("Scout", {PLAYERBASE, LOOK, PING, FORAGE});
    Key(sf::Keyboard::Space);
    for (int i = 0; i < 4; ++i)
        Click(scout->m_Button);
    Key(sf::Keyboard::Space);
    int revealed = 0;
    for (Object* obj : world->m_Objects)
    {
        if (obj->m_PlayerID != 0 && revealed < 2)
        {
            obj->m_RevealedToPlayers.push_back(0);
            obj->m_VisibleToPlayer = 0.6f;
            ++revealed;
        }
    }
    for (int turn = 0; turn < 15; ++turn)
    {
        Key(sf::Keyboard::A);
        ExpectLabelsShow(world->GetVisibles(0));
        if (HasFailure())
            return;
    }
    // The human's lair is seen afresh every turn.
    EXPECT_EQ(worldWindow->m_Labels.front()->GetText().toAnsiString(), "@");
    EXPECT_EQ(worldWindow->m_Labels.front()->GetClass(), "f");
    EXPECT_GT(worldWindow->m_Labels.size(), 5u);
    EXPECT_TRUE(Frame());
}
