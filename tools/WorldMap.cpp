#include "WorldMap.h"

#include "Noise.h"
#include "Object.h"
#include "SfmlCompat.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace datagen
{
namespace
{

const int W = static_cast<int>(WORLDMAP_WIDTH);
const int H = static_cast<int>(WORLDMAP_HEIGHT);
// Distances to the coast are measured up to this many pixels; beyond it the
// sea is simply deep and the land simply inland.
const int REACH = 24;
const int GRIDSTEP = 44;

struct Rgb
{
    float r, g, b;
};

Rgb Mix(Rgb a, Rgb b, float t)
{
    return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t)};
}

Rgb Scale(Rgb a, float k)
{
    return {a.r * k, a.g * k, a.b * k};
}

Rgb Hex(unsigned v)
{
    return {static_cast<float>((v >> 16) & 0xFF), static_cast<float>((v >> 8) & 0xFF),
            static_cast<float>(v & 0xFF)};
}

// Piecewise-linear colour ramp over [0, 1].
Rgb Ramp(const std::vector<std::pair<float, Rgb>>& stops, float t)
{
    if (t <= stops.front().first)
        return stops.front().second;
    for (std::size_t i = 1; i < stops.size(); ++i)
    {
        if (t <= stops[i].first)
        {
            float u = (t - stops[i - 1].first) / (stops[i].first - stops[i - 1].first);
            return Mix(stops[i - 1].second, stops[i].second, u);
        }
    }
    return stops.back().second;
}

std::uint8_t Channel(float v)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// Distance from each pixel to the nearest pixel of the other kind (land to
// water, water to land), capped at REACH.
std::vector<float> CoastDistance(const std::vector<char>& land)
{
    std::vector<float> dist(land.size(), static_cast<float>(REACH));
    for (int y = 0; y < H; ++y)
    {
        for (int x = 0; x < W; ++x)
        {
            const char mine = land[y * W + x];
            int best = REACH * REACH;
            for (int dy = -REACH; dy <= REACH; ++dy)
            {
                int yy = y + dy;
                if (yy < 0 || yy >= H || dy * dy >= best)
                    continue;
                for (int dx = -REACH; dx <= REACH; ++dx)
                {
                    int xx = x + dx;
                    if (xx < 0 || xx >= W)
                        continue;
                    int d2 = dx * dx + dy * dy;
                    if (d2 < best && land[yy * W + xx] != mine)
                        best = d2;
                }
            }
            dist[y * W + x] = std::sqrt(static_cast<float>(best));
        }
    }
    return dist;
}

Rgb SeaColour(int x, int y, float toLand)
{
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const float broad = Fbm(fx / 48.0f, fy / 48.0f, 11);
    const float fine = Fbm(fx / 9.0f, fy / 9.0f, 23);

    // Deep water darkens away from the coast and towards the bottom.
    const float depth = SmoothStep(0.0f, static_cast<float>(REACH), toLand);
    Rgb deep = Mix(Hex(0x12304d), Hex(0x0a1a2c), 0.65f * depth + 0.35f * broad);
    deep = Scale(deep, 1.0f - 0.18f * fy / H);

    // Long faint swell lines.
    const float swell = std::sin((fx * 0.55f + fy * 0.22f) * 0.45f + broad * 9.0f);
    deep = Mix(deep, Hex(0x18405f), 0.10f * std::max(0.0f, swell) * (0.5f + fine));

    // Shallows: a band whose width wanders along the coast.
    const float band = 3.0f + 7.0f * broad;
    const float wobble = (fine - 0.5f) * 3.0f;
    const float shallow = 1.0f - SmoothStep(band * 0.4f, band + 2.0f, toLand + wobble);
    const Rgb shelf = Mix(Hex(0x2e6f7e), Hex(0x1b4a62), SmoothStep(1.0f, band + 2.0f, toLand));
    Rgb c = Mix(deep, shelf, shallow);

    // Surf right at the shore.
    if (toLand < 1.5f)
        c = Mix(c, Hex(0x6fa4b0), 0.55f);
    return c;
}

Rgb LandColour(float elevation, float toSea, bool west)
{
    // Muted and dark: the labels of the objects are always drawn on land,
    // so the relief must stay well below their brightness.
    static const std::vector<std::pair<float, Rgb>> ramp = {{0.00f, Hex(0x223a24)}, {0.30f, Hex(0x2c4629)},
                                                            {0.52f, Hex(0x3c4a2c)}, {0.68f, Hex(0x4a4630)},
                                                            {0.84f, Hex(0x564f40)}, {1.00f, Hex(0x6c665a)}};
    Rgb c = Ramp(ramp, elevation);
    // The western continent is a little drier, the eastern a little greener.
    c = west ? Mix(c, Hex(0x7a6a44), 0.12f) : Mix(c, Hex(0x2f5a3a), 0.10f);
    if (toSea < 1.5f)
        c = Mix(c, Hex(0x8a7e58), 0.7f); // beach
    return c;
}

// Keeps the land/water rule of IsLandColour with a visible margin.
void Separate(Rgb& c, bool land)
{
    const float m = static_cast<float>(LANDCOLOUR_MARGIN);
    float& high = land ? c.g : c.b;
    float& low = land ? c.b : c.g;
    high = std::clamp(high, 0.0f, 255.0f);
    low = std::clamp(low, 0.0f, 255.0f);
    if (high < low + m)
        high = low + m;
    if (high > 255.0f)
    {
        high = 255.0f;
        low = 255.0f - m;
    }
    high = std::round(high);
    low = std::round(low);
}

// Which pixels are land, and which of those are on the western continent;
// one entry a pixel, row by row.
struct LandMask
{
    std::vector<char> land;
    std::vector<char> west;
};

// Which pixels are land is decided by the game's own placement rule.
LandMask FindLand()
{
    LandMask mask{std::vector<char>(static_cast<std::size_t>(W) * H, 0),
                  std::vector<char>(static_cast<std::size_t>(W) * H, 0)};
    Object probe;
    for (int y = 0; y < H; ++y)
    {
        for (int x = 0; x < W; ++x)
        {
            const sf::Vector2f p(static_cast<float>(x), static_cast<float>(y));
            if (!probe.TryPosition(p))
                continue;
            mask.land[y * W + x] = 1;
            for (int r = 0; r < NOOFLANDRECTS; ++r)
            {
                if (LandRects[r].contains(LandTestPoint(p)))
                {
                    mask.west[y * W + x] = r < NOOFWESTERNLANDRECTS;
                    break;
                }
            }
        }
    }
    return mask;
}

// Elevation rises inland, broken up by noise, so the blocky continents get
// hills and valleys inside their straight coasts; 0 at sea.
std::vector<float> Elevation(const std::vector<char>& land, const std::vector<float>& coast)
{
    std::vector<float> elevation(land.size(), 0.0f);
    for (int y = 0; y < H; ++y)
    {
        for (int x = 0; x < W; ++x)
        {
            if (!land[y * W + x])
                continue;
            const float fx = static_cast<float>(x);
            const float fy = static_cast<float>(y);
            const float inland = SmoothStep(0.0f, 14.0f, coast[y * W + x]);
            const float hills = Fbm(fx / 26.0f, fy / 26.0f, 5);
            const float ridges = 1.0f - std::fabs(2.0f * Fbm(fx / 15.0f, fy / 15.0f, 7) - 1.0f);
            float e = inland * (0.25f + 0.55f * hills + 0.35f * ridges * ridges) +
                      0.06f * (Fbm(fx / 5.0f, fy / 5.0f, 9) - 0.5f);
            elevation[y * W + x] = std::clamp(e, 0.0f, 1.0f);
        }
    }
    return elevation;
}

// Hill shading lit from the top left: the factor that brightens or darkens
// the land at (x, y) by the slope of the elevation there.
float HillShade(const std::vector<float>& elevation, int x, int y)
{
    auto at = [&](int xx, int yy) {
        xx = std::clamp(xx, 0, W - 1);
        yy = std::clamp(yy, 0, H - 1);
        return elevation[static_cast<std::size_t>(yy) * W + xx];
    };
    const float slope = (at(x + 1, y) - at(x - 1, y)) + (at(x, y + 1) - at(x, y - 1));
    return std::clamp(1.0f + 1.6f * slope, 0.75f, 1.18f);
}

// A faint graticule; dotted on land so it does not fight the relief.
Rgb Graticule(Rgb c, int x, int y, bool isLand)
{
    const bool gridLine = (x % GRIDSTEP == 0 && x > 0) || (y % GRIDSTEP == 0 && y > 0);
    if (!gridLine)
        return c;
    if (!isLand)
        return {c.r + 5.0f, c.g + 9.0f, c.b + 14.0f};
    if ((x + y) % 2 == 0)
        return Scale(c, 0.86f);
    return c;
}

// Darkens the picture towards the corners.
Rgb Vignette(Rgb c, int x, int y)
{
    const float u = (static_cast<float>(x) / W - 0.5f) * 2.0f;
    const float v = (static_cast<float>(y) / H - 0.5f) * 2.0f;
    return Scale(c, 1.0f - 0.22f * SmoothStep(0.4f, 2.0f, u * u + v * v));
}

} // namespace

sf::Image BuildWorldMap()
{
    const LandMask mask = FindLand();
    const std::vector<float> coast = CoastDistance(mask.land);
    const std::vector<float> elevation = Elevation(mask.land, coast);

    sf::Image image;
    compat::Resize(image, sf::Vector2u(WORLDMAP_WIDTH, WORLDMAP_HEIGHT), sf::Color::Black);
    for (int y = 0; y < H; ++y)
    {
        for (int x = 0; x < W; ++x)
        {
            const std::size_t i = static_cast<std::size_t>(y) * W + x;
            const bool isLand = mask.land[i] != 0;
            Rgb c = isLand ? Scale(LandColour(elevation[i], coast[i], mask.west[i] != 0),
                                   HillShade(elevation, x, y))
                           : SeaColour(x, y, coast[i]);
            c = Graticule(c, x, y, isLand);
            c = Vignette(c, x, y);
            Separate(c, isLand);
            compat::SetPixel(image, static_cast<unsigned>(x), static_cast<unsigned>(y),
                             sf::Color(Channel(c.r), Channel(c.g), Channel(c.b)));
        }
    }
    return image;
}

} // namespace datagen
