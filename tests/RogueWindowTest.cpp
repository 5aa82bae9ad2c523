// The object designer: the dungeon it draws from the placed rooms, the
// placements it refuses, and the whole round trip through its real widgets
// (choice column, grid, "Inventory", "Delete", "Spawn") in a running game.

#include "DesignerFixture.h"

#include <SFGUI/Context.hpp>

#include <cstdlib>
#include <set>
#include <sstream>
#include <tuple>

namespace
{
const int W = RogueWindowInspector::Width;
const int H = RogueWindowInspector::Height;

using Picture = std::vector<std::string>;

struct Placed
{
    RoomType type;
    sf::IntRect space;
};

sf::Vector2i SizeOf(RoomType type)
{
    switch (type)
    {
    case ROCK:
    case BPAPER:
    case XSCISSORS:
        return {12, 7};
    case TEMPLATE:
    case CREATE:
        return {14, 9};
    case PING:
    case PINGFAKE:
        return {9, 5};
    default:
        return {5, 5};
    }
}

Placed At(RoomType type, int x, int y)
{
    const sf::Vector2i size = SizeOf(type);
    return {type, sf::IntRect(x, y, size.x, size.y)};
}

// The dungeon drawn here a second time, from the drawing rules and the
// window's own permutation: corridors as runs between their corner points,
// each run drawing every cell but its last.
class Reference
{
public:
    explicit Reference(const std::vector<int>& perm) : m_Perm(perm), m_Grid(H, std::string(W, ' '))
    {
    }

    int DRand(int in, int shuffle) const
    {
        return m_Perm[(in + shuffle) % 40] % in;
    }

    struct Path
    {
        sf::Vector2i start, end;
        int angle;
        std::vector<sf::Vector2i> corners; // start .. end
    };

    Path CorridorPath(const sf::IntRect& s, const sf::IntRect& e) const
    {
        Path p;
        p.start = {s.left + 1 + DRand(s.width - 2, s.left), s.top + 1 + DRand(s.height - 2, s.top)};
        p.end = {e.left + 1 + DRand(e.width - 2, s.left), e.top + 1 + DRand(e.height - 2, s.top)};
        p.angle = DRand(3, e.left);
        const sf::Vector2i a = p.start, b = p.end;
        if (p.angle == 0)
            p.corners = {a, {b.x, a.y}, b};
        else if (p.angle == 1)
            p.corners = {a, {a.x, b.y}, b};
        else
        {
            const int half = std::abs(a.x - b.x) / 2;
            const int midX = a.x + (b.x > a.x ? half : -half);
            p.corners = {a, {midX, a.y}, {midX, b.y}, b};
        }
        return p;
    }

    // The cells a corridor draws: every cell of every run except where the
    // run stops; the last stop is the end point.
    static std::set<std::pair<int, int>> Cells(const Path& p)
    {
        std::set<std::pair<int, int>> cells;
        for (size_t i = 0; i + 1 < p.corners.size(); ++i)
        {
            sf::Vector2i c = p.corners[i];
            const sf::Vector2i to = p.corners[i + 1];
            while (c != to)
            {
                cells.insert({c.x, c.y});
                c.x += (to.x > c.x) - (to.x < c.x);
                c.y += (to.y > c.y) - (to.y < c.y);
            }
        }
        return cells;
    }

    void Corridor(const sf::IntRect& s, const sf::IntRect& e)
    {
        for (const auto& cell : Cells(CorridorPath(s, e)))
            m_Grid[cell.second][cell.first] = '#';
    }

    void Room(const Placed& room)
    {
        const sf::IntRect& r = room.space;
        const char mark = RoomTypeToChar(room.type);
        const bool weapon = room.type == ROCK || room.type == BPAPER || room.type == XSCISSORS;
        for (int y = 0; y < r.height; ++y)
        {
            for (int x = 0; x < r.width; ++x)
            {
                char c = '.';
                if (y == 0 || y == r.height - 1)
                    c = '-';
                else if (x == 0 || x == r.width - 1)
                    c = '|';
                else if (x == r.width / 2 && y == r.height / 2)
                    c = mark;
                else if (room.type == PING && y == r.height / 2 && x == r.width / 2 + 2)
                    c = '>';
                else if (room.type == PING && y == r.height / 2 && x == r.width / 2 - 2)
                    c = '<';
                else if (weapon && DRand(10, r.left * 12 + x * 15 + r.top * 34 + y) == 1)
                    c = mark;
                m_Grid[r.top + y][r.left + x] = c;
            }
        }
    }

    // The whole design: corridors from the first room to every other, one
    // more from the third to the fourth, then the rooms over them.
    static Picture Draw(const std::vector<int>& perm, const std::vector<Placed>& rooms, bool thirdToFourth = true)
    {
        Reference ref(perm);
        for (size_t i = 1; i < rooms.size(); ++i)
            ref.Corridor(rooms[0].space, rooms[i].space);
        if (thirdToFourth && rooms.size() > 3)
            ref.Corridor(rooms[2].space, rooms[3].space);
        for (const Placed& room : rooms)
            ref.Room(room);
        return ref.m_Grid;
    }

private:
    const std::vector<int>& m_Perm;
    Picture m_Grid;
};

std::string Show(const Picture& p)
{
    std::ostringstream out;
    out << "\n+" << std::string(W, '-') << "+\n";
    for (const std::string& row : p)
        out << '|' << row << "|\n";
    out << '+' << std::string(W, '-') << "+\n";
    return out.str();
}

// A picture from rows of text placed at given columns.
Picture Blank()
{
    return Picture(H, std::string(W, ' '));
}

void Put(Picture& p, int x, int y, const std::string& text)
{
    p[y].replace(x, text.size(), text);
}

bool Inside(const sf::IntRect& r, int x, int y)
{
    return r.left <= x && x < r.left + r.width && r.top <= y && y < r.top + r.height;
}
}

// ------------------------------------------------------------------ grid

TEST_F(DesignerFixture, GridIsColumnMajorAndPermutationIsComplete)
{
    ASSERT_EQ(ins->Cells().size(), 828u);
    for (int x = 0; x < W; ++x)
    {
        for (int y = 0; y < H; ++y)
        {
            ASSERT_EQ(cord(x, y), x * 18 + y);
            const RogueButton* cell = ins->Cells()[cord(x, y)];
            EXPECT_EQ(cell->m_pos, sf::Vector2i(x, y));
            EXPECT_FALSE(cell->m_choose);
            EXPECT_EQ(cell->m_ButtonChar, ' ');
            EXPECT_EQ(cell->m_Button->GetLabel().toAnsiString(), " ");
            EXPECT_EQ(cell->m_Button->GetClass(), "available");
            EXPECT_EQ(cell->m_RogueWindow, rogueWindow);
        }
    }
    std::vector<int> sorted = ins->Permutation();
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> all(40);
    for (int i = 0; i < 40; ++i)
        all[i] = i;
    EXPECT_EQ(sorted, all);
}

// The permutation is the one-pass shuffle of 0..39 with the first forty
// draws of rand() after Init starts, so one seed gives one picture.
TEST_F(DesignerFixture, PermutationIsTheShuffleOfInit)
{
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
    EXPECT_EQ(second->m_CurrentRoomType, PLAYERBASE);
    EXPECT_EQ(second->m_TargetButton, nullptr);
}

// ------------------------------------------------------------ pictures

TEST_F(DesignerFixture, LookRoomAtTenThree)
{
    ins->Place(PLAYERBASE, 30, 10);
    ins->Place(LOOK, 10, 3);
    ASSERT_EQ(ins->Rooms().size(), 2u);
    EXPECT_EQ(ins->Rooms()[1]->space, sf::IntRect(10, 3, 5, 5));
    const char* block[] = {"-----", "|...|", "|.l.|", "|...|", "-----"};
    const Picture p = ins->Picture();
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(p[3 + y].substr(10, 5), block[y]) << "row " << 3 + y << Show(p);
    EXPECT_EQ(p, Reference::Draw(ins->Permutation(), {At(PLAYERBASE, 30, 10), At(LOOK, 10, 3)})) << Show(p);

    // Without its base the room stands alone: no corridor, nothing else.
    ins->Remove(34, 14); // the base's bottom-right corner
    Picture alone = Blank();
    for (int y = 0; y < 5; ++y)
        Put(alone, 10, 3 + y, block[y]);
    EXPECT_EQ(ins->Picture(), alone) << Show(ins->Picture());
    EXPECT_EQ(ins->Description(), "l");
}

TEST_F(DesignerFixture, PingRoomsAndTheirFakes)
{
    ins->Place(PLAYERBASE, 0, 0);
    ins->Place(PING, 10, 0);
    ins->Place(PINGFAKE, 20, 0);
    ASSERT_EQ(ins->Rooms().size(), 3u);
    const Picture p = ins->Picture();
    EXPECT_EQ(p[2].substr(10, 9), "|.<.p.>.|") << Show(p);
    EXPECT_EQ(p[2].substr(20, 9), "|...b...|") << Show(p);
    for (int row : {1, 3})
    {
        EXPECT_EQ(p[row].substr(10, 9), "|.......|");
        EXPECT_EQ(p[row].substr(20, 9), "|.......|");
    }
    for (int row : {0, 4})
    {
        EXPECT_EQ(p[row].substr(10, 9), "---------");
        EXPECT_EQ(p[row].substr(20, 9), "---------");
    }
}

// Every kind of room, packed from edge to edge: the last column and the last
// usable rows are reached, and each room is drawn by the cell table (weapon
// rooms scatter their letter where the permutation says so).
TEST_F(DesignerFixture, EveryKindFillsTheGridEdgeToEdge)
{
    const std::vector<Placed> rooms = {At(PLAYERBASE, 36, 0), At(ROCK, 0, 0),      At(BPAPER, 12, 0),
                                       At(XSCISSORS, 24, 0),  At(LOOK, 41, 0),     At(TEMPLATE, 0, 7),
                                       At(CREATE, 14, 7),     At(PING, 28, 7),     At(PINGFAKE, 37, 7),
                                       At(FORAGE, 41, 13),    At(SNOOP, 28, 13)};
    for (const Placed& room : rooms)
        ins->Place(room.type, room.space.left, room.space.top);
    ASSERT_EQ(ins->Rooms().size(), rooms.size());
    for (size_t i = 0; i < rooms.size(); ++i)
    {
        EXPECT_EQ(ins->Rooms()[i]->type, rooms[i].type);
        EXPECT_EQ(ins->Rooms()[i]->space, rooms[i].space);
    }
    const Picture p = ins->Picture();
    EXPECT_EQ(p, Reference::Draw(ins->Permutation(), rooms)) << Show(p);
    EXPECT_EQ(ins->Description(), "RBXlTCpbfs");

    // The scattered letters of the weapon rooms, counted straight from the
    // rule: one floor cell in ten on average, the centre always.
    for (size_t i = 1; i <= 3; ++i)
    {
        const sf::IntRect r = rooms[i].space;
        const char mark = RoomTypeToChar(rooms[i].type);
        for (int y = 1; y < r.height - 1; ++y)
        {
            for (int x = 1; x < r.width - 1; ++x)
            {
                const bool centre = x == r.width / 2 && y == r.height / 2;
                const int v = ins->Permutation()[(10 + r.left * 12 + x * 15 + r.top * 34 + y) % 40];
                EXPECT_EQ(p[r.top + y][r.left + x], centre || v % 10 == 1 ? mark : '.')
                    << "room " << i << " cell " << x << "," << y;
            }
        }
    }
    // Every cell's widget shows what the grid records.
    for (const RogueButton* cell : ins->Cells())
        ASSERT_EQ(cell->m_Button->GetLabel().toAnsiString(), std::string(1, cell->m_ButtonChar));
}

// ----------------------------------------------------------- corridors

// One corridor at a time on an empty grid, where no room covers it: its
// cells are the runs between its corner points, the end point is never
// drawn, and the shape follows the angle drawn from the permutation.
TEST_F(DesignerFixture, CorridorLegsFollowTheirAngle)
{
    std::set<int> angles;
    int checked = 0;
    for (int sl = 0; sl <= 30; sl += 3)
    {
        for (int el = 2; el <= 36; el += 5)
        {
            const sf::IntRect from(sl, (sl * 7) % 12, 5 + sl % 8, 5 + sl % 3);
            const sf::IntRect to(el, (el * 5) % 11, 5 + el % 6, 5 + el % 4);
            ins->Refresh(); // no rooms: a blank grid
            ins->DrawCorridor(from, to);

            Reference ref(ins->Permutation());
            const Reference::Path path = ref.CorridorPath(from, to);
            angles.insert(path.angle);
            std::set<std::pair<int, int>> drawn;
            for (int x = 0; x < W; ++x)
                for (int y = 0; y < H; ++y)
                    if (ins->At(x, y) != ' ')
                    {
                        ASSERT_EQ(ins->At(x, y), '#');
                        drawn.insert({x, y});
                    }
            ASSERT_EQ(drawn, Reference::Cells(path))
                << "angle " << path.angle << " from " << sl << " to " << el << Show(ins->Picture());
            ++checked;

            // The same facts without the reference's corners.
            const sf::Vector2i a = path.start, b = path.end;
            ASSERT_TRUE(Inside(sf::IntRect(from.left + 1, from.top + 1, from.width - 2, from.height - 2), a.x, a.y));
            ASSERT_TRUE(Inside(sf::IntRect(to.left + 1, to.top + 1, to.width - 2, to.height - 2), b.x, b.y));
            EXPECT_EQ(drawn.size(), size_t(std::abs(a.x - b.x) + std::abs(a.y - b.y)));
            EXPECT_EQ(drawn.count({b.x, b.y}), 0u) << "the end point is left to the end room";
            if (a != b)
            {
                EXPECT_EQ(drawn.count({a.x, a.y}), 1u);
            }
            // The corner of an L is drawn unless it is the end point.
            const sf::Vector2i corner = path.angle == 0 ? sf::Vector2i(b.x, a.y) : sf::Vector2i(a.x, b.y);
            if (path.angle < 2 && corner != b)
            {
                EXPECT_EQ(drawn.count({corner.x, corner.y}), 1u) << "angle " << path.angle;
            }
            if (path.angle == 2)
            {
                // The vertical run stands at the halfway column.
                const int midX = a.x + (b.x > a.x ? 1 : -1) * (std::abs(a.x - b.x) / 2);
                for (int y = std::min(a.y, b.y); y <= std::max(a.y, b.y); ++y)
                {
                    if (!(midX == b.x && y == b.y))
                    {
                        EXPECT_EQ(drawn.count({midX, y}), 1u) << midX << "," << y;
                    }
                }
            }
        }
    }
    EXPECT_EQ(angles, (std::set<int>{0, 1, 2})) << "the layouts tried miss an angle";
    EXPECT_GT(checked, 50);
}

TEST_F(DesignerFixture, FourRoomsGiveFourCorridors)
{
    const std::vector<Placed> rooms = {At(PLAYERBASE, 20, 6), At(LOOK, 2, 1), At(FORAGE, 38, 1), At(LOOK, 2, 12)};
    ins->Place(PLAYERBASE, 20, 6);
    EXPECT_EQ(ins->Picture(), Reference::Draw(ins->Permutation(), {rooms[0]})); // a room, no corridor
    ins->Place(LOOK, 2, 1);
    ins->Place(FORAGE, 38, 1);
    const std::vector<Placed> three(rooms.begin(), rooms.begin() + 3);
    EXPECT_EQ(ins->Picture(), Reference::Draw(ins->Permutation(), three)) << Show(ins->Picture());
    ins->Place(LOOK, 2, 12);

    const Picture p = ins->Picture();
    const Picture expected = Reference::Draw(ins->Permutation(), rooms);
    // The layout is only a test of the fourth corridor if that corridor
    // shows somewhere outside the rooms and the other corridors.
    ASSERT_NE(expected, Reference::Draw(ins->Permutation(), rooms, false));
    EXPECT_EQ(p, expected) << Show(p);

    // Corridors show only between rooms; outside rooms there is nothing else.
    for (int x = 0; x < W; ++x)
    {
        for (int y = 0; y < H; ++y)
        {
            bool inRoom = false;
            for (const Placed& r : rooms)
                inRoom = inRoom || Inside(r.space, x, y);
            if (!inRoom)
                EXPECT_TRUE(p[y][x] == ' ' || p[y][x] == '#') << x << "," << y;
            else
                EXPECT_NE(p[y][x], '#') << x << "," << y;
        }
    }
    EXPECT_EQ(ins->Description(), "lfl");
}

TEST_F(DesignerFixture, ANewBaseJoinsAtTheEnd)
{
    ins->Place(PLAYERBASE, 20, 6);
    ins->Place(ROCK, 1, 1);
    ins->Place(LOOK, 38, 11);
    ASSERT_EQ(ins->Description(), "Rl");

    ins->Remove(24, 8); // a side wall of the base
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{ROCK, LOOK}));
    EXPECT_EQ(ins->Description(), "Rl");
    EXPECT_EQ(ins->Picture(), Reference::Draw(ins->Permutation(), {At(ROCK, 1, 1), At(LOOK, 38, 11)}));

    // Without a base only a base may be placed, and it goes last.
    ins->Place(FORAGE, 30, 1);
    EXPECT_EQ(ins->Rooms().size(), 2u);
    ins->Place(PLAYERBASE, 20, 6);
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{ROCK, LOOK, PLAYERBASE}));
    EXPECT_EQ(ins->Description(), "Rl");
    const Picture p = ins->Picture();
    EXPECT_EQ(p, Reference::Draw(ins->Permutation(), {At(ROCK, 1, 1), At(LOOK, 38, 11), At(PLAYERBASE, 20, 6)}))
        << Show(p);
}

TEST_F(DesignerFixture, SameRoomsSamePicture)
{
    const std::vector<Placed> rooms = {At(PLAYERBASE, 21, 12), At(XSCISSORS, 0, 0), At(PING, 30, 2),
                                       At(BPAPER, 2, 10), At(LOOK, 40, 12)};
    for (const Placed& r : rooms)
        ins->Place(r.type, r.space.left, r.space.top);
    const Picture first = ins->Picture();
    ins->Refresh();
    EXPECT_EQ(ins->Picture(), first);

    // A room added and taken away again leaves the picture as it was.
    ins->Place(FORAGE, 14, 8);
    ASSERT_EQ(ins->Rooms().size(), rooms.size() + 1);
    EXPECT_NE(ins->Picture(), first);
    ins->Remove(16, 10);
    EXPECT_EQ(ins->Picture(), first);

    // And so does building the design again from an empty grid.
    rogueWindow->Clear();
    EXPECT_EQ(ins->Picture(), Blank());
    for (const Placed& r : rooms)
        ins->Place(r.type, r.space.left, r.space.top);
    EXPECT_EQ(ins->Picture(), first) << Show(ins->Picture());
    EXPECT_EQ(ins->Picture(), Reference::Draw(ins->Permutation(), rooms));
}

// ------------------------------------------------------------ refusals

TEST_F(DesignerFixture, TheBaseComesFirstAndOnlyOnce)
{
    for (RoomType t : {LOOK, ROCK, PING, TEMPLATE, FORAGE})
    {
        ins->Place(t, 10, 5);
        EXPECT_TRUE(ins->Rooms().empty()) << RoomTypeToChar(t);
    }
    EXPECT_EQ(ins->Picture(), Blank());
    ins->Place(PLAYERBASE, 10, 5);
    ins->Place(PLAYERBASE, 30, 5);
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{PLAYERBASE}));
    EXPECT_EQ(ins->Description(), "");
}

TEST_F(DesignerFixture, RoomsMayTouchButNotOverlap)
{
    ins->Place(PLAYERBASE, 10, 5); // columns 10..14, rows 5..9
    const Picture start = ins->Picture();
    // Every click inside the base, walls included, places nothing; so does
    // any room whose rectangle shares a cell with it.
    for (int x = 10; x < 15; ++x)
        for (int y = 5; y < 10; ++y)
            ins->Place(LOOK, x, y);
    ins->Place(LOOK, 6, 1);   // corner cell (10, 5) shared
    ins->Place(LOOK, 6, 9);   // row 9 shared
    ins->Place(ROCK, 0, 3);   // reaches into columns 10, 11
    ins->Place(PING, 2, 7);   // column 10 shared
    EXPECT_EQ(ins->Rooms().size(), 1u);
    EXPECT_EQ(ins->Picture(), start);

    // Wall against wall on each side is fine.
    ins->Place(LOOK, 15, 5);  // left = base's left + width
    ins->Place(LOOK, 5, 5);   // right edge meets the base's left
    ins->Place(LOOK, 10, 10); // top = base's top + height
    ins->Place(LOOK, 10, 0);  // bottom edge meets the base's top
    ins->Place(LOOK, 15, 10); // corner to corner
    ASSERT_EQ(ins->Rooms().size(), 6u);
    const Picture p = ins->Picture();
    EXPECT_EQ(p[7].substr(5, 15), "|.l.||.@.||.l.|") << Show(p);
    EXPECT_EQ(p[9].substr(10, 5), "-----");
    EXPECT_EQ(p[10].substr(10, 10), "----------");
}

// Each kind fits exactly up to the right and bottom edges of the grid.
TEST_F(DesignerFixture, RoomsStayInsideTheGrid)
{
    struct Limit
    {
        RoomType type;
        int maxLeft, maxTop;
    };
    // The base itself first, on the empty grid.
    ins->Place(PLAYERBASE, 42, 0);
    ins->Place(PLAYERBASE, 0, 14);
    EXPECT_TRUE(ins->Rooms().empty());
    ins->Place(PLAYERBASE, 41, 13);
    ASSERT_EQ(ins->Rooms().size(), 1u);
    ins->Remove(41, 13);
    ins->Place(PLAYERBASE, 0, 13);
    ASSERT_EQ(ins->Rooms().size(), 1u);

    for (const Limit& l : {Limit{LOOK, 41, 13}, Limit{FORAGE, 41, 13}, Limit{PING, 37, 13}, Limit{PINGFAKE, 37, 13},
                           Limit{ROCK, 34, 11}, Limit{BPAPER, 34, 11}, Limit{XSCISSORS, 34, 11},
                           Limit{TEMPLATE, 32, 9}, Limit{CREATE, 32, 9}})
    {
        const char c = RoomTypeToChar(l.type);
        const sf::Vector2i size = SizeOf(l.type);
        ins->Place(l.type, l.maxLeft + 1, 0);
        ins->Place(l.type, 20, l.maxTop + 1);
        ins->Place(l.type, 45, 17);
        EXPECT_EQ(ins->Rooms().size(), 1u) << c << " crossed an edge";

        ins->Place(l.type, l.maxLeft, 0);
        ASSERT_EQ(ins->Rooms().size(), 2u) << c << " refused at the right edge";
        EXPECT_EQ(ins->Rooms()[1]->space, sf::IntRect(l.maxLeft, 0, size.x, size.y));
        EXPECT_EQ(ins->At(45, 0), '-');
        ins->Remove(l.maxLeft, 0);

        ins->Place(l.type, 20, l.maxTop);
        ASSERT_EQ(ins->Rooms().size(), 2u) << c << " refused at the bottom edge";
        EXPECT_EQ(ins->At(20, 17), '-');
        ins->Remove(20, 17);
        ASSERT_EQ(ins->Rooms().size(), 1u);
    }
}

// ------------------------------------------------ through the real widgets

TEST_F(DesignerFixture, OpensByKeyAndByClickWithAnEmptyGrid)
{
    ASSERT_TRUE(mashWindow->m_Active);
    EXPECT_FALSE(ins->Window()->IsGloballyVisible());
    Key(sf::Keyboard::Space);
    EXPECT_FALSE(mashWindow->m_Active);
    Key(sf::Keyboard::Num2); // no second button: nothing
    EXPECT_FALSE(ins->Window()->IsGloballyVisible());
    Key(sf::Keyboard::Num1);
    Frame();
    EXPECT_TRUE(ins->Window()->IsGloballyVisible());
    EXPECT_EQ(rogueWindow->m_TargetButton, createBar->buttons[0]);
    EXPECT_EQ(render->m_Desktop.GetWidgets().back(), ins->Window()) << "the designer is not on top";
    EXPECT_EQ(sfg::Context::Get().GetFocused(), ins->Window()) << "the designer has no keyboard focus";
    EXPECT_EQ(ins->Window()->GetAbsolutePosition(), sf::Vector2f(404, 340));
    // The whole designer is on the screen.
    const sf::FloatRect a = ins->Window()->GetAllocation();
    EXPECT_LE(a.left + a.width, glob->resolution.x);
    EXPECT_LE(a.top + a.height, glob->resolution.y);

    ClickPlace('@', 3, 2);
    ClickPlace('l', 20, 5);
    EXPECT_EQ(ins->Rooms().size(), 2u);

    // Poking the placeholder again, by mouse this time, starts afresh.
    Click(createBar->buttons[0]->m_Button);
    Frame();
    EXPECT_TRUE(ins->Window()->IsGloballyVisible());
    EXPECT_TRUE(ins->Rooms().empty());
    EXPECT_EQ(ins->Picture(), Blank());
    EXPECT_EQ(ins->Description(), "");
    EXPECT_EQ(rogueWindow->m_TargetButton, createBar->buttons[0]);
    EXPECT_EQ(createBar->buttons.size(), 1u);
    // The kind chosen last is still chosen: the empty grid takes no click.
    EXPECT_EQ(rogueWindow->m_CurrentRoomType, LOOK);
    Click(ins->Cell(3, 2)->m_Button);
    EXPECT_TRUE(ins->Rooms().empty());
}

TEST_F(DesignerFixture, ChoiceColumnSelectsKinds)
{
    OpenDesignerByKey();
    std::string letters;
    for (const RogueButton* b : ins->Choices())
    {
        letters += b->m_ButtonChar;
        EXPECT_TRUE(b->m_choose);
        EXPECT_EQ(b->m_Button->GetLabel().toAnsiString(), std::string(1, b->m_ButtonChar));
    }
    EXPECT_EQ(letters, "@lRpf");
    EXPECT_EQ(ins->ChoiceColumn()->GetChildren().size(), 5u);

    Click(Choice('l')->m_Button);
    EXPECT_EQ(rogueWindow->m_CurrentRoomType, LOOK);
    Click(Choice('R')->m_Button, sf::Mouse::Right);
    EXPECT_EQ(rogueWindow->m_CurrentRoomType, LOOK);
    Click(Choice('p')->m_Button);
    EXPECT_EQ(rogueWindow->m_CurrentRoomType, PING);
    EXPECT_TRUE(ins->Rooms().empty());
    EXPECT_EQ(ins->Picture(), Blank());

    // A kind found in play shows as the last choice at the next opening.
    world->GetHumanPlayer()->m_DiscoveredRoomTypes.push_back(XSCISSORS);
    EXPECT_EQ(ins->Choices().size(), 5u);
    Click(createBar->buttons[0]->m_Button);
    Frame();
    ASSERT_EQ(ins->Choices().size(), 6u);
    EXPECT_EQ(ins->Choices().back()->m_ButtonChar, 'X');
    EXPECT_EQ(ins->ChoiceColumn()->GetChildren().size(), 6u);
    Click(ins->Choices().back()->m_Button);
    EXPECT_EQ(rogueWindow->m_CurrentRoomType, XSCISSORS);
}

TEST_F(DesignerFixture, PlaceAndRemoveByClicks)
{
    OpenDesignerByKey();
    ClickPlace('l', 3, 2); // no base yet
    EXPECT_TRUE(ins->Rooms().empty());
    ClickPlace('@', 0, 0); // where a choice button's own position points
    ClickPlace('R', 20, 5);
    ClickPlace('p', 34, 12);
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{PLAYERBASE, ROCK, PING}));
    EXPECT_EQ(ins->Rooms()[1]->space, sf::IntRect(20, 5, 12, 7));
    EXPECT_EQ(ins->Description(), "Rp");
    EXPECT_EQ(ins->DescriptionLabel()->GetText().toAnsiString(), "Rp");
    Frame();

    // A right click on a choice button or an empty cell removes nothing.
    const Picture before = ins->Picture();
    for (const RogueButton* choice : ins->Choices())
        Click(choice->m_Button, sf::Mouse::Right);
    EXPECT_EQ(ins->Rooms().size(), 3u);
    EXPECT_EQ(rogueWindow->m_CurrentRoomType, PING);
    Click(ins->Cell(0, 17)->m_Button, sf::Mouse::Right);
    EXPECT_EQ(ins->Rooms().size(), 3u);
    EXPECT_EQ(ins->Picture(), before);

    // A wall cell removes its room, as the floor does.
    Click(ins->Cell(31, 8)->m_Button, sf::Mouse::Right); // right wall of the R room
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{PLAYERBASE, PING}));
    Click(ins->Cell(38, 14)->m_Button, sf::Mouse::Right); // floor of the ping room
    EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{PLAYERBASE}));
    EXPECT_EQ(ins->Description(), "");
    EXPECT_EQ(ins->At(20, 5), ' ');
    Frame();
}

TEST_F(DesignerFixture, InventoryKeepsTheDesignAsATemplate)
{
    OpenDesignerByKey();
    BarButton* placeholder = createBar->buttons[0];
    ClickPlace('@', 3, 2);
    ClickPlace('l', 20, 5);
    ClickPlace('R', 30, 10);
    ClickPlace('f', 10, 12);
    const size_t objects = world->m_Objects.size();
    const size_t notes = notificationBar->buttons.size();
    const int risk = world->GetHumanPlayer()->m_Risk;
    Click(ins->InventoryButton());
    Frame();

    EXPECT_FALSE(ins->Window()->IsGloballyVisible());
    EXPECT_TRUE(ins->Rooms().empty());
    EXPECT_EQ(ins->Picture(), Blank());
    ASSERT_EQ(createBar->buttons.size(), 2u);
    EXPECT_EQ(createBar->buttons[0], placeholder);
    EXPECT_EQ(placeholder->m_Button->GetLabel().toAnsiString(), "lRf");
    const Object* tpl = placeholder->m_Obj;
    EXPECT_EQ(tpl->m_Name, "lRf");
    EXPECT_EQ(tpl->m_PlayerID, 0);
    ASSERT_EQ(tpl->m_Rooms.size(), 4u);
    const RoomType types[] = {PLAYERBASE, LOOK, ROCK, FORAGE};
    for (size_t i = 0; i < 4; ++i)
    {
        EXPECT_EQ(tpl->m_Rooms[i]->Type, types[i]);
        EXPECT_EQ(tpl->m_Rooms[i]->Rect, sf::FloatRect(0, 0, 1, 1));
    }
    BarButton* fresh = createBar->buttons[1];
    EXPECT_EQ(fresh->m_Button->GetLabel().toAnsiString(), "~new");
    EXPECT_EQ(fresh->m_Index, 1);
    EXPECT_EQ(fresh->m_Obj->m_Rooms[0]->Type, NEW);
    EXPECT_EQ(rogueWindow->m_TargetButton, fresh);
    // Keeping a design is not a turn and puts nothing into the world.
    EXPECT_EQ(world->m_Objects.size(), objects);
    EXPECT_EQ(notificationBar->buttons.size(), notes);
    EXPECT_EQ(world->GetHumanPlayer()->m_Risk, risk);

    // A design holding only its base: an empty label and name.
    Key(sf::Keyboard::Num2);
    ASSERT_TRUE(ins->Window()->IsGloballyVisible());
    ClickPlace('@', 3, 2);
    Click(ins->InventoryButton());
    ASSERT_EQ(createBar->buttons.size(), 3u);
    EXPECT_EQ(fresh->m_Button->GetLabel().toAnsiString(), "");
    EXPECT_EQ(fresh->m_Obj->m_Name, "");
    ASSERT_EQ(fresh->m_Obj->m_Rooms.size(), 1u);
    EXPECT_EQ(fresh->m_Obj->m_Rooms[0]->Type, PLAYERBASE);
    EXPECT_EQ(createBar->buttons[2]->m_Button->GetLabel().toAnsiString(), "~new");
    Frame();
}

TEST_F(DesignerFixture, DeleteThrowsTheDesignAway)
{
    OpenDesignerByKey();
    ClickPlace('@', 3, 2);
    ClickPlace('l', 20, 5);
    const size_t objects = world->m_Objects.size();
    Click(ins->DeleteButton());
    Frame();
    EXPECT_FALSE(ins->Window()->IsGloballyVisible());
    EXPECT_TRUE(ins->Rooms().empty());
    EXPECT_EQ(ins->Picture(), Blank());
    ASSERT_EQ(createBar->buttons.size(), 1u);
    EXPECT_EQ(createBar->buttons[0]->m_Button->GetLabel().toAnsiString(), "~new");
    EXPECT_EQ(createBar->buttons[0]->m_Obj->m_Rooms[0]->Type, NEW);
    EXPECT_EQ(rogueWindow->m_TargetButton, createBar->buttons[0]);
    EXPECT_EQ(world->m_Objects.size(), objects);
}

TEST_F(DesignerFixture, SpawnTwicePutsTwoObjectsIntoTheWorld)
{
    OpenDesignerByKey();
    ClickPlace('@', 3, 2);
    ClickPlace('l', 20, 5);
    ClickPlace('R', 30, 10);

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
        const int n = Suffix(obj->m_Name, "lR");
        EXPECT_GE(n, 0) << obj->m_Name;
        EXPECT_LE(n, 998);
        EXPECT_EQ(obj->m_Rooms[0]->Type, PLAYERBASE);
        EXPECT_EQ(obj->m_Rooms[1]->Type, LOOK);
        EXPECT_EQ(obj->m_Rooms[2]->Type, ROCK);
        spawned.push_back(obj);

        // The window stays open with the design as it was.
        EXPECT_TRUE(ins->Window()->IsGloballyVisible());
        EXPECT_EQ(RoomTypes(), (std::vector<RoomType>{PLAYERBASE, LOOK, ROCK}));
        EXPECT_EQ(ins->Description(), "lR");
        EXPECT_EQ(createBar->buttons.size(), b.barButtons);
    }
    // Two objects, each with rooms of its own.
    ASSERT_EQ(spawned.size(), 2u);
    EXPECT_NE(spawned[0], spawned[1]);
    EXPECT_NE(spawned[0]->m_Rooms[1], spawned[1]->m_Rooms[1]);
}

// The number after the name is the draw that follows the new object's
// placement: with rand() replayed, the name and the position are known.
TEST_F(DesignerFixture, SpawnNumberIsTheDrawAfterPlacement)
{
    OpenDesignerByKey();
    ClickPlace('@', 3, 2);
    ClickPlace('l', 20, 5);
    srand(99);
    Object probe; // places itself with the same draws a new object makes
    const int suffix = rand() % 999;
    srand(99);
    const Before b = Snapshot();
    testing::internal::CaptureStdout();
    Click(ins->SpawnButton());
    const std::string out = testing::internal::GetCapturedStdout();
    const Object* obj = ExpectOneSpawn(b, 2, "l");
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->m_Name, "l" + std::to_string(suffix));
    EXPECT_EQ(out, "l" + std::to_string(suffix) + "\n");
    EXPECT_EQ(obj->m_Position, probe.m_Position);
}

// An empty design is neither kept nor spawned: the command is ignored and
// the window stays open, so no object without rooms reaches the bar or the
// world.
TEST_F(DesignerFixture, EmptyDesignIsNeitherKeptNorSpawned)
{
    OpenDesignerByKey();
    for (int pass = 0; pass < 2; ++pass)
    {
        if (pass == 1)
        {
            // Emptied by hand this time.
            ClickPlace('@', 3, 2);
            Click(ins->Cell(3, 2)->m_Button, sf::Mouse::Right);
        }
        ASSERT_TRUE(ins->Rooms().empty());
        const Before b = Snapshot();
        testing::internal::CaptureStdout();
        Click(ins->SpawnButton());
        Click(ins->InventoryButton());
        const std::string out = testing::internal::GetCapturedStdout();
        Frame();
        EXPECT_EQ(out, "");
        EXPECT_TRUE(ins->Window()->IsGloballyVisible());
        EXPECT_EQ(world->m_Objects.size(), b.objects);
        EXPECT_EQ(notificationBar->buttons.size(), b.notifications);
        EXPECT_EQ(world->GetHumanPlayer()->m_Risk, b.risk);
        EXPECT_EQ(mashWindow->m_Longdata.size(), b.console);
        ASSERT_EQ(createBar->buttons.size(), 1u);
        EXPECT_EQ(createBar->buttons[0]->m_Obj->m_Rooms[0]->Type, NEW);
        EXPECT_EQ(rogueWindow->m_TargetButton, createBar->buttons[0]);
    }
}
