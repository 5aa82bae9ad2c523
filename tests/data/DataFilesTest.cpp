#include "Object.h"
#include "WorldMap.h"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace
{

const std::string TOP = VONDRELLEX_DATA_TOP;

bool LoadImage(sf::Image& image, const std::string& name)
{
    return image.loadFromFile(TOP + "/" + name);
}

// ----------------------------------------------------------- world map

class WorldMapPicture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadImage(map, "worldmap.png"));
    }

    sf::Image map;
    Object probe;
};

TEST_F(WorldMapPicture, CoversEveryCandidatePositionWithRoomForLabels)
{
    // Labels hang right and down from their position; the last candidates
    // still need a few pixels of picture under their first letters.
    EXPECT_GE(map.getSize().x, static_cast<unsigned>(MAPWIDTH) + 16);
    EXPECT_GE(map.getSize().y, static_cast<unsigned>(MAPHEIGHT) + 12);
}

TEST_F(WorldMapPicture, LandIsPaintedExactlyWhereObjectsMayStand)
{
    int allowed = 0;
    int paintedLand = 0;
    int mismatches = 0;
    for (int y = 0; y < MAPHEIGHT; ++y)
    {
        for (int x = 0; x < MAPWIDTH; ++x)
        {
            const bool mayStand = probe.TryPosition(sf::Vector2f(static_cast<float>(x), static_cast<float>(y)));
            const bool land = datagen::IsLandColour(map.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)));
            allowed += mayStand;
            paintedLand += land;
            if (mayStand != land && ++mismatches <= 10)
                ADD_FAILURE() << "(" << x << ", " << y << ") is " << (mayStand ? "allowed" : "not allowed")
                              << " but painted as " << (land ? "land" : "water");
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(allowed, 38245);
    EXPECT_EQ(paintedLand, 38245);
}

TEST_F(WorldMapPicture, WholePictureFollowsTheRuleWithMarginAndIsOpaque)
{
    // Beyond the candidates too (rectangle 12 reaches past x = 489), and with
    // a clear margin, so the classification does not hang on one unit.
    int bad = 0;
    for (unsigned y = 0; y < map.getSize().y; ++y)
    {
        for (unsigned x = 0; x < map.getSize().x; ++x)
        {
            const sf::Color c = map.getPixel(x, y);
            const bool mayStand = probe.TryPosition(sf::Vector2f(static_cast<float>(x), static_cast<float>(y)));
            const int lead = mayStand ? c.g - c.b : c.b - c.g;
            if ((lead < datagen::LANDCOLOUR_MARGIN || c.a != 255) && ++bad <= 10)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") = " << int(c.r) << "," << int(c.g) << ","
                              << int(c.b) << "," << int(c.a);
        }
    }
    EXPECT_EQ(bad, 0);
}

TEST_F(WorldMapPicture, LandIsShadedNotFlat)
{
    std::vector<sf::Uint32> colours;
    for (unsigned y = 0; y < map.getSize().y; ++y)
        for (unsigned x = 0; x < map.getSize().x; ++x)
            if (datagen::IsLandColour(map.getPixel(x, y)))
                colours.push_back(map.getPixel(x, y).toInteger());
    std::sort(colours.begin(), colours.end());
    colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
    EXPECT_GT(colours.size(), 500u);
}

// ----------------------------------------------------------------- logos

void ExpectSplashLogo(const std::string& name)
{
    SCOPED_TRACE(name);
    sf::Image logo;
    ASSERT_TRUE(LoadImage(logo, name));
    // The splash centres a 256 x 256 picture on the screen.
    ASSERT_EQ(logo.getSize(), sf::Vector2u(256, 256));

    // Shown on a black screen: the outermost ring of pixels is (nearly) black
    // so the square's edge never shows; the middle is not empty.
    int brightEdge = 0;
    int lit = 0;
    for (unsigned y = 0; y < 256; ++y)
    {
        for (unsigned x = 0; x < 256; ++x)
        {
            const sf::Color c = logo.getPixel(x, y);
            EXPECT_EQ(c.a, 255);
            const int level = std::max({c.r, c.g, c.b});
            if ((x == 0 || y == 0 || x == 255 || y == 255) && level > 8)
                ++brightEdge;
            if (level > 128)
                ++lit;
        }
    }
    EXPECT_EQ(brightEdge, 0);
    EXPECT_GT(lit, 2000);
}

TEST(SplashLogos, AreOpaqueSquaresThatFadeToBlackAtTheEdge)
{
    ExpectSplashLogo("logo1.png");
    ExpectSplashLogo("logo.png");
}

TEST(SplashLogos, DifferFromEachOther)
{
    sf::Image first, second;
    ASSERT_TRUE(LoadImage(first, "logo1.png"));
    ASSERT_TRUE(LoadImage(second, "logo.png"));
    int differing = 0;
    for (unsigned y = 0; y < 256; ++y)
        for (unsigned x = 0; x < 256; ++x)
            differing += first.getPixel(x, y) != second.getPixel(x, y);
    EXPECT_GT(differing, 256 * 256 / 4);
}

// ----------------------------------------------------------------- music

TEST(BackgroundMusic, IsAMinuteOfStereoCdQualityUnderOnePointFiveMegabytes)
{
    const std::string path = TOP + "/Vondrellex.ogg";
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_LT(std::filesystem::file_size(path), 1500000u);

    sf::InputSoundFile file;
    ASSERT_TRUE(file.openFromFile(path));
    EXPECT_EQ(file.getSampleRate(), 44100u);
    EXPECT_EQ(file.getChannelCount(), 2u);
    EXPECT_NEAR(file.getDuration().asSeconds(), 60.0f, 0.05f);
}

TEST(BackgroundMusic, LoopsWithoutAClickAndIsNeverSilentOrClipped)
{
    sf::InputSoundFile file;
    ASSERT_TRUE(file.openFromFile(TOP + "/Vondrellex.ogg"));
    ASSERT_EQ(file.getChannelCount(), 2u);
    std::vector<sf::Int16> samples(static_cast<std::size_t>(file.getSampleCount()));
    ASSERT_EQ(file.read(samples.data(), samples.size()), samples.size());
    const std::size_t frames = samples.size() / 2;
    ASSERT_GT(frames, 44100u);

    for (std::size_t ch = 0; ch < 2; ++ch)
    {
        SCOPED_TRACE(ch == 0 ? "left" : "right");
        std::vector<int> steps;
        int peak = 0;
        for (std::size_t i = 1; i < frames; ++i)
        {
            steps.push_back(std::abs(samples[2 * i + ch] - samples[2 * (i - 1) + ch]));
            peak = std::max(peak, std::abs(static_cast<int>(samples[2 * i + ch])));
        }
        std::sort(steps.begin(), steps.end());
        const int typicalLargeStep = steps[steps.size() * 99 / 100];

        // The jump from the last frame back to the first is no bigger than
        // the larger steps inside the piece: no click when it loops.
        const int seam = std::abs(samples[2 * (frames - 1) + ch] - samples[ch]);
        EXPECT_LE(seam, 3 * typicalLargeStep);
        EXPECT_LT(seam, 2000);
        EXPECT_LT(peak, 32000);

        // Every second of the minute is audible: there is no silent gap, and
        // in particular no fade-out before the loop restarts.
        for (std::size_t second = 0; second + 1 <= frames / 44100; ++second)
        {
            double energy = 0.0;
            for (std::size_t i = second * 44100; i < (second + 1) * 44100; ++i)
                energy += static_cast<double>(samples[2 * i + ch]) * samples[2 * i + ch];
            EXPECT_GT(std::sqrt(energy / 44100.0), 500.0) << "second " << second;
        }
    }
}

} // namespace
