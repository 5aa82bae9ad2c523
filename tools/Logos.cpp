#include "Logos.h"

#include "Canvas.h"
#include "Noise.h"

#include <cmath>

namespace datagen
{
namespace
{

const float PI = 3.14159265f;
const float SIZE = static_cast<float>(LOGO_SIZE);

// Both splashes are shown on a black screen: the background fades to pure
// black at the edges so the square never shows.
Paint Vignette(Colour centre, float cx, float cy)
{
    return [=](float x, float y) {
        const float r = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (SIZE * 0.5f);
        const float k = 1.0f - SmoothStep(0.0f, 1.0f, r);
        return Colour{centre.r * k, centre.g * k, centre.b * k};
    };
}

Paint VerticalGradient(Colour top, Colour bottom, float y0, float y1)
{
    return [=](float, float y) { return MixColour(top, bottom, SmoothStep(y0, y1, y)); };
}

// Regular polygon with `sides` corners, the first one straight up.
std::vector<sf::Vector2f> RegularPolygon(float cx, float cy, float r, int sides, float turn)
{
    std::vector<sf::Vector2f> pts;
    for (int i = 0; i < sides; ++i)
    {
        const float a = turn + 2.0f * PI * static_cast<float>(i) / static_cast<float>(sides);
        pts.push_back({cx + r * std::sin(a), cy - r * std::cos(a)});
    }
    return pts;
}

// A leaning teardrop pointing up: the flame.
std::vector<sf::Vector2f> Flame(float cx, float cy, float width, float height, float lean)
{
    std::vector<sf::Vector2f> pts;
    const int steps = 96;
    for (int i = 0; i < steps; ++i)
    {
        const float t = 2.0f * PI * static_cast<float>(i) / steps;
        const float s = std::sin(t * 0.5f);
        const float x = width * std::sin(t) * s * s;
        const float y = -height * std::cos(t);
        const float up = (height - y) / (2.0f * height); // 1 at the tip, 0 at the bottom
        pts.push_back({cx + x + lean * up * up * height, cy + y});
    }
    return pts;
}

// How a logo's word mark looks: both logos letter their names the same way,
// each in its own size and colours.
struct WordMarkStyle
{
    float unit;      // a sixth of the letter height
    float halfWidth; // of the strokes
    Colour top;      // the gradient down the letters
    Colour bottom;
    Colour glow;
    float glowStrength;
    // Opacity of a dark band round the strokes, under the glow (0: none).
    float outline = 0.0f;
};

// Draws `word` centred on `cx` with the tops of its letters at `top`.
void DrawWordMark(Canvas& canvas, const std::string& word, float cx, float top, const WordMarkStyle& style)
{
    const float spacing = 7.0f;
    const float left = cx - LetteringWidth(word, style.unit, spacing) * 0.5f;
    const Sdf text = Lettering(word, {left, top}, style.unit, spacing, style.halfWidth);
    if (style.outline > 0.0f)
        canvas.Fill(Grow(text, 1.5f), HexColour(0x000000), style.outline);
    canvas.Glow(text, style.glow, 4.0f, style.glowStrength);
    canvas.Fill(text, VerticalGradient(style.top, style.bottom, top, top + 6.0f * style.unit));
}

} // namespace

sf::Image BuildStudioLogo()
{
    const float cx = SIZE * 0.5f;
    const float cy = 100.0f;
    Canvas canvas(LOGO_SIZE, LOGO_SIZE, Vignette(HexColour(0x1c110b), cx, cy));

    const Colour copperLight = HexColour(0xf0a860);
    const Colour copperDark = HexColour(0x9a4a22);

    // Hexagonal frame, bright edge over a soft glow, a thin inner echo.
    const Sdf hexOuter = Polygon(RegularPolygon(cx, cy, 64.0f, 6, 0.0f));
    const Sdf hexFrame = Subtract(hexOuter, Polygon(RegularPolygon(cx, cy, 57.0f, 6, 0.0f)));
    canvas.Glow(hexFrame, HexColour(0x7a3010), 9.0f, 0.35f);
    canvas.Fill(hexFrame, VerticalGradient(copperLight, copperDark, cy - 64.0f, cy + 64.0f));
    const Sdf inner = Subtract(Polygon(RegularPolygon(cx, cy, 50.0f, 6, 0.0f)),
                               Polygon(RegularPolygon(cx, cy, 48.5f, 6, 0.0f)));
    canvas.Fill(inner, HexColour(0x6a3418), 0.8f);

    // The flame: an outer orange tongue and a pale core.
    const Sdf outerFlame = Polygon(Flame(cx, cy + 4.0f, 26.0f, 36.0f, 0.18f));
    const Sdf coreFlame = Polygon(Flame(cx + 1.0f, cy + 15.0f, 13.0f, 22.0f, 0.12f));
    canvas.Glow(outerFlame, HexColour(0xc0501a), 7.0f, 0.45f);
    canvas.Fill(outerFlame,
                VerticalGradient(HexColour(0xffd070), HexColour(0xd2541c), cy - 30.0f, cy + 40.0f));
    canvas.Fill(coreFlame, VerticalGradient(HexColour(0xfffbe8), HexColour(0xffc25a), cy, cy + 37.0f));

    // An anvil line the flame stands on.
    canvas.Fill(Segment({cx - 30.0f, cy + 43.0f}, {cx + 30.0f, cy + 43.0f}, 2.0f), copperLight);

    // Sparks.
    const sf::Vector2f sparks[] = {
        {cx + 30.0f, cy - 34.0f}, {cx + 40.0f, cy - 22.0f}, {cx - 34.0f, cy - 28.0f}};
    const float sparkSize[] = {2.2f, 1.5f, 1.7f};
    for (int i = 0; i < 3; ++i)
    {
        const Sdf spark = Circle(sparks[i].x, sparks[i].y, sparkSize[i]);
        canvas.Glow(spark, HexColour(0xff9040), 3.0f, 0.5f);
        canvas.Fill(spark, HexColour(0xffe6b0));
    }

    // Word mark.
    const float top = 192.0f;
    DrawWordMark(canvas, "HEXFORGE", cx, top,
                 {3.2f, 1.6f, copperLight, HexColour(0xc06a34), HexColour(0x5a2a10), 0.4f});
    // A rule under the word that fades out at both ends.
    canvas.Fill(Segment({cx - 70.0f, top + 31.0f}, {cx + 70.0f, top + 31.0f}, 0.6f), [=](float x, float) {
        const float k = 1.0f - std::fabs(x - cx) / 70.0f;
        return MixColour(HexColour(0x000000), copperDark, k);
    });
    return canvas.ToImage();
}

sf::Image BuildGameLogo(float scale)
{
    const float cx = EMBLEM_X;
    const float cy = EMBLEM_Y;
    const auto side = static_cast<unsigned>(std::lround(SIZE * scale));
    Canvas canvas(side, side, Vignette(HexColour(0x0e1f33), cx, cy), scale);

    // A round sea chart: dark water, a few noisy islands and a graticule.
    const float chartRadius = 80.0f;
    const Sdf chart = Circle(cx, cy, chartRadius);
    canvas.Fill(chart, [=](float x, float y) {
        const float n = Fbm(x / 30.0f, y / 30.0f, 41);
        return MixColour(HexColour(0x0b1b2e), HexColour(0x10283f), n);
    });
    const Sdf islands = [=](float x, float y) {
        // Positive noise threshold turned into a rough distance.
        return (0.6f - Fbm(x / 26.0f, y / 26.0f, 77)) * 40.0f;
    };
    canvas.Fill(Intersect(Grow(islands, 2.0f), Grow(chart, -3.0f)), HexColour(0x1d4f60), 0.7f);
    canvas.Fill(Intersect(islands, Grow(chart, -3.0f)), [](float x, float y) {
        return MixColour(HexColour(0x2a4a2c), HexColour(0x4c5a34), Fbm(x / 8.0f, y / 8.0f, 5));
    });
    const Sdf graticule = [=](float x, float y) {
        const float gx = std::fabs(std::fmod(x - cx + 1000.0f, 20.0f) - 10.0f);
        const float gy = std::fabs(std::fmod(y - cy + 1000.0f, 20.0f) - 10.0f);
        return std::max(10.0f - std::max(gx, gy) - 0.5f, chart(x, y) + 2.0f);
    };
    canvas.Fill(graticule, HexColour(0x3a6a8a), 0.35f);

    // Compass rim with ticks and four cardinal points.
    const Colour rim = HexColour(0x8aa6bd);
    canvas.Fill(Ring(cx, cy, chartRadius + 1.0f, 1.2f), rim, 0.9f);
    canvas.Fill(Ring(cx, cy, chartRadius + 8.0f, 0.6f), rim, 0.45f);
    for (int i = 0; i < 72; ++i)
    {
        const float a = 2.0f * PI * static_cast<float>(i) / 72.0f;
        const float len = i % 18 == 0 ? 10.0f : (i % 6 == 0 ? 6.0f : 3.0f);
        const sf::Vector2f dir(std::sin(a), -std::cos(a));
        const float r0 = chartRadius + 2.0f;
        canvas.Fill(Segment({cx + dir.x * r0, cy + dir.y * r0},
                            {cx + dir.x * (r0 + len), cy + dir.y * (r0 + len)}, i % 6 == 0 ? 0.8f : 0.45f),
                    rim, i % 6 == 0 ? 0.9f : 0.6f);
    }
    for (int i = 0; i < 4; ++i)
    {
        const float a = PI * 0.5f * static_cast<float>(i);
        const sf::Vector2f dir(std::sin(a), -std::cos(a));
        const sf::Vector2f side(-dir.y, dir.x);
        const float r0 = chartRadius + 11.0f;
        const sf::Vector2f tip(cx + dir.x * (r0 + 9.0f), cy + dir.y * (r0 + 9.0f));
        const sf::Vector2f base(cx + dir.x * r0, cy + dir.y * r0);
        canvas.Fill(Polygon({tip, base + side * 3.5f, base - side * 3.5f}),
                    i == 0 ? HexColour(0xe9c46a) : rim);
    }

    // The V: two tapering arms meeting at a point, gilded, with a dark rim,
    // a bevel of light along its edges and a faint grid of cells on it.
    const std::vector<sf::Vector2f> vShape = {
        {cx - 62.0f, cy - 58.0f}, {cx - 28.0f, cy - 58.0f}, {cx, cy + 22.0f},        {cx + 28.0f, cy - 58.0f},
        {cx + 62.0f, cy - 58.0f}, {cx + 12.0f, cy + 70.0f}, {cx - 12.0f, cy + 70.0f}};
    const Sdf v = Polygon(vShape);
    canvas.Glow(v, HexColour(0x6a4a10), 10.0f, 0.35f);
    canvas.Fill(Grow(v, 3.0f), HexColour(0x120a02));
    const Colour goldTop = HexColour(0xf6dc8a);
    const Colour goldBottom = HexColour(0xa8702a);
    canvas.Fill(v, [=](float x, float y) {
        Colour c = MixColour(goldTop, goldBottom, SmoothStep(cy - 58.0f, cy + 70.0f, y));
        // Cells like the designer's grid: faint lines and a few darker rooms.
        const float cell = 7.0f;
        const float fx = std::fmod(x - cx + 700.0f, cell);
        const float fy = std::fmod(y - cy + 700.0f, cell);
        if (fx < 0.9f || fy < 0.9f)
            c = MixColour(c, HexColour(0x5a3a10), 0.22f);
        const auto ix = static_cast<unsigned>((x - cx + 700.0f) / cell);
        const auto iy = static_cast<unsigned>((y - cy + 700.0f) / cell);
        if (Hash01(ix, iy, 3) < 0.12f)
            c = MixColour(c, HexColour(0x6a4412), 0.28f);
        // Bevel: the rim catches the light.
        const float depth = -v(x, y);
        if (depth < 3.0f)
            c = MixColour(c, HexColour(0xfff4c8), 0.45f * (1.0f - depth / 3.0f));
        return c;
    });

    // Word mark.
    DrawWordMark(canvas, "VONDRELLEX", cx, 210.0f,
                 {3.3f, 1.7f, HexColour(0xf8e6b0), HexColour(0xc89a48), HexColour(0x4a3a14), 0.35f, 0.8f});
    return canvas.ToImage();
}

} // namespace datagen
