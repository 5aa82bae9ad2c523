#pragma once

#include <cstdint>
#include <vector>

namespace datagen
{

const unsigned MUSIC_RATE = 44100;
const unsigned MUSIC_CHANNELS = 2;
// 16 bars of 4/4 at 64 beats a minute: exactly one minute.
const unsigned MUSIC_SECONDS = 60;
const unsigned MUSIC_FRAMES = MUSIC_RATE * MUSIC_SECONDS;

// The background loop as interleaved stereo samples. Every note, echo and
// reverberation tail that runs past the end is wrapped round to the start,
// so the last frame leads into the first as smoothly as any two neighbours.
std::vector<std::int16_t> SynthesiseMusic();

} // namespace datagen
