#pragma once

// A small software painter for the splash logos: shapes are signed distance
// functions (negative inside, in pixels), painted with analytic
// anti-aliasing onto an opaque floating-point canvas.

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Vector2.hpp>

#include <functional>
#include <string>
#include <vector>

namespace datagen
{

struct Colour
{
    float r, g, b; // 0..1
};

Colour HexColour(unsigned rgb);
Colour MixColour(Colour a, Colour b, float t);

using Sdf = std::function<float(float x, float y)>;
using Paint = std::function<Colour(float x, float y)>;

// Shapes.
Sdf Circle(float cx, float cy, float r);
Sdf Ring(float cx, float cy, float r, float halfWidth);
Sdf Segment(sf::Vector2f a, sf::Vector2f b, float halfWidth);
Sdf Polygon(std::vector<sf::Vector2f> points); // simple polygon, any winding
Sdf Intersect(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);
Sdf Grow(Sdf a, float by); // outline of width `by` around a shape

// Stroked capital letters for the logos' word marks; only the letters those
// words need exist, others are skipped. `unit` is one sixth of the letter
// height; letters are four units wide.
Sdf Lettering(const std::string& text, sf::Vector2f topLeft, float unit, float spacing, float halfWidth);
float LetteringWidth(const std::string& text, float unit, float spacing);

class Canvas
{
public:
    // `scale` output pixels per drawing unit: shapes, paints and glow radii
    // stay in drawing units, so a picture can be rendered larger than drawn.
    Canvas(unsigned width, unsigned height, const Paint& background, float scale = 1.0f);

    // Covers the shape with the paint at the given opacity.
    void Fill(const Sdf& shape, const Paint& paint, float opacity = 1.0f);
    void Fill(const Sdf& shape, Colour colour, float opacity = 1.0f);
    // Adds light that falls off exponentially outside the shape.
    void Glow(const Sdf& shape, Colour colour, float radius, float strength);

    sf::Image ToImage() const;

private:
    // Calls `f(px, py, pixel)` for every pixel, with its centre in drawing
    // units.
    template <class F>
    void ForEachPixel(F f);

    unsigned m_Width;
    unsigned m_Height;
    float m_Scale;
    std::vector<Colour> m_Pixels;
};

} // namespace datagen
