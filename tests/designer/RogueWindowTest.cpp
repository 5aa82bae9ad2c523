// The object designer: the dungeon it draws from the placed rooms, the
// placements it refuses, and the whole round trip through its real widgets
// (choice column, grid, "Inventory", "Delete", "Spawn") in a running game.

#include "DesignerFixture.h"

#include <SFGUI/Context.hpp>

#include <cstdlib>
#include <sstream>

namespace
{
using Picture = std::vector<std::string>;

const Picture Blank(RogueWindowInspector::Height, std::string(RogueWindowInspector::Width, ' '));

std::string Show(const Picture& p)
{
    std::ostringstream out;
    out << '\n';
    for (const std::string& row : p)
        out << '|' << row << "|\n";
    return out.str();
}
}

// Corridors and scattered weapon letters come from the permutation; the
// pictures below are drawn with this one (a shuffle Init once made).
class DesignerPictures : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        if (!IsSkipped())
            ins->Permutation() = {16, 6,  10, 4,  13, 9,  36, 33, 37, 31, 32, 21, 26, 5,  17, 24, 20, 19, 35, 3,
                                  18, 23, 30, 39, 25, 38, 7,  0,  8,  14, 22, 11, 27, 12, 2,  15, 1,  34, 28, 29};
    }
};

// The grid's cells are column-major and start empty; the permutation is the
// one-pass shuffle of 0..39 by the first forty draws of rand() in Init.
TEST_F(DesignerFixture, EmptyGridAndThePermutationOfInit)
{
    ASSERT_EQ(ins->Cells().size(), 828u);
    for (int x = 0; x < RogueWindowInspector::Width; ++x)
        for (int y = 0; y < RogueWindowInspector::Height; ++y)
        {
            const RogueButton* cell = ins->Cells()[x * 18 + y];
            ASSERT_EQ(cell->m_pos, sf::Vector2i(x, y));
            EXPECT_EQ(cell->m_Button->GetLabel().toAnsiString(), " ");
            EXPECT_EQ(cell->m_Button->GetClass(), "available");
        }

    srand(4242);
    std::vector<int> expected(40);
    for (int i = 0; i < 40; ++i)
        expected[i] = i;
    for (int i = 1; i < 40; ++i)
        std::swap(expected[i], expected[rand() % (i + 1)]);
    srand(4242);
    RogueWindow* second = new RogueWindow(); // never freed, like the game's
    second->Init(createBar);
    EXPECT_EQ(RogueWindowInspector(second).Permutation(), expected);
    EXPECT_FALSE(second->GetPointer()->IsLocallyVisible());
}

// ------------------------------------------------------------ pictures

TEST_F(DesignerPictures, LookAndPingRooms)
{
    ins->Place(PLAYERBASE, 30, 10);
    ins->Place(LOOK, 10, 3);
    ins->Place(PING, 0, 0);
    ASSERT_EQ(RoomTypes(), (std::vector<RoomType>{PLAYERBASE, LOOK, PING}));
    EXPECT_EQ(ins->Description(), "lp");
    const Picture p = ins->Picture();
    EXPECT_EQ(p[2].substr(0, 9), "|.<.p.>.|") << Show(p);

    // Without its base a room stands alone: no corridor, nothing else.
    ins->Remove(34, 14); // the base's bottom-right corner
    ins->Remove(8, 2);   // the ping room's right wall
    Picture alone = Blank;
    const char* look[] = {"-----", "|...|", "|.l.|", "|...|", "-----"};
    for (int y = 0; y < 5; ++y)
        alone[3 + y].replace(10, 5, look[y]);
    EXPECT_EQ(ins->Picture(), alone) << Show(ins->Picture());
    EXPECT_EQ(ins->Description(), "l");
}

// Corridors run from the first room to every other, and one more from the
// third to the fourth (the one down column 5 here). The three shapes show:
// up then across (to the l), across-up-across (to the f), across then down.
TEST_F(DesignerPictures, FourRoomsGiveFourCorridors)
{
    ins->Place(PLAYERBASE, 20, 6);
    ins->Place(LOOK, 1, 1);
    ins->Place(FORAGE, 36, 1);
    ins->Place(LOOK, 2, 12);
    EXPECT_EQ(ins->Description(), "lfl");
    const Picture expected = {
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
    };
    EXPECT_EQ(ins->Picture(), expected) << Show(ins->Picture());
}

// With the base taken away only a base may be placed, and it joins at the
// end, so the corridors start from the R room.
TEST_F(DesignerPictures, ANewBaseJoinsAtTheEnd)
{
    ins->Place(PLAYERBASE, 20, 6);
    ins->Place(ROCK, 1, 1);
    ins->Place(LOOK, 38, 11);
    ins->Remove(24, 8); // a side wall of the base
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{ROCK, LOOK}));
    for (int y = 6; y < 11; ++y)
        EXPECT_EQ(ins->Picture()[y].substr(20, 5), "     ") << Show(ins->Picture());

    ins->Place(FORAGE, 30, 1);
    ins->Place(PLAYERBASE, 20, 6);
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{ROCK, LOOK, PLAYERBASE}));
    EXPECT_EQ(ins->Description(), "Rl");
    const Picture expected = {
        "                                              ",
        " ------------                                 ",
        " |..........|                                 ",
        " |..........|############################     ",
        " |.R...R...R|         #                 #     ",
        " |..........|         #                 #     ",
        " |RR...R..RR|       -----               #     ",
        " ------------       |...|               #     ",
        "                    |.@.|               #     ",
        "                    |...|               #     ",
        "                    -----               #     ",
        "                                      -----   ",
        "                                      |...|   ",
        "                                      |.l.|   ",
        "                                      |...|   ",
        "                                      -----   ",
        "                                              ",
        "                                              ",
    };
    EXPECT_EQ(ins->Picture(), expected) << Show(ins->Picture());
}

// Every kind packed from edge to edge (weapon rooms scatter their letter);
// the same rooms give the same picture however the design got there.
TEST_F(DesignerPictures, EveryKindAndTheSamePictureTwice)
{
    struct Placed
    {
        RoomType type;
        int x, y;
    };
    const Placed rooms[] = {{PLAYERBASE, 36, 0}, {ROCK, 0, 0},   {BPAPER, 12, 0}, {XSCISSORS, 24, 0},
                            {LOOK, 41, 0},       {TEMPLATE, 0, 7}, {CREATE, 14, 7}, {PING, 28, 7},
                            {PINGFAKE, 37, 7},   {FORAGE, 41, 13}, {SNOOP, 28, 13}};
    for (const Placed& r : rooms)
        ins->Place(r.type, r.x, r.y);
    EXPECT_EQ(ins->Description(), "RBXlTCpbfs");
    const Picture expected = {
        "----------------------------------------------",
        "|...R..RR..||..........||.X.......X||...||...|",
        "|..........||B...B..BB.||..........||.@.||.l.|",
        "|.....R....||.....B....||XX...X..XX||...||...|",
        "|....R.....||..........||..........|----------",
        "|..........||.....B....||..........|####      ",
        "------------------------------------#  #      ",
        "----------------------------------------------",
        "|............||............||.......||.......|",
        "|............||............||.<.p.>.||...b...|",
        "|............||............||.......||.......|",
        "|......T.....||......C.....|------------------",
        "|............||............|       #   #      ",
        "|............||............|-----####### -----",
        "|............||............||...|  #   # |...|",
        "----------------------------|.s.|###   ##|.f.|",
        "                            |...|        |...|",
        "                            -----        -----",
    };
    EXPECT_EQ(ins->Picture(), expected) << Show(ins->Picture());
    for (const RogueButton* cell : ins->Cells())
        ASSERT_EQ(cell->m_Button->GetLabel().toAnsiString(), std::string(1, cell->m_ButtonChar));

    ins->Refresh();
    EXPECT_EQ(ins->Picture(), expected);
    rogueWindow->Clear();
    EXPECT_EQ(ins->Picture(), Blank);
    for (const Placed& r : rooms)
        ins->Place(r.type, r.x, r.y);
    EXPECT_EQ(ins->Picture(), expected) << Show(ins->Picture());
}

// ------------------------------------------------------------ refusals

TEST_F(DesignerFixture, TheBaseFirstAndOnceAndRoomsMayTouchButNotOverlap)
{
    for (RoomType t : {LOOK, ROCK, PING, TEMPLATE, FORAGE})
        ins->Place(t, 10, 5);
    EXPECT_TRUE(ins->Rooms().empty());
    ins->Place(PLAYERBASE, 10, 5); // columns 10..14, rows 5..9
    ins->Place(PLAYERBASE, 30, 5);
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{PLAYERBASE}));

    // Any room sharing a cell with the base, walls included, is refused.
    for (int x = 10; x < 15; ++x)
        for (int y = 5; y < 10; ++y)
            ins->Place(LOOK, x, y);
    ins->Place(LOOK, 6, 1); // corner cell (10, 5) shared
    ins->Place(LOOK, 6, 9); // row 9 shared
    ins->Place(ROCK, 0, 3); // reaches into columns 10, 11
    EXPECT_EQ(ins->Rooms().size(), 1u);

    // Wall against wall on each side, and corner to corner, is fine.
    for (sf::Vector2i at : {sf::Vector2i(15, 5), {5, 5}, {10, 10}, {10, 0}, {15, 10}})
        ins->Place(LOOK, at.x, at.y);
    ASSERT_EQ(ins->Rooms().size(), 6u);
    EXPECT_EQ(ins->Picture()[7].substr(5, 15), "|.l.||.@.||.l.|") << Show(ins->Picture());
}

// Each kind fits exactly up to the right and bottom edges of the grid.
TEST_F(DesignerFixture, RoomsStayInsideTheGrid)
{
    ins->Place(PLAYERBASE, 42, 0);
    ins->Place(PLAYERBASE, 0, 14);
    EXPECT_TRUE(ins->Rooms().empty());
    ins->Place(PLAYERBASE, 41, 13);
    ASSERT_EQ(ins->Rooms().size(), 1u);
    ins->Remove(41, 13);
    ins->Place(PLAYERBASE, 0, 13);

    struct Limit
    {
        RoomType type;
        int maxLeft, maxTop; // the size is what is left of the 46 x 18 grid
    };
    for (const Limit& l : {Limit{LOOK, 41, 13}, Limit{FORAGE, 41, 13}, Limit{PING, 37, 13}, Limit{PINGFAKE, 37, 13},
                           Limit{ROCK, 34, 11}, Limit{BPAPER, 34, 11}, Limit{XSCISSORS, 34, 11},
                           Limit{TEMPLATE, 32, 9}, Limit{CREATE, 32, 9}})
    {
        const char c = RoomTypeToChar(l.type);
        ins->Place(l.type, l.maxLeft + 1, 0);
        ins->Place(l.type, 20, l.maxTop + 1);
        EXPECT_EQ(ins->Rooms().size(), 1u) << c << " crossed an edge";

        ins->Place(l.type, l.maxLeft, 0);
        ASSERT_EQ(ins->Rooms().size(), 2u) << c << " refused at the right edge";
        EXPECT_EQ(ins->Rooms()[1]->space, sf::IntRect(l.maxLeft, 0, 46 - l.maxLeft, 18 - l.maxTop));
        ins->Remove(l.maxLeft, 0);
        ins->Place(l.type, 20, l.maxTop);
        ASSERT_EQ(ins->Rooms().size(), 2u) << c << " refused at the bottom edge";
        EXPECT_EQ(ins->Picture()[17][20], '-');
        ins->Remove(20, 17);
    }
}

// ------------------------------------------------ through the real widgets

TEST_F(DesignerFixture, OpensByKeyAndByClickWithAnEmptyGrid)
{
    ASSERT_TRUE(mashWindow->m_Active);
    Key(sf::Keyboard::Space);
    Key(sf::Keyboard::Num2); // no second button: nothing
    EXPECT_FALSE(ins->Window()->IsGloballyVisible());
    Key(sf::Keyboard::Num1);
    Frame();
    EXPECT_TRUE(ins->Window()->IsGloballyVisible());
    EXPECT_EQ(rogueWindow->m_TargetButton, createBar->buttons[0]);
    EXPECT_EQ(render->m_Desktop.GetWidgets().back(), ins->Window()) << "the designer is not on top";
    EXPECT_EQ(sfg::Context::Get().GetFocused(), ins->Window()) << "the designer has no keyboard focus";
    EXPECT_EQ(ins->Window()->GetAbsolutePosition(), sf::Vector2f(404, 340));

    ClickPlace('@', 3, 2);
    ClickPlace('l', 20, 5);
    EXPECT_EQ(ins->Rooms().size(), 2u);

    // Poking the placeholder again, by mouse this time, starts afresh.
    Click(createBar->buttons[0]->m_Button);
    Frame();
    EXPECT_TRUE(ins->Window()->IsGloballyVisible());
    EXPECT_TRUE(ins->Rooms().empty());
    EXPECT_EQ(ins->Picture(), Blank);
    EXPECT_EQ(ins->Description(), "");
    EXPECT_EQ(createBar->buttons.size(), 1u);
}

TEST_F(DesignerFixture, ChooseKindsThenPlaceAndRemoveByClicks)
{
    OpenDesignerByKey();
    std::string letters;
    for (const RogueButton* b : ins->Choices())
        letters += b->m_Button->GetLabel().toAnsiString();
    EXPECT_EQ(letters, "@lRpf");
    ClickPlace('l', 3, 2); // no base yet
    EXPECT_TRUE(ins->Rooms().empty());
    Click(ins->Choices()[2]->m_Button, sf::Mouse::Right); // a right click chooses nothing
    EXPECT_EQ(rogueWindow->m_CurrentRoomType, LOOK);
    ClickPlace('@', 0, 0); // where a choice button's own position points
    ClickPlace('R', 20, 5);
    ClickPlace('p', 34, 12);
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{PLAYERBASE, ROCK, PING}));
    EXPECT_EQ(ins->Rooms()[1]->space, sf::IntRect(20, 5, 12, 7));
    EXPECT_EQ(ins->Description(), "Rp");

    // A right click on an empty cell removes nothing; on a wall or the
    // floor it removes the room.
    Click(ins->Cell(0, 17)->m_Button, sf::Mouse::Right);
    EXPECT_EQ(ins->Rooms().size(), 3u);
    Click(ins->Cell(31, 8)->m_Button, sf::Mouse::Right); // right wall of the R room
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{PLAYERBASE, PING}));
    Click(ins->Cell(38, 14)->m_Button, sf::Mouse::Right); // floor of the ping room
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{PLAYERBASE}));
    EXPECT_EQ(ins->Description(), "");

    // A kind found in play shows as the last choice at the next opening.
    world->GetHumanPlayer()->m_DiscoveredRoomTypes.push_back(XSCISSORS);
    Click(createBar->buttons[0]->m_Button);
    Frame();
    ASSERT_EQ(ins->Choices().size(), 6u);
    Click(ins->Choices().back()->m_Button);
    EXPECT_EQ(rogueWindow->m_CurrentRoomType, XSCISSORS);
}

// "Inventory" keeps the design as a template in the placeholder's button and
// adds a new placeholder after it; "Delete" throws the design away. Neither
// is a turn.
TEST_F(DesignerFixture, InventoryAndDelete)
{
    OpenDesignerByKey();
    BarButton* placeholder = createBar->buttons[0];
    ClickPlace('@', 3, 2);
    ClickPlace('l', 20, 5);
    ClickPlace('R', 30, 10);
    const Before b = Snapshot();
    Click(ins->InventoryButton());
    Frame();

    EXPECT_FALSE(ins->Window()->IsGloballyVisible());
    EXPECT_EQ(ins->Picture(), Blank);
    ASSERT_EQ(createBar->buttons.size(), 2u);
    EXPECT_EQ(createBar->buttons[0], placeholder);
    EXPECT_EQ(placeholder->m_Button->GetLabel().toAnsiString(), "lR");
    EXPECT_EQ(placeholder->m_Obj->m_Name, "lR");
    ASSERT_EQ(placeholder->m_Obj->m_Rooms.size(), 3u);
    EXPECT_EQ(placeholder->m_Obj->m_Rooms[2]->Type, ROCK);
    BarButton* fresh = createBar->buttons[1];
    EXPECT_EQ(fresh->m_Button->GetLabel().toAnsiString(), "~new");
    EXPECT_EQ(fresh->m_Index, 1);
    EXPECT_EQ(fresh->m_Obj->m_Rooms[0]->Type, NEW);
    EXPECT_EQ(rogueWindow->m_TargetButton, fresh);
    EXPECT_EQ(world->m_Objects.size(), b.objects);
    EXPECT_EQ(notificationBar->buttons.size(), b.notifications);
    EXPECT_EQ(world->GetHumanPlayer()->m_Risk, b.risk);

    Key(sf::Keyboard::Num2);
    ASSERT_TRUE(ins->Window()->IsGloballyVisible());
    ClickPlace('@', 3, 2);
    ClickPlace('l', 20, 5);
    Click(ins->DeleteButton());
    Frame();
    EXPECT_FALSE(ins->Window()->IsGloballyVisible());
    EXPECT_EQ(ins->Picture(), Blank);
    ASSERT_EQ(createBar->buttons.size(), 2u);
    EXPECT_EQ(createBar->buttons[1]->m_Button->GetLabel().toAnsiString(), "~new");
    EXPECT_EQ(createBar->buttons[1]->m_Obj->m_Rooms[0]->Type, NEW);
    EXPECT_EQ(rogueWindow->m_TargetButton, createBar->buttons[1]);
    EXPECT_EQ(world->m_Objects.size(), b.objects);
}

// Each "Spawn" puts a new object into the world and prints its name; the
// window stays open with the design. The number after the name is the draw
// that follows the object's placement, so with rand() replayed it is known.
TEST_F(DesignerFixture, SpawnTwicePutsTwoObjectsIntoTheWorld)
{
    OpenDesignerByKey();
    ClickPlace('@', 3, 2);
    ClickPlace('l', 20, 5);
    ClickPlace('R', 30, 10);
    srand(99);
    Object probe; // places itself with the same draws a new object makes
    const std::string name = "lR" + std::to_string(rand() % 999);
    srand(99);

    std::vector<const Object*> spawned;
    for (int round = 0; round < 2; ++round)
    {
        const Before b = Snapshot();
        testing::internal::CaptureStdout();
        Click(ins->SpawnButton());
        const std::string out = testing::internal::GetCapturedStdout();
        Frame();
        const Object* obj = ExpectOneSpawn(b, 3, "lR");
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(out, obj->m_Name + "\n");
        if (round == 0)
        {
            EXPECT_EQ(obj->m_Name, name);
            EXPECT_EQ(obj->m_Position, probe.m_Position);
        }
        EXPECT_EQ(obj->m_Rooms[2]->Type, ROCK);
        spawned.push_back(obj);
        EXPECT_TRUE(ins->Window()->IsGloballyVisible());
        EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{PLAYERBASE, LOOK, ROCK}));
        EXPECT_EQ(createBar->buttons.size(), 1u);
    }
    // Two objects, each with rooms of its own.
    EXPECT_NE(spawned[0], spawned[1]);
    EXPECT_NE(spawned[0]->m_Rooms[1], spawned[1]->m_Rooms[1]);
}

// An emptied design is neither kept nor spawned: the window stays open and
// nothing without rooms reaches the bar or the world.
TEST_F(DesignerFixture, EmptyDesignIsNeitherKeptNorSpawned)
{
    OpenDesignerByKey();
    ClickPlace('@', 3, 2);
    Click(ins->Cell(3, 2)->m_Button, sf::Mouse::Right);
    ASSERT_TRUE(ins->Rooms().empty());
    const Before b = Snapshot();
    testing::internal::CaptureStdout();
    Click(ins->SpawnButton());
    Click(ins->InventoryButton());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    Frame();
    EXPECT_TRUE(ins->Window()->IsGloballyVisible());
    EXPECT_EQ(world->m_Objects.size(), b.objects);
    EXPECT_EQ(notificationBar->buttons.size(), b.notifications);
    EXPECT_EQ(world->GetHumanPlayer()->m_Risk, b.risk);
    EXPECT_EQ(mashWindow->m_Longdata.size(), b.console);
    ASSERT_EQ(createBar->buttons.size(), 1u);
    EXPECT_EQ(createBar->buttons[0]->m_Obj->m_Rooms[0]->Type, NEW);
    EXPECT_EQ(rogueWindow->m_TargetButton, createBar->buttons[0]);
}
