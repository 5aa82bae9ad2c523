// The object designer: the dungeon it draws from the placed rooms, the
// placements it refuses, and the whole round trip through its real widgets
// (choice column, grid, "Inventory", "Delete", "Spawn") in a running game.
#include "DesignerFixture.h"

#include <SFGUI/Context.hpp>

using RogueWindowTest = DesignerFixture;

// Corridors run from the first room to every other, and one more from the
// third to the fourth (the one down column 5 here). The three shapes show:
// up then across (to the l), across-up-across (to the f), across then down.
TEST_F(RogueWindowTest, FourRoomsGiveFourCorridors)
{
    ExpectPicture({{PLAYERBASE, 20, 6}, {LOOK, 1, 1}, {FORAGE, 36, 1}, {LOOK, 2, 12}},
                  {
                      "                                              ",
                      " -----                              -----     ",
                      " |...|                              |...|     ",
                      " |.l.|##############################|.f.|     ",
                      " |...|               #       #      |...|     ",
                      " -----               #       #      -----     ",
                      "     #              -----    #                ",
                      "     #              |...|    #                ",
                      "   #################|.@.|#####                ",
                      "   # #              |...|                     ",
                      "   # #              -----                     ",
                      "   # #                                        ",
                      "  -----                                       ",
                      "  |...|                                       ",
                      "  |.l.|                                       ",
                      "  |...|                                       ",
                      "  -----                                       ",
                      "                                              ",
                  });
    EXPECT_EQ(Designer().Description(), "lfl");
}

// Every kind packed from edge to edge (weapon rooms scatter their letter);
// the same rooms give the same picture however the design got there.
TEST_F(RogueWindowTest, EveryKindAndTheSamePictureTwice)
{
    const Rooms rooms = {{PLAYERBASE, 36, 0}, {ROCK, 0, 0},     {BPAPER, 12, 0}, {XSCISSORS, 24, 0},
                         {LOOK, 41, 0},       {TEMPLATE, 0, 7}, {CREATE, 14, 7}, {PING, 28, 7},
                         {PINGFAKE, 37, 7},   {FORAGE, 41, 13}, {SNOOP, 28, 13}};
    const Picture expected = {
        "----------------------------------------------", "|...R..RR..||..........||.X.......X||...||...|",
        "|..........||B...B..BB.||..........||.@.||.l.|", "|.....R....||.....B....||XX...X..XX||...||...|",
        "|....R.....||..........||..........|----------", "|..........||.....B....||..........|####      ",
        "------------------------------------#  #      ", "----------------------------------------------",
        "|............||............||.......||.......|", "|............||............||.<.p.>.||...b...|",
        "|............||............||.......||.......|", "|......T.....||......C.....|------------------",
        "|............||............|       #   #      ", "|............||............|-----####### -----",
        "|............||............||...|  #   # |...|", "----------------------------|.s.|###   ##|.f.|",
        "                            |...|        |...|", "                            -----        -----",
    };
    ExpectPicture(rooms, expected);
    ExpectPicture(rooms, expected);
    EXPECT_EQ(Designer().Description(), "RBXlTCpbfs");
    for (const RogueButton* cell : Designer().Cells())
        ASSERT_EQ(cell->m_Button->GetLabel().toAnsiString(), std::string(1, cell->m_ButtonChar));
}

// ------------------------------------------------------------ refusals

// The base first and once; a room may touch the base (wall against wall, or
// corner to corner) but not share a cell with it, nor leave the grid.
TEST_F(RogueWindowTest, PlacementRules)
{
    const std::tuple<RoomType, int, int, bool> tries[] = {
        {LOOK, 10, 5, false},       {ROCK, 10, 5, false},
        {PING, 10, 5, false},       {TEMPLATE, 10, 5, false},
        {PLAYERBASE, 42, 0, false}, {PLAYERBASE, 0, 14, false}, // over the right or bottom edge
        {PLAYERBASE, 10, 5, true},                              // columns 10..14, rows 5..9
        {PLAYERBASE, 30, 5, false}, {LOOK, 6, 1, false},
        {LOOK, 6, 9, false},        {ROCK, 0, 3, false},
        {LOOK, 15, 5, true},        {LOOK, 5, 5, true},
        {LOOK, 10, 10, true},       {LOOK, 10, 0, true},
        {LOOK, 15, 10, true}};
    for (const auto& [type, x, y, accepted] : tries)
    {
        const size_t before = Designer().Rooms().size();
        Designer().Place(type, x, y);
        EXPECT_EQ(Designer().Rooms().size(), before + accepted)
            << RoomTypeToChar(type) << " at " << x << ", " << y;
    }
    // Any room sharing a cell with the base, walls included, is refused.
    for (int x = 10; x < 15; ++x)
        for (int y = 5; y < 10; ++y)
            Designer().Place(LOOK, x, y);
    ASSERT_EQ(Designer().Rooms().size(), 6u);
    EXPECT_EQ(Designer().Picture()[7].substr(5, 15), "|.l.||.@.||.l.|");

    // Each kind fits exactly up to the right and bottom edges of the grid:
    // its size is what is left of the grid at the largest left and top.
    const std::tuple<RoomType, int, int> limits[] = {{LOOK, 41, 13},      {FORAGE, 41, 13},  {PING, 37, 13},
                                                     {PINGFAKE, 37, 13},  {ROCK, 34, 11},    {BPAPER, 34, 11},
                                                     {XSCISSORS, 34, 11}, {TEMPLATE, 32, 9}, {CREATE, 32, 9}};
    for (const auto& [type, maxLeft, maxTop] : limits)
    {
        Designer().Place(type, maxLeft + 1, 0);
        Designer().Place(type, 20, maxTop + 1);
        Designer().Place(type, maxLeft, maxTop);
        ASSERT_EQ(Designer().Rooms().size(), 7u) << RoomTypeToChar(type);
        EXPECT_EQ(Designer().Rooms()[6]->space,
                  sf::IntRect({maxLeft, maxTop}, {GRIDWIDTH - maxLeft, GRIDHEIGHT - maxTop}));
        Designer().Remove(45, 17);
    }

    // With the base taken away only a base may be placed, and it joins at
    // the end.
    Designer().Remove(14, 7); // a side wall of the base
    Designer().Place(LOOK, 10, 5);
    Designer().Place(PLAYERBASE, 10, 5);
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{LOOK, LOOK, LOOK, LOOK, LOOK, PLAYERBASE}));
}

// ------------------------------------------------ through the real widgets

TEST_F(RogueWindowTest, ChooseKindsThenPlaceAndRemoveByClicks)
{
    Key(sf::Keyboard::Key::Space);
    Key(sf::Keyboard::Key::Num2); // no second button: nothing
    EXPECT_FALSE(DesignerShown());
    Key(sf::Keyboard::Key::Num1);
    EXPECT_TRUE(DesignerShown());
    EXPECT_TRUE(OnTop(Designer().Window()));
    EXPECT_EQ(sfg::Context::Get().GetFocused(), Designer().Window()) << "the designer has no keyboard focus";
    std::string letters;
    for (const RogueButton* b : Designer().Choices())
        letters += b->m_Button->GetLabel().toAnsiString();
    EXPECT_EQ(letters, "@lRpf");
    ClickPlace('l', 3, 2); // no base yet
    EXPECT_TRUE(Designer().Rooms().empty());
    Click(Designer().Choices()[2]->m_Button, sf::Mouse::Button::Right); // a right click chooses nothing
    EXPECT_EQ(rogueWindow->m_CurrentRoomType, LOOK);
    ClickPlace('@', 0, 0); // where a choice button's own position points
    ClickPlace('R', 20, 5);
    ClickPlace('p', 34, 12);
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{PLAYERBASE, ROCK, PING}));
    EXPECT_EQ(Designer().Rooms()[1]->space, sf::IntRect({20, 5}, {12, 7}));

    // A right click just beside a room removes nothing; on a wall or the
    // floor it removes the room.
    Click(Designer().Cell(32, 8)->m_Button, sf::Mouse::Button::Right);
    EXPECT_EQ(Designer().Rooms().size(), 3u);
    Click(Designer().Cell(31, 8)->m_Button, sf::Mouse::Button::Right);  // right wall of the R room
    Click(Designer().Cell(38, 14)->m_Button, sf::Mouse::Button::Right); // floor of the ping room
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{PLAYERBASE}));

    // Poking the placeholder again, by mouse this time, starts afresh; a
    // kind found in play shows as the last choice.
    world->GetHumanPlayer()->m_DiscoveredRoomTypes.push_back(XSCISSORS);
    Click(createBar->buttons[0]->m_Button);
    EXPECT_TRUE(Designer().Rooms().empty());
    EXPECT_EQ(Designer().Picture(), Blank());
    ASSERT_EQ(Designer().Choices().size(), 6u);
    Click(Designer().Choices().back()->m_Button);
    EXPECT_EQ(rogueWindow->m_CurrentRoomType, XSCISSORS);
}

// "Spawn" puts a new object into the world and prints its name, leaving the
// window open with the design; "Inventory" keeps the design as a template in
// the placeholder's button, which then spawns it, and adds a new placeholder
// after it; "Delete" throws the design away. A design without rooms is
// neither kept nor spawned.
TEST_F(RogueWindowTest, SpawnInventoryAndDelete)
{
    Key(sf::Keyboard::Key::Space);
    Key(sf::Keyboard::Key::Num1);
    BarButton* placeholder = createBar->buttons[0];
    Designer().Place(PLAYERBASE, 3, 2);
    Designer().Place(LOOK, 20, 5);
    Designer().Place(ROCK, 30, 10);
    // The number after the name is the draw that follows the new object's
    // placement.
    srand(99);
    const Object placed;
    const std::string name = "lR" + std::to_string(rand() % 999);
    srand(99);
    std::vector<const Object*> spawned;
    for (int twice = 0; twice < 2; ++twice)
    {
        const Before b = Snapshot();
        testing::internal::CaptureStdout();
        Click(Designer().SpawnButton());
        const std::string out = testing::internal::GetCapturedStdout();
        spawned.push_back(ExpectOneSpawn(b, 3, "lR"));
        ASSERT_NE(spawned.back(), nullptr);
        EXPECT_EQ(out, spawned.back()->m_Name + "\n");
        EXPECT_TRUE(twice || spawned.back()->m_Name == name) << spawned.back()->m_Name << " is not " << name;
        EXPECT_EQ(spawned.back()->m_Rooms[2]->Type, ROCK);
        EXPECT_TRUE(DesignerShown());
        EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{PLAYERBASE, LOOK, ROCK}));
    }
    // Two objects, each with rooms of its own.
    EXPECT_NE(spawned[0]->m_Rooms[1], spawned[1]->m_Rooms[1]);

    const Before b = Snapshot();
    Click(Designer().InventoryButton());
    EXPECT_FALSE(DesignerShown());
    EXPECT_TRUE(Designer().Rooms().empty());
    ASSERT_EQ(createBar->buttons.size(), 2u);
    EXPECT_EQ(Text(placeholder), "lR");
    EXPECT_EQ(Text(createBar->buttons[1]), "~new");
    EXPECT_EQ(rogueWindow->m_TargetButton, createBar->buttons[1]);
    EXPECT_EQ(world->m_Objects.size(), b.objects);
    EXPECT_EQ(Turns(), b.turns);

    // A click on the template spawns a copy sharing its rooms, and prints
    // nothing.
    const Before c = Snapshot();
    testing::internal::CaptureStdout();
    Click(placeholder->m_Button);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    const Object* copy = ExpectOneSpawn(c, 3, "lR");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->m_Rooms, placeholder->m_Obj->m_Rooms);
    EXPECT_FALSE(DesignerShown());

    const Before d = Snapshot();
    Key(sf::Keyboard::Key::Num2);
    Designer().Place(PLAYERBASE, 3, 2);
    Designer().Remove(3, 2);
    testing::internal::CaptureStdout();
    Click(Designer().SpawnButton());
    Click(Designer().InventoryButton());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(DesignerShown());
    Designer().Place(PLAYERBASE, 3, 2);
    Click(Designer().DeleteButton());
    EXPECT_FALSE(DesignerShown());
    EXPECT_TRUE(Designer().Rooms().empty());
    ASSERT_EQ(createBar->buttons.size(), 2u);
    EXPECT_EQ(createBar->buttons[1]->m_Obj->m_Rooms.at(0)->Type, NEW);
    EXPECT_EQ(world->m_Objects.size(), d.objects);
    EXPECT_EQ(Turns(), d.turns);
}
