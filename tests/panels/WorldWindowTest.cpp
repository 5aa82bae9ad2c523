// The world map window: its picture, and one label per object the human may
// see, placed at the object's map position and classed in sixteen steps of
// visibility, rebuilt from scratch on every update.
#include "GameFixture.h"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <list>

class WorldWindowTest : public GameFixture
{
protected:
    // A loose object for the map only; the world never sees it.
    static Object* Make(const std::string& name, sf::Vector2f position, float visibility)
    {
        Object* obj = new Object();
        obj->m_Name = name;
        obj->m_Position = position;
        obj->m_VisibleToPlayer = visibility;
        return obj;
    }

    // The picture, then one label per object in order, with its name and
    // class, standing at its position on the picture.
    void ExpectLabelsShow(const std::list<Object*>& objects) const
    {
        const auto& children = worldWindow->m_Fixed->GetChildren();
        ASSERT_EQ(children.size(), objects.size() + 1);
        EXPECT_EQ(children[0], worldWindow->m_Image);
        size_t i = 0;
        for (const Object* obj : objects)
        {
            const auto label = std::dynamic_pointer_cast<sfg::Label>(children[++i]);
            ASSERT_TRUE(label) << obj->m_Name;
            EXPECT_EQ(Text(label), obj->m_Name);
            EXPECT_EQ(label->GetClass(), WorldWindow::VisibilityClass(obj->m_VisibleToPlayer)) << obj->m_Name;
            EXPECT_EQ(label->GetAbsolutePosition(),
                      worldWindow->m_Image->GetAbsolutePosition() + obj->m_Position);
        }
    }
};

TEST_F(WorldWindowTest, SixteenVisibilityClassesWithBoundariesTakingTheLowerStep)
{
    const char* const* names = VisibilityClasses;
    // Exactly k/16 is step k (the lower one); just above it is step k + 1;
    // everything above 15/16 is "f", everything up to 0 is "zero".
    for (int k = 0; k <= 16; ++k)
    {
        const float boundary = static_cast<float>(k) / 16.0f;
        EXPECT_STREQ(WorldWindow::VisibilityClass(boundary), names[std::min(k, 15)]) << k << "/16";
        EXPECT_STREQ(WorldWindow::VisibilityClass(boundary + 0.001f), names[std::min(k + 1, 15)])
            << k << "/16+";
        EXPECT_STREQ(WorldWindow::VisibilityClass(boundary - 0.001f), names[std::min(k, 15)]) << k << "/16-";
    }
    EXPECT_STREQ(WorldWindow::VisibilityClass(-5.0f), names[0]);
    EXPECT_STREQ(WorldWindow::VisibilityClass(7.0f), names[15]);
}

TEST_F(WorldWindowTest, UpdateReplacesEveryLabel)
{
    // Under the labels, the map's picture, unscaled.
    sf::Image picture;
    ASSERT_TRUE(picture.loadFromFile("worldmap.png"));
    EXPECT_EQ(worldWindow->m_Image->GetRequisition(), sf::Vector2f(picture.getSize()));
    Object* home = Make("@", sf::Vector2f(0, 0), 1.0f);
    Object* scoutA = Make("Scout3", sf::Vector2f(133, 47), 0.5f);
    Object* scoutB = Make("Scout3", sf::Vector2f(321, 198), 0.1f);
    Object* enemy = Make("?", sf::Vector2f(420, 30), 0.0f);
    // The same list twice: the same labels, not twice as many.
    for (int twice = 0; twice < 2; ++twice)
    {
        worldWindow->Update({home, scoutA, scoutB, enemy});
        ExpectLabelsShow({home, scoutA, scoutB, enemy});
    }
    EXPECT_TRUE(Frame());
    // An object missing from the next list loses its label; a changed
    // visibility or name shows.
    scoutA->m_VisibleToPlayer = 0.95f;
    enemy->m_Name = "?@";
    worldWindow->Update({enemy, scoutA});
    ExpectLabelsShow({enemy, scoutA});
    worldWindow->Update({});
    ExpectLabelsShow({});
    EXPECT_TRUE(Frame());
}
