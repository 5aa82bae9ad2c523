#include "Music.h"

#include "Noise.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace datagen
{
namespace
{

const double TAU = 6.283185307179586;
const double RATE = MUSIC_RATE;
const double BEAT = 60.0 / 64.0;
const double BAR = 4.0 * BEAT;
const long FRAMES = MUSIC_FRAMES;

// Stereo buffer of one loop; writes past either end wrap round.
struct Loop
{
    std::vector<float> left = std::vector<float>(FRAMES, 0.0f);
    std::vector<float> right = std::vector<float>(FRAMES, 0.0f);

    void Add(long frame, float l, float r)
    {
        frame %= FRAMES;
        if (frame < 0)
            frame += FRAMES;
        left[static_cast<std::size_t>(frame)] += l;
        right[static_cast<std::size_t>(frame)] += r;
    }
};

// One frame of a stereo signal.
struct Frame
{
    float left, right;
};

// Runs a process that carries state from frame to frame (a filter, a delay
// line, a reverberator) twice round the loop and keeps only the second pass:
// started from silence, the first pass has nothing yet of what the end of
// the loop leaves ringing; the second starts from that state, so the result
// repeats seamlessly. `step(i)` takes frame i and returns the output.
template <class Step>
Loop SecondPass(Step step)
{
    Loop out;
    for (int pass = 0; pass < 2; ++pass)
    {
        for (std::size_t i = 0; i < static_cast<std::size_t>(FRAMES); ++i)
        {
            const Frame f = step(i);
            if (pass == 1)
            {
                out.left[i] = f.left;
                out.right[i] = f.right;
            }
        }
    }
    return out;
}

double MidiToHz(int note)
{
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// Equal-power pan: 0 is hard left, 1 hard right.
void PanGains(double pan, float& l, float& r)
{
    l = static_cast<float>(std::cos(pan * TAU / 4.0));
    r = static_cast<float>(std::sin(pan * TAU / 4.0));
}

// Renders `seconds` of a voice starting at `start`; `voice` maps the time
// since the note began to a mono sample.
template <class Voice>
void Render(Loop& out, double start, double seconds, double pan, Voice voice)
{
    float gl, gr;
    PanGains(pan, gl, gr);
    const long first = std::lround(start * RATE);
    const long count = std::lround(seconds * RATE);
    for (long i = 0; i < count; ++i)
    {
        const float s = static_cast<float>(voice(static_cast<double>(i) / RATE));
        out.Add(first + i, s * gl, s * gr);
    }
}

double Envelope(double t, double length, double attack, double release)
{
    if (t < attack)
        return SmoothStep(0.0f, 1.0f, static_cast<float>(t / attack));
    if (t > length)
        return std::max(0.0, 1.0 - (t - length) / release);
    return 1.0;
}

// A minor: two cycles of four chords, two bars each. The second cycle turns
// to the dominant so the end leans back into the opening chord.
struct Chord
{
    std::array<int, 4> pad;
    int bass;
};
const std::array<Chord, 8> PROGRESSION = {{
    {{57, 60, 64, 71}, 45}, // Am(add9)
    {{53, 57, 60, 64}, 41}, // Fmaj7
    {{55, 60, 64, 67}, 48}, // C
    {{55, 59, 62, 67}, 43}, // G
    {{57, 60, 64, 69}, 45}, // Am
    {{50, 57, 62, 65}, 38}, // Dm
    {{53, 60, 65, 69}, 41}, // F
    {{52, 56, 59, 64}, 40}, // E
}};

void AddPads(Loop& out)
{
    const double chordLength = 2.0 * BAR;
    for (std::size_t c = 0; c < PROGRESSION.size(); ++c)
    {
        const double start = static_cast<double>(c) * chordLength;
        for (std::size_t n = 0; n < 4; ++n)
        {
            const double f = MidiToHz(PROGRESSION[c].pad[n]);
            for (int v = 0; v < 2; ++v)
            {
                // Two slightly detuned voices, one each side.
                const double detune = std::pow(2.0, (v == 0 ? -5.0 : 5.0) / 1200.0);
                const double phase = Hash01(static_cast<std::uint32_t>(c), static_cast<std::uint32_t>(n),
                                            static_cast<std::uint32_t>(v)) *
                                     TAU;
                const double pan =
                    v == 0 ? 0.3 - 0.04 * static_cast<double>(n) : 0.7 + 0.04 * static_cast<double>(n);
                Render(out, start, chordLength + 2.5, pan, [=](double t) {
                    // Overtones swell and fade over the chord like a slow filter.
                    const double bright = 0.45 + 0.35 * std::sin(TAU * t / (2.0 * chordLength));
                    double s = 0.0;
                    double amp = 1.0;
                    for (int h = 1; h <= 5; ++h)
                    {
                        s += amp * std::sin(TAU * f * detune * h * t + phase * h);
                        amp *= 0.5 * bright;
                    }
                    return 0.045 * s * Envelope(t, chordLength, 2.2, 2.5);
                });
            }
        }
    }
}

void AddBass(Loop& out)
{
    for (int bar = 0; bar < 16; ++bar)
    {
        const double f = MidiToHz(PROGRESSION[static_cast<std::size_t>(bar / 2)].bass);
        Render(out, bar * BAR, BAR + 1.0, 0.5, [=](double t) {
            const double env = Envelope(t, BAR, 0.08, 1.0) * std::exp(-t / 3.0);
            const double s = std::sin(TAU * f * t) + 0.25 * std::sin(TAU * 2.0 * f * t) +
                             0.08 * std::sin(TAU * 3.0 * f * t);
            return 0.2 * env * s;
        });
    }
}

// Soft FM tines on an eighth-note grid, sparser in the first half.
void AddBells(Loop& out)
{
    for (int step = 0; step < 16 * 8; ++step)
    {
        const int bar = step / 8;
        const double chance = bar < 8 ? 0.32 : 0.45;
        const auto s = static_cast<std::uint32_t>(step);
        if (step % 8 != 0 && Hash01(s, 1, 71) >= chance)
            continue;
        const Chord& chord = PROGRESSION[static_cast<std::size_t>(bar / 2)];
        const auto pick = static_cast<std::size_t>(Hash(s, 2, 71) % 5);
        const int note = pick < 4 ? chord.pad[pick] + 12 : chord.pad[1] + 24;
        const double f = MidiToHz(note);
        const double velocity = 0.55 + 0.45 * Hash01(s, 3, 71);
        const double pan = 0.2 + 0.6 * Hash01(s, 4, 71);
        Render(out, step * BEAT / 2.0, 4.0, pan, [=](double t) {
            const double index = 1.6 * std::exp(-t / 0.35) + 0.25;
            const double env = std::min(1.0, t / 0.004) * std::exp(-t / 1.3) * std::min(1.0, (4.0 - t) / 0.3);
            return 0.07 * velocity * env * std::sin(TAU * f * t + index * std::sin(TAU * 3.0 * f * t));
        });
    }
}

// A slow melody over the second cycle: MIDI note, start beat, length in beats.
void AddMelody(Loop& out)
{
    struct Note
    {
        int midi;
        double beat, length;
    };
    const Note phrase[] = {{76, 0, 3},  {74, 3, 1},  {72, 4, 2},  {71, 6, 2},  {69, 8, 3},
                           {72, 11, 1}, {74, 12, 4}, {77, 16, 3}, {76, 19, 1}, {72, 20, 4},
                           {71, 24, 3}, {68, 27, 1}, {71, 28, 2}, {76, 30, 2}};
    const double origin = 8.0 * BAR;
    for (const Note& n : phrase)
    {
        const double f = MidiToHz(n.midi);
        const double length = n.length * BEAT;
        Render(out, origin + n.beat * BEAT, length + 0.5, 0.55, [=](double t) {
            const double vibrato =
                1.0 + 0.004 * SmoothStep(0.2f, 0.8f, static_cast<float>(t)) * std::sin(TAU * 5.0 * t);
            const double phase = TAU * f * vibrato * t;
            const double env = Envelope(t, length - 0.05, 0.09, 0.45);
            return 0.075 * env *
                   (std::sin(phase) + 0.3 * std::sin(3.0 * phase) + 0.1 * std::sin(2.0 * phase));
        });
    }
}

// Filtered noise that swells twice a minute, like wind in a cave.
void AddAir(Loop& out)
{
    float l = 0.0f;
    float r = 0.0f;
    const float k = 0.08f;
    const Loop air = SecondPass([&](std::size_t i) {
        const auto u = static_cast<std::uint32_t>(i);
        l += k * (Hash01(u, 5, 91) * 2.0f - 1.0f - l);
        r += k * (Hash01(u, 6, 91) * 2.0f - 1.0f - r);
        const double t = static_cast<double>(i) / RATE;
        const auto swell = static_cast<float>(0.5 + 0.5 * std::sin(TAU * t / 30.0));
        return Frame{0.05f * swell * l, 0.05f * swell * r};
    });
    for (std::size_t i = 0; i < static_cast<std::size_t>(FRAMES); ++i)
    {
        out.left[i] += air.left[i];
        out.right[i] += air.right[i];
    }
}

// Ping-pong echo, round the loop so the echoes of the end land at the start.
Loop Echo(const Loop& in, double delaySeconds, float feedback)
{
    const auto delay = static_cast<std::size_t>(std::lround(delaySeconds * RATE));
    std::vector<float> lineL(delay, 0.0f);
    std::vector<float> lineR(delay, 0.0f);
    std::size_t pos = 0;
    return SecondPass([&](std::size_t i) {
        const float dl = lineL[pos];
        const float dr = lineR[pos];
        // Left feeds right and right feeds left.
        lineL[pos] = in.left[i] + feedback * dr;
        lineR[pos] = feedback * dl;
        pos = (pos + 1) % delay;
        return Frame{dl, dr};
    });
}

// A small Schroeder reverberator: parallel damped combs into two all-passes.
class Reverb
{
public:
    explicit Reverb(int spread)
    {
        const int combs[] = {1439, 1601, 1867, 2053};
        for (int c : combs)
            m_Combs.push_back({std::vector<float>(static_cast<std::size_t>(c + spread), 0.0f), 0, 0.0f});
        const int passes[] = {347, 113};
        for (int a : passes)
            m_AllPasses.push_back(
                {std::vector<float>(static_cast<std::size_t>(a + spread / 3), 0.0f), 0, 0.0f});
    }

    float Process(float x)
    {
        float sum = 0.0f;
        for (Line& c : m_Combs)
        {
            const float out = c.buffer[c.pos];
            c.state = out * 0.7f + c.state * 0.3f; // damping
            c.buffer[c.pos] = x + 0.83f * c.state;
            c.pos = (c.pos + 1) % c.buffer.size();
            sum += out;
        }
        float y = sum * 0.25f;
        for (Line& a : m_AllPasses)
        {
            const float delayed = a.buffer[a.pos];
            const float v = y + 0.5f * delayed;
            a.buffer[a.pos] = v;
            a.pos = (a.pos + 1) % a.buffer.size();
            y = delayed - 0.5f * v;
        }
        return y;
    }

private:
    struct Line
    {
        std::vector<float> buffer;
        std::size_t pos;
        float state;
    };
    std::vector<Line> m_Combs;
    std::vector<Line> m_AllPasses;
};

Loop Reverberate(const Loop& in)
{
    Reverb left(0);
    Reverb right(23);
    return SecondPass([&](std::size_t i) {
        return Frame{left.Process(in.left[i]), right.Process(in.right[i])};
    });
}

} // namespace

std::vector<std::int16_t> SynthesiseMusic()
{
    Loop bed;
    AddPads(bed);
    AddBass(bed);
    AddAir(bed);

    Loop lead;
    AddBells(lead);
    AddMelody(lead);
    const Loop echoes = Echo(lead, 0.75 * BEAT, 0.4f);

    Loop dry;
    for (std::size_t i = 0; i < static_cast<std::size_t>(FRAMES); ++i)
    {
        dry.left[i] = bed.left[i] + lead.left[i] + 0.45f * echoes.left[i];
        dry.right[i] = bed.right[i] + lead.right[i] + 0.45f * echoes.right[i];
    }
    const Loop wet = Reverberate(dry);

    std::vector<float> mix(static_cast<std::size_t>(FRAMES) * 2);
    float peak = 1e-6f;
    for (std::size_t i = 0; i < static_cast<std::size_t>(FRAMES); ++i)
    {
        mix[2 * i] = dry.left[i] + 0.6f * wet.left[i];
        mix[2 * i + 1] = dry.right[i] + 0.6f * wet.right[i];
        peak = std::max({peak, std::fabs(mix[2 * i]), std::fabs(mix[2 * i + 1])});
    }

    // Background music: leave head room and keep it gentle.
    const float gain = 0.7f * 32767.0f / peak;
    std::vector<std::int16_t> samples(mix.size());
    for (std::size_t i = 0; i < mix.size(); ++i)
        samples[i] = static_cast<std::int16_t>(std::lround(mix[i] * gain));
    return samples;
}

} // namespace datagen
