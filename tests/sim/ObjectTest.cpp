#include "WorldFixture.h"

#include <cctype>

TEST(RoomKinds, LettersAndNamesRoundTripExceptTheSharedAndPlaceholderKinds)
{
    EXPECT_EQ(RoomTypeToChar(NEW), '0');
    EXPECT_EQ(RoomTypeToName(NEW), "");
    EXPECT_EQ(RoomTypeToChar(static_cast<RoomType>(-1)), '0');
    EXPECT_EQ(RoomTypeToName(static_cast<RoomType>(42)), "");

    for (int t = PLAYERBASE; t <= PINGFAKE; ++t)
        EXPECT_EQ(CharToRoomType(RoomTypeToChar(static_cast<RoomType>(t))), t) << "kind " << t;
    EXPECT_EQ(CharToRoomType(RoomTypeToChar(PLAYERLAIR)), PLAYERBASE);
    EXPECT_EQ(CharToRoomType(RoomTypeToChar(NEW)), PING);
}

TEST(RoomKinds, UnknownCharactersBecomePingsAndLettersAreCaseSensitive)
{
    EXPECT_EQ(CharToRoomType('@'), PLAYERBASE);
    EXPECT_EQ(CharToRoomType('0'), PING);
    EXPECT_EQ(CharToRoomType('?'), PING);
    EXPECT_EQ(CharToRoomType('p'), PING);
    EXPECT_EQ(CharToRoomType('\0'), PING);
    EXPECT_EQ(CharToRoomType('r'), RELAY);
    EXPECT_EQ(CharToRoomType('R'), ROCK);
    EXPECT_EQ(CharToRoomType('F'), FRIENDPING);
    EXPECT_EQ(CharToRoomType('f'), FORAGE);
    EXPECT_EQ(CharToRoomType('A'), ASCREAM);
    EXPECT_EQ(CharToRoomType('a'), ASEEKSCREAM);
    EXPECT_EQ(CharToRoomType('B'), BPAPER);
    EXPECT_EQ(CharToRoomType('b'), PINGFAKE);
}

TEST(RoomKinds, NamesShownInForageMessages)
{
    EXPECT_EQ(RoomTypeToName(PLAYERLAIR), "@Playerlair");
    EXPECT_EQ(RoomTypeToName(BPAPER), "BPaper");
    EXPECT_EQ(RoomTypeToName(XSCISSORS), "XScissors");
    EXPECT_EQ(RoomTypeToName(FRIENDPING), "Friendping");
    EXPECT_EQ(RoomTypeToName(SNOOP), "snoop");
    EXPECT_EQ(RoomTypeToName(DECOY), "decoy");
    EXPECT_EQ(RoomTypeToName(PINGFAKE), "bpingfake");
}

TEST(Rooms, ConstructorsCarryTheirRectangle)
{
    const Room unit(LOOK);
    EXPECT_EQ(unit.Type, LOOK);
    EXPECT_EQ(unit.Rect, sf::FloatRect(0, 0, 1, 1));
    const Room empty(LOOK, sf::FloatRect(0, 0, 0, 0));
    EXPECT_EQ(empty.Rect, sf::FloatRect(0, 0, 0, 0));
}

TEST(Placement, ContainmentEdgesOfTheLand)
{
    Object obj;
    EXPECT_TRUE(obj.TryPosition({30, 38}));  // top-left corner of the first rectangle
    EXPECT_FALSE(obj.TryPosition({29, 38}));
    EXPECT_FALSE(obj.TryPosition({30, 37}));
    EXPECT_TRUE(obj.TryPosition({30, 57}));
    EXPECT_FALSE(obj.TryPosition({30, 58})); // bottom edge is outside
    EXPECT_TRUE(obj.TryPosition({176, 58}));
    EXPECT_FALSE(obj.TryPosition({176, 57}));
    EXPECT_FALSE(obj.TryPosition({0, 0}));
    EXPECT_FALSE(obj.TryPosition({489, 239}));
    EXPECT_TRUE(obj.TryPosition({489, 39})); // the rectangle reaching past the map
}

TEST(Placement, ExactlyThisMuchOfTheMapIsLand)
{
    Object obj;
    int allowed = 0;
    int minX = MAPWIDTH, minY = MAPHEIGHT;
    for (int y = 0; y < MAPHEIGHT; ++y)
    {
        for (int x = 0; x < MAPWIDTH; ++x)
        {
            if (obj.TryPosition(sf::Vector2f(x, y)))
            {
                ++allowed;
                minX = std::min(minX, x);
                minY = std::min(minY, y);
            }
        }
    }
    EXPECT_EQ(allowed, 38245);
    EXPECT_EQ(minX, 30);
    EXPECT_EQ(minY, 28);
}

TEST(Placement, ShuffleDrawsRowThenColumnUntilOnLand)
{
    for (unsigned seed = 1; seed <= 50; ++seed)
    {
        srand(seed);
        Object obj;
        srand(seed);
        sf::Vector2f expected;
        do
        {
            const int y = rand() % MAPHEIGHT;
            const int x = rand() % MAPWIDTH;
            expected = sf::Vector2f(x, y);
        } while (!obj.TryPosition(expected));
        EXPECT_EQ(obj.m_Position, expected) << "seed " << seed;
        EXPECT_TRUE(obj.TryPosition(obj.m_Position));
    }
}

TEST(Objects, NewObjectDefaults)
{
    Object obj;
    EXPECT_TRUE(obj.m_Alive);
    EXPECT_TRUE(obj.m_Visible);
    EXPECT_EQ(obj.m_VisibleToPlayer, 1.0f);
    EXPECT_EQ(obj.m_PlayerID, 0);
    EXPECT_TRUE(obj.m_Rooms.empty());
    EXPECT_TRUE(obj.m_Name.empty());
    EXPECT_EQ(obj.m_Template, nullptr);
    EXPECT_TRUE(obj.TryPosition(obj.m_Position));
}

class SpawnTest : public WorldFixture
{
};

TEST_F(SpawnTest, CopySharesRoomsSideAndKnowledgeButNotSightings)
{
    Object* tmpl = Make(2, {PLAYERBASE, LOOK, PING}, "lp");
    Object* enemy = Lair(0);
    tmpl->m_KnownEnemies = {enemy, enemy};
    tmpl->m_NewKnownEnemies = {enemy};
    tmpl->m_RevealedToPlayers = {0};
    tmpl->m_VisibleToPlayer = 0.25f;
    tmpl->m_Template = tmpl;

    for (int i = 0; i < 200; ++i)
    {
        Object* copy = Keep(tmpl->Spawn());
        EXPECT_EQ(copy->m_Rooms, tmpl->m_Rooms); // the very same Room records
        EXPECT_EQ(copy->m_KnownEnemies, tmpl->m_KnownEnemies);
        EXPECT_EQ(copy->m_PlayerID, 2);
        EXPECT_EQ(copy->m_Template, tmpl);
        EXPECT_EQ(copy->m_VisibleToPlayer, 1.0f);
        EXPECT_TRUE(copy->m_NewKnownEnemies.empty());
        EXPECT_TRUE(copy->m_RevealedToPlayers.empty());
        EXPECT_TRUE(copy->m_Alive);
        ASSERT_GE(copy->m_Name.size(), 3u);
        ASSERT_LE(copy->m_Name.size(), 5u);
        EXPECT_EQ(copy->m_Name.substr(0, 2), "lp");
        const std::string digits = copy->m_Name.substr(2);
        for (char c : digits)
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c)));
        EXPECT_TRUE(digits == "0" || digits[0] != '0') << copy->m_Name;
        EXPECT_LT(std::stoi(digits), 999);
        EXPECT_TRUE(copy->TryPosition(copy->m_Position));
    }
}

TEST_F(SpawnTest, NumberIsDrawnBetweenTheTwoPlacements)
{
    Object* tmpl = Make(1, {PLAYERBASE}, "x");
    Object probe;
    for (unsigned seed = 1; seed <= 20; ++seed)
    {
        srand(seed);
        Object* copy = Keep(tmpl->Spawn());

        srand(seed);
        auto place = [&]() {
            sf::Vector2f p;
            do
            {
                const int y = rand() % MAPHEIGHT;
                const int x = rand() % MAPWIDTH;
                p = sf::Vector2f(x, y);
            } while (!probe.TryPosition(p));
            return p;
        };
        place();
        const int number = rand() % 999;
        const sf::Vector2f second = place();
        EXPECT_EQ(copy->m_Name, "x" + std::to_string(number));
        EXPECT_EQ(copy->m_Position, second);
    }
}
