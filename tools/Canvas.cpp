#include "Canvas.h"

#include "SfmlCompat.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace datagen
{

Colour HexColour(unsigned rgb)
{
    return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f, static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(rgb & 0xFF) / 255.0f};
}

Colour MixColour(Colour a, Colour b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

namespace
{

float Length(float x, float y)
{
    return std::sqrt(x * x + y * y);
}

float SegmentDistance(sf::Vector2f p, sf::Vector2f a, sf::Vector2f b)
{
    const sf::Vector2f pa = p - a;
    const sf::Vector2f ba = b - a;
    const float len2 = ba.x * ba.x + ba.y * ba.y;
    float h = len2 > 0.0f ? (pa.x * ba.x + pa.y * ba.y) / len2 : 0.0f;
    h = std::clamp(h, 0.0f, 1.0f);
    return Length(pa.x - ba.x * h, pa.y - ba.y * h);
}

// Letter strokes on a 4 x 6 grid, y downwards. Each letter is a list of
// polylines.
using Strokes = std::vector<std::vector<sf::Vector2f>>;
const std::map<char, Strokes>& Letters()
{
    static const std::map<char, Strokes> letters = {
        {'A', {{{0, 6}, {2, 0}, {4, 6}}, {{0.67f, 4}, {3.33f, 4}}}},
        {'D', {{{0, 0}, {0, 6}, {2.5f, 6}, {4, 4.5f}, {4, 1.5f}, {2.5f, 0}, {0, 0}}}},
        {'E', {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}}},
        {'F', {{{4, 0}, {0, 0}, {0, 6}}, {{0, 3}, {3, 3}}}},
        {'G', {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 3}, {2.2f, 3}}}},
        {'H', {{{0, 0}, {0, 6}}, {{4, 0}, {4, 6}}, {{0, 3}, {4, 3}}}},
        {'L', {{{0, 0}, {0, 6}, {4, 6}}}},
        {'M', {{{0, 6}, {0, 0}, {2, 3.5f}, {4, 0}, {4, 6}}}},
        {'N', {{{0, 6}, {0, 0}, {4, 6}, {4, 0}}}},
        {'O', {{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}}}},
        {'R', {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}, {{2, 3}, {4, 6}}}},
        {'S',
         {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 2}, {1, 3}, {3, 3}, {4, 4}, {4, 5}, {3, 6}, {1, 6}, {0, 5}}}},
        {'V', {{{0, 0}, {2, 6}, {4, 0}}}},
        {'X', {{{0, 0}, {4, 6}}, {{4, 0}, {0, 6}}}},
    };
    return letters;
}

} // namespace

Sdf Circle(float cx, float cy, float r)
{
    return [=](float x, float y) { return Length(x - cx, y - cy) - r; };
}

Sdf Ring(float cx, float cy, float r, float halfWidth)
{
    return [=](float x, float y) { return std::fabs(Length(x - cx, y - cy) - r) - halfWidth; };
}

Sdf Segment(sf::Vector2f a, sf::Vector2f b, float halfWidth)
{
    return [=](float x, float y) { return SegmentDistance({x, y}, a, b) - halfWidth; };
}

Sdf Polygon(std::vector<sf::Vector2f> points)
{
    return [pts = std::move(points)](float x, float y) {
        const sf::Vector2f p(x, y);
        float best = 1e30f;
        bool inside = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++)
        {
            best = std::min(best, SegmentDistance(p, pts[j], pts[i]));
            // Even-odd crossing test for the sign.
            if ((pts[i].y > y) != (pts[j].y > y) &&
                x < (pts[j].x - pts[i].x) * (y - pts[i].y) / (pts[j].y - pts[i].y) + pts[i].x)
                inside = !inside;
        }
        return inside ? -best : best;
    };
}

Sdf Intersect(Sdf a, Sdf b)
{
    return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

Sdf Subtract(Sdf a, Sdf b)
{
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

Sdf Grow(Sdf a, float by)
{
    return [=](float x, float y) { return a(x, y) - by; };
}

float LetteringWidth(const std::string& text, float unit, float spacing)
{
    if (text.empty())
        return 0.0f;
    return static_cast<float>(text.size()) * 4.0f * unit + static_cast<float>(text.size() - 1) * spacing;
}

Sdf Lettering(const std::string& text, sf::Vector2f topLeft, float unit, float spacing, float halfWidth)
{
    std::vector<std::vector<sf::Vector2f>> lines;
    float left = topLeft.x;
    for (char ch : text)
    {
        auto found = Letters().find(ch);
        if (found != Letters().end())
        {
            for (const auto& stroke : found->second)
            {
                std::vector<sf::Vector2f> line;
                for (sf::Vector2f p : stroke)
                    line.push_back({left + p.x * unit, topLeft.y + p.y * unit});
                lines.push_back(std::move(line));
            }
        }
        left += 4.0f * unit + spacing;
    }
    const float right = left;
    const float top = topLeft.y - halfWidth - 2.0f;
    const float bottom = topLeft.y + 6.0f * unit + halfWidth + 2.0f;
    return [lines = std::move(lines), halfWidth, x0 = topLeft.x - halfWidth - 2.0f, right, top,
            bottom](float x, float y) {
        // Outside the text's box (which has a margin of 2 around the
        // strokes) the distance to the box is a fair stand-in, and cheap.
        const float bx = std::max({x0 - x, 0.0f, x - right});
        const float by = std::max({top - y, 0.0f, y - bottom});
        if (bx > 0.0f || by > 0.0f)
            return Length(bx, by) + 2.0f;
        float best = 1e30f;
        for (const auto& line : lines)
            for (std::size_t i = 1; i < line.size(); ++i)
                best = std::min(best, SegmentDistance({x, y}, line[i - 1], line[i]));
        return best - halfWidth;
    };
}

template <class F>
void Canvas::ForEachPixel(F f)
{
    for (unsigned y = 0; y < m_Height; ++y)
        for (unsigned x = 0; x < m_Width; ++x)
            f((x + 0.5f) / m_Scale, (y + 0.5f) / m_Scale, m_Pixels[y * m_Width + x]);
}

Canvas::Canvas(unsigned width, unsigned height, const Paint& background, float scale)
    : m_Width(width), m_Height(height), m_Scale(scale), m_Pixels(static_cast<std::size_t>(width) * height)
{
    ForEachPixel([&](float px, float py, Colour& dst) { dst = background(px, py); });
}

void Canvas::Fill(const Sdf& shape, const Paint& paint, float opacity)
{
    ForEachPixel([&](float px, float py, Colour& dst) {
        // The distance comes in drawing units; the anti-aliasing wants it in
        // output pixels.
        const float coverage = std::clamp(0.5f - shape(px, py) * m_Scale, 0.0f, 1.0f) * opacity;
        if (coverage > 0.0f)
            dst = MixColour(dst, paint(px, py), coverage);
    });
}

void Canvas::Fill(const Sdf& shape, Colour colour, float opacity)
{
    Fill(
        shape, [colour](float, float) { return colour; }, opacity);
}

void Canvas::Glow(const Sdf& shape, Colour colour, float radius, float strength)
{
    ForEachPixel([&](float px, float py, Colour& dst) {
        const float d = std::max(0.0f, shape(px, py));
        const float k = strength * std::exp(-d / radius);
        dst = {dst.r + colour.r * k, dst.g + colour.g * k, dst.b + colour.b * k};
    });
}

sf::Image Canvas::ToImage() const
{
    sf::Image image;
    compat::Resize(image, sf::Vector2u(m_Width, m_Height), sf::Color::Black);
    auto channel = [](float v) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
    };
    for (unsigned y = 0; y < m_Height; ++y)
    {
        for (unsigned x = 0; x < m_Width; ++x)
        {
            const Colour& c = m_Pixels[y * m_Width + x];
            compat::SetPixel(image, x, y, sf::Color(channel(c.r), channel(c.g), channel(c.b)));
        }
    }
    return image;
}

} // namespace datagen
