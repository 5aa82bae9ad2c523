// The world map window: the picture, one label per object the human may
// see, placed at the object's map position and classed in sixteen steps of
// visibility, rebuilt from scratch on every update.
#include "PanelFixture.h"

#include <SFML/Graphics/Image.hpp>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <list>
#include <string>
#include <vector>

namespace fs = std::filesystem;

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

    // The map's children besides the picture, in order.
    std::vector<sfg::Widget::Ptr> LabelsOnTheMap() const
    {
        std::vector<sfg::Widget::Ptr> labels;
        for (const sfg::Widget::Ptr& child : worldWindow->m_Fixed->GetChildren())
        {
            if (child != worldWindow->m_Image)
                labels.push_back(child);
        }
        return labels;
    }

    // Every label matches its object: text, class, position, order.
    void ExpectLabelsShow(const std::list<Object*>& objects) const
    {
        const std::vector<sfg::Widget::Ptr> onMap = LabelsOnTheMap();
        ASSERT_EQ(onMap.size(), objects.size());
        ASSERT_EQ(worldWindow->m_Labels.size(), objects.size());
        auto label = worldWindow->m_Labels.begin();
        size_t i = 0;
        for (const Object* obj : objects)
        {
            EXPECT_EQ(onMap[i], *label) << i;
            EXPECT_EQ((*label)->GetText().toAnsiString(), obj->m_Name) << i;
            EXPECT_EQ((*label)->GetClass(), WorldWindow::VisibilityClass(obj->m_VisibleToPlayer)) << i;
            const sf::FloatRect alloc = (*label)->GetAllocation();
            EXPECT_EQ(sf::Vector2f(alloc.left, alloc.top), obj->m_Position) << obj->m_Name;
            ++label;
            ++i;
        }
    }
};

TEST_F(WorldWindowTest, TheWindowHoldsTheMapPicture)
{
    const sfg::Window::Ptr window = worldWindow->GetPointer();
    EXPECT_EQ(window, worldWindow->m_Window);
    EXPECT_TRUE(OnDesktop(window));
    EXPECT_EQ(worldWindow->m_World, world);
    EXPECT_EQ(window->GetAbsolutePosition(), sf::Vector2f(104, 40));
    EXPECT_EQ(window->GetStyle(), sfg::Window::Style::TITLEBAR | sfg::Window::Style::BACKGROUND);
    EXPECT_EQ(window->GetTitle().toAnsiString(), " ");
    EXPECT_EQ(window->GetClass(), "worldmap");
    EXPECT_EQ(window->GetChild(), worldWindow->m_Fixed);

    // The picture at the map's top-left corner, unscaled.
    sf::Image picture;
    ASSERT_TRUE(picture.loadFromFile("worldmap.png"));
    ASSERT_FALSE(worldWindow->m_Fixed->GetChildren().empty());
    EXPECT_EQ(worldWindow->m_Fixed->GetChildren().front(), worldWindow->m_Image);
    const sf::FloatRect image = worldWindow->m_Image->GetAllocation();
    EXPECT_EQ(sf::Vector2f(image.left, image.top), sf::Vector2f(0, 0));
    EXPECT_EQ(sf::Vector2f(image.width, image.height), sf::Vector2f(picture.getSize()));
    // The land the objects stand on lies on the picture.
    EXPECT_GE(picture.getSize().x, static_cast<unsigned>(MAPWIDTH));
    EXPECT_GE(picture.getSize().y, static_cast<unsigned>(MAPHEIGHT));
}

TEST_F(WorldWindowTest, WithoutThePictureLabelsAreStillPlaced)
{
    // Started from a directory without "worldmap.png".
    const fs::path original = fs::current_path();
    char pattern[] = "/tmp/worldwindow-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    fs::current_path(pattern);
    WorldWindow bare;
    const bool built = bare.Init(world);
    fs::current_path(original);
    fs::remove_all(pattern);
    ASSERT_TRUE(built);

    EXPECT_EQ(bare.m_Image->GetImage().getSize(), sf::Vector2u(0, 0));
    EXPECT_EQ(bare.m_Image->GetRequisition(), sf::Vector2f(0, 0));
    Object* obj = Make("lone", sf::Vector2f(200, 120), 1.0f);
    bare.Update({obj});
    ASSERT_EQ(bare.m_Labels.size(), 1u);
    const sf::FloatRect alloc = bare.m_Labels.front()->GetAllocation();
    EXPECT_EQ(sf::Vector2f(alloc.left, alloc.top), sf::Vector2f(200, 120));
}

TEST_F(WorldWindowTest, SixteenVisibilityClassesWithBoundariesTakingTheLowerStep)
{
    const char* const names[] = {"zero", "one", "two",   "three", "four", "five", "six", "seven",
                                 "eight", "nine", "a",   "b",     "c",    "d",    "e",   "f"};
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
    struct Case
    {
        float visibility;
        const char* cls;
    };
    const Case cases[] = {{0.0f, "zero"},     {-0.025f, "zero"},  {-5.0f, "zero"}, {0.0625f, "one"},
                          {0.5f, "eight"},    {0.5625f, "nine"},  {0.875f, "e"},   {0.9f, "f"},
                          {1.0f, "f"},        {1.0f - 0.025f, "f"}, {0.3f, "five"}, {0.6875f, "b"},
                          {0.7f, "c"},        {1e-6f, "one"},     {7.0f, "f"}};
    std::list<Object*> objects;
    for (const Case& c : cases)
    {
        EXPECT_STREQ(WorldWindow::VisibilityClass(c.visibility), c.cls) << c.visibility;
        objects.push_back(Make("v" + std::to_string(c.visibility), sf::Vector2f(10, 10), c.visibility));
    }
    // And on the map.
    worldWindow->Update(objects);
    size_t i = 0;
    for (const sfg::Label::Ptr& label : worldWindow->m_Labels)
        EXPECT_EQ(label->GetClass(), cases[i++].cls) << cases[i - 1].visibility;
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
    // An object at (0, 0) sits at the picture's top-left corner.
    EXPECT_EQ(worldWindow->m_Labels.front()->GetAbsolutePosition(), worldWindow->m_Image->GetAbsolutePosition());
    EXPECT_TRUE(Frame());

    // The same list again: the same labels, not twice as many.
    worldWindow->Update(all);
    ExpectLabelsShow(all);

    // An object missing from the next list loses its label; a changed
    // visibility or name shows.
    scoutA->m_VisibleToPlayer = 0.95f;
    enemy->m_Name = "?@";
    const std::list<Object*> fewer = {enemy, scoutA};
    worldWindow->Update(fewer);
    ExpectLabelsShow(fewer);
    EXPECT_TRUE(Frame());

    // An empty list leaves only the picture.
    worldWindow->Update({});
    EXPECT_TRUE(worldWindow->m_Labels.empty());
    ASSERT_EQ(worldWindow->m_Fixed->GetChildren().size(), 1u);
    EXPECT_EQ(worldWindow->m_Fixed->GetChildren().front(), worldWindow->m_Image);
    EXPECT_TRUE(Frame());
}

TEST_F(WorldWindowTest, AfterTurnsTheMapShowsWhatTheHumanSees)
{
    // Start-up's first refresh already showed the human's lair.
    ASSERT_FALSE(worldWindow->m_Labels.empty());
    EXPECT_EQ(worldWindow->m_Labels.front()->GetText().toAnsiString(), "@");

    // Some human objects and some revealed enemies, then turns by key press.
    // A risk so low that no enemy ever finds the human's lair: it must stay
    // alive for this test.
    world->GetHumanPlayer()->m_Risk = -1000000;
    BarButton* scout = AddTemplate("Scout", {PLAYERBASE, LOOK, PING, FORAGE});
    Key(sf::Keyboard::Space);
    for (int i = 0; i < 6; ++i)
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
    for (int turn = 0; turn < 30; ++turn)
    {
        Key(sf::Keyboard::A);
        ExpectLabelsShow(world->GetVisibles(0));
        if (HasFailure())
            return;
    }
    EXPECT_EQ(Turns(), 36);
    // The human's lair is seen afresh every turn.
    ASSERT_TRUE(world->m_Objects.front()->m_Alive);
    EXPECT_EQ(worldWindow->m_Labels.front()->GetText().toAnsiString(), "@");
    EXPECT_EQ(worldWindow->m_Labels.front()->GetClass(), "f");
    // Labels sit on the map picture where their objects stand.
    const sf::Vector2f mapOrigin = worldWindow->m_Image->GetAbsolutePosition();
    auto label = worldWindow->m_Labels.begin();
    for (const Object* obj : world->GetVisibles(0))
    {
        EXPECT_EQ((*label)->GetAbsolutePosition(), mapOrigin + obj->m_Position) << obj->m_Name;
        ++label;
    }
    EXPECT_TRUE(Frame());
}
