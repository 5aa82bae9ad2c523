#include "Icons.h"

#include "Logos.h"
#include "SfmlCompat.h"

#include <algorithm>
#include <cmath>

namespace datagen
{
namespace
{

// The logo is rendered at this many times its size and then averaged down,
// so that even the largest icon is made from more pixels than it has.
const float SUPERSAMPLE = 2.0f;

// The logo rendered large, made once for all sizes.
const sf::Image& LargeLogo()
{
    static const sf::Image logo = BuildGameLogo(SUPERSAMPLE);
    return logo;
}

} // namespace

const std::vector<unsigned>& IconSizes()
{
    static const std::vector<unsigned> sizes = {16, 22, 24, 32, 48, 64, 128, 256};
    return sizes;
}

sf::Image BuildIcon(unsigned size)
{
    const sf::Image& logo = LargeLogo();
    const float left = (EMBLEM_X - EMBLEM_HALF) * SUPERSAMPLE;
    const float top = (EMBLEM_Y - EMBLEM_HALF) * SUPERSAMPLE;
    const float step =
        2.0f * EMBLEM_HALF * SUPERSAMPLE / static_cast<float>(size); // logo pixels per icon pixel

    sf::Image icon;
    compat::Resize(icon, sf::Vector2u(size, size), sf::Color::Transparent);
    const float centre = static_cast<float>(size) * 0.5f;
    for (unsigned y = 0; y < size; ++y)
    {
        for (unsigned x = 0; x < size; ++x)
        {
            // Area average of the logo pixels under this icon pixel, each
            // weighted by how much of it the icon pixel covers.
            const float x0 = left + static_cast<float>(x) * step;
            const float y0 = top + static_cast<float>(y) * step;
            float sum[3] = {0.0f, 0.0f, 0.0f};
            float total = 0.0f;
            for (auto ly = static_cast<unsigned>(y0); static_cast<float>(ly) < y0 + step; ++ly)
            {
                const float wy =
                    std::min(static_cast<float>(ly + 1), y0 + step) - std::max(static_cast<float>(ly), y0);
                for (auto lx = static_cast<unsigned>(x0); static_cast<float>(lx) < x0 + step; ++lx)
                {
                    const float w = wy * (std::min(static_cast<float>(lx + 1), x0 + step) -
                                          std::max(static_cast<float>(lx), x0));
                    const sf::Color c = compat::GetPixel(logo, lx, ly);
                    sum[0] += w * c.r;
                    sum[1] += w * c.g;
                    sum[2] += w * c.b;
                    total += w;
                }
            }
            // A round icon: opaque inside the circle, with one pixel of
            // anti-aliased edge.
            const float dx = static_cast<float>(x) + 0.5f - centre;
            const float dy = static_cast<float>(y) + 0.5f - centre;
            const float alpha = std::clamp(centre - 0.5f - std::sqrt(dx * dx + dy * dy), 0.0f, 1.0f);
            auto channel = [&](float v) {
                return static_cast<std::uint8_t>(std::lround(std::clamp(v / total, 0.0f, 255.0f)));
            };
            compat::SetPixel(icon, x, y,
                             sf::Color(channel(sum[0]), channel(sum[1]), channel(sum[2]),
                                       static_cast<std::uint8_t>(std::lround(alpha * 255.0f))));
        }
    }
    return icon;
}

} // namespace datagen
