#pragma once

// Deterministic pseudo-random helpers for the data generators. Everything is
// derived from integer hashes of coordinates and fixed seeds, so the committed
// files come out bit-identical on every run and every machine.

#include <cmath>
#include <cstdint>

namespace datagen
{

inline std::uint32_t Hash(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0)
{
    std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

// Uniform in [0, 1).
inline float Hash01(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0)
{
    return static_cast<float>(Hash(a, b, c) >> 8) * (1.0f / 16777216.0f);
}

inline float SmoothStep(float edge0, float edge1, float x)
{
    float t = (x - edge0) / (edge1 - edge0);
    t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    return t * t * (3.0f - 2.0f * t);
}

inline float Lerp(float a, float b, float t)
{
    return a + (b - a) * t;
}

// Smoothly interpolated lattice noise in [0, 1); one lattice cell per unit.
inline float ValueNoise(float x, float y, std::uint32_t seed)
{
    float fx = std::floor(x);
    float fy = std::floor(y);
    auto ix = static_cast<std::uint32_t>(static_cast<std::int32_t>(fx));
    auto iy = static_cast<std::uint32_t>(static_cast<std::int32_t>(fy));
    float tx = SmoothStep(0.0f, 1.0f, x - fx);
    float ty = SmoothStep(0.0f, 1.0f, y - fy);
    float a = Hash01(ix, iy, seed);
    float b = Hash01(ix + 1, iy, seed);
    float c = Hash01(ix, iy + 1, seed);
    float d = Hash01(ix + 1, iy + 1, seed);
    return Lerp(Lerp(a, b, tx), Lerp(c, d, tx), ty);
}

// Fractal sum of octaves, normalised to [0, 1).
inline float Fbm(float x, float y, std::uint32_t seed, int octaves = 4)
{
    float sum = 0.0f;
    float amplitude = 1.0f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i)
    {
        sum += amplitude * ValueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 1013u);
        total += amplitude;
        amplitude *= 0.5f;
        x *= 2.03f;
        y *= 2.03f;
    }
    return sum / total;
}

} // namespace datagen
