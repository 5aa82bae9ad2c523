#include "WorldFixture.h"

using ObjectTest = WorldFixture;

TEST_F(ObjectTest, RoomKindLettersReadBackExceptTheSharedAndPlaceholderKinds)
{
    // Every letter but '@' is its own kind's, case and all.
    for (int t = PLAYERBASE; t <= PINGFAKE; ++t)
        EXPECT_EQ(CharToRoomType(RoomTypeToChar(static_cast<RoomType>(t))), t) << "kind " << t;
    EXPECT_EQ(CharToRoomType(RoomTypeToChar(PLAYERLAIR)), PLAYERBASE);
    for (int odd : {int(NEW), -1, 42})
        EXPECT_TRUE(RoomTypeToChar(RoomType(odd)) == '0' && RoomTypeToName(RoomType(odd)).empty())
            << "kind " << odd;
    for (char unknown : {'0', '?', '\0'})
        EXPECT_EQ(CharToRoomType(unknown), PING) << int(unknown);
}

TEST_F(ObjectTest, LandIsWhereTheLabelCornerFallsInARectangle)
{
    // The corner is ten pixels up and left of the position; a rectangle holds
    // its left and top edges, not its right and bottom ones.
    const struct
    {
        float x, y;
        bool land;
    } points[] = {{30, 38, true},   {29, 38, false}, {30, 37, false},   {30, 57, true},
                  {30, 58, false},  {175, 38, true}, {176, 38, false},  {176, 58, true},
                  {176, 57, false}, {0, 0, false},   {489, 239, false}, {489, 39, true}};
    Object obj;
    for (const auto& p : points)
        EXPECT_EQ(obj.TryPosition({p.x, p.y}), p.land) << p.x << ", " << p.y;
    int allowed = 0;
    for (int y = 0; y < MAPHEIGHT; ++y)
        for (int x = 0; x < MAPWIDTH; ++x)
            allowed += obj.TryPosition(sf::Vector2f(x, y));
    EXPECT_EQ(allowed, 38245);
}

TEST_F(ObjectTest, NewAndSpawnedObjectsDrawRowThenColumnAndSpawnsTheirNumberInBetween)
{
    Object* tmpl = Add(2, {PLAYERBASE, LOOK, PING}, "lp", false);
    tmpl->m_KnownEnemies = {Lair(0), Lair(0)};
    tmpl->m_NewKnownEnemies = {Lair(0)};
    tmpl->m_RevealedToPlayers = {0};
    tmpl->m_VisibleToPlayer = 0.25f;
    tmpl->m_Template = tmpl;
    const auto place = [&] {
        sf::Vector2f p;
        do
        {
            const int y = rand() % MAPHEIGHT;
            p = sf::Vector2f(rand() % MAPWIDTH, y);
        } while (!tmpl->TryPosition(p));
        return p;
    };
    for (unsigned seed = 1; seed <= 50; ++seed)
    {
        srand(seed);
        const Object fresh;
        srand(seed);
        const Object* copy = Keep(tmpl->Spawn());
        srand(seed);
        EXPECT_EQ(fresh.m_Position, place()) << "seed " << seed;
        EXPECT_EQ(copy->m_Name, "lp" + std::to_string(rand() % 999));
        EXPECT_EQ(copy->m_Position, place()) << "seed " << seed;

        // The copy shares the very Room records; sightings and reveals are not copied.
        EXPECT_EQ(copy->m_Rooms, tmpl->m_Rooms);
        EXPECT_EQ(copy->m_KnownEnemies, tmpl->m_KnownEnemies);
        EXPECT_EQ(copy->m_Template, tmpl);
        EXPECT_EQ(copy->m_PlayerID, 2);
        EXPECT_EQ(copy->m_VisibleToPlayer, 1.0f);
        EXPECT_TRUE(copy->m_NewKnownEnemies.empty() && copy->m_RevealedToPlayers.empty());
    }
}
