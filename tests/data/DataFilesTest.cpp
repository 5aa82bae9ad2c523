// The committed data files as the game reads them.
#include "Object.h"
#include "SfmlCompat.h"
#include "WorldMap.h"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
const std::string TOP = std::string(VONDRELLEX_DATA_TOP) + "/";

TEST(DataFilesTest, WorldMapIsLandExactlyWhereObjectsMayStand)
{
    sf::Image map;
    ASSERT_TRUE(map.loadFromFile(TOP + "worldmap.png"));
    // Labels hang right and down from their position: the last candidates
    // still need a few pixels of picture under their first letters.
    ASSERT_GE(map.getSize().x, MAPWIDTH + 16u);
    ASSERT_GE(map.getSize().y, MAPHEIGHT + 12u);
    // Every pixel, beyond the candidates too, opaque and clearly land or
    // water by the picture's own rule.
    Object probe;
    int bad = 0;
    for (unsigned y = 0; y < map.getSize().y; ++y)
    {
        for (unsigned x = 0; x < map.getSize().x; ++x)
        {
            const sf::Color c = compat::GetPixel(map, x, y);
            const bool mayStand = probe.TryPosition(sf::Vector2f(x, y));
            if ((datagen::IsLandColour(c) != mayStand || std::abs(c.g - c.b) < datagen::LANDCOLOUR_MARGIN ||
                 c.a != 255) &&
                ++bad <= 10)
                ADD_FAILURE() << "(" << x << ", " << y << ") is " << (mayStand ? "land" : "water")
                              << " but painted " << int(c.r) << "," << int(c.g) << "," << int(c.b) << ","
                              << int(c.a);
        }
    }
    EXPECT_EQ(bad, 0);
}

TEST(DataFilesTest, SplashLogosAreTwoOpaqueSquaresThatFadeToBlackAtTheEdge)
{
    // The splash centres each 256 x 256 picture on a black screen: the
    // outermost ring of pixels is (nearly) black so the edge never shows.
    sf::Image logos[2];
    ASSERT_TRUE(logos[0].loadFromFile(TOP + "logo1.png"));
    ASSERT_TRUE(logos[1].loadFromFile(TOP + "logo.png"));
    ASSERT_EQ(logos[0].getSize(), sf::Vector2u(256, 256));
    ASSERT_EQ(logos[1].getSize(), sf::Vector2u(256, 256));
    for (int i = 0; i < 2; ++i)
    {
        int brightEdge = 0, lit = 0, translucent = 0, differing = 0;
        for (unsigned y = 0; y < 256; ++y)
        {
            for (unsigned x = 0; x < 256; ++x)
            {
                const sf::Color c = compat::GetPixel(logos[i], x, y);
                const int level = std::max({c.r, c.g, c.b});
                brightEdge += (x == 0 || y == 0 || x == 255 || y == 255) && level > 8;
                lit += level > 128;
                translucent += c.a != 255;
                differing += c != compat::GetPixel(logos[1 - i], x, y);
            }
        }
        EXPECT_EQ(brightEdge, 0) << "logo " << i;
        EXPECT_GT(lit, 2000) << "logo " << i;
        EXPECT_EQ(translucent, 0) << "logo " << i;
        EXPECT_GT(differing, 256 * 256 / 4);
    }
}

TEST(DataFilesTest, MusicIsAMinuteThatLoopsWithoutAClickAndIsNeverSilentOrClipped)
{
    const std::string path = TOP + "Vondrellex.ogg";
    EXPECT_LT(std::filesystem::file_size(path), 1500000u);
    sf::InputSoundFile file;
    ASSERT_TRUE(file.openFromFile(path));
    EXPECT_NEAR(file.getDuration().asSeconds(), 60.0f, 0.05f);
    const std::size_t channels = file.getChannelCount(), rate = file.getSampleRate();
    std::vector<std::int16_t> samples(static_cast<std::size_t>(file.getSampleCount()));
    ASSERT_EQ(file.read(samples.data(), samples.size()), samples.size());
    const std::size_t frames = samples.size() / channels;
    for (std::size_t ch = 0; ch < channels; ++ch)
    {
        const auto at = [&](std::size_t frame) { return static_cast<int>(samples[frame * channels + ch]); };
        // The jump from the last frame back to the first is no bigger than
        // the larger steps inside the piece: no click when it loops.
        std::vector<int> steps;
        for (std::size_t i = 1; i < frames; ++i)
            steps.push_back(std::abs(at(i) - at(i - 1)));
        std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
        const int seam = std::abs(at(frames - 1) - at(0));
        EXPECT_LE(seam, 3 * steps[steps.size() * 99 / 100]) << "channel " << ch;
        EXPECT_LT(seam, 2000) << "channel " << ch;
        // Every second is audible: no silent gap, no fade-out before the loop.
        for (std::size_t second = 0; second < frames / rate; ++second)
        {
            double energy = 0.0;
            int peak = 0;
            for (std::size_t i = second * rate; i < (second + 1) * rate; ++i)
            {
                energy += static_cast<double>(at(i)) * at(i);
                peak = std::max(peak, std::abs(at(i)));
            }
            EXPECT_GT(std::sqrt(energy / rate), 500.0) << "channel " << ch << " second " << second;
            EXPECT_LT(peak, 32000) << "channel " << ch << " second " << second;
        }
    }
}
} // namespace
