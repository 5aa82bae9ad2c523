// vondrellex-probe: plays the running game through the X server as a typing
// player would and measures it, for scripts/long-game.sh.
//
//   vondrellex-probe PID WINDOW [--samples N] [--region WxH+X+Y] TURNS...
//
// For each number of turns, in increasing order, it first types keys until
// the game has run that many turns (in bursts, each waiting for the screen to
// show it, so the game's event queue never runs away), then measures, in
// this order:
// - the idle frame: frames shown over two seconds without input (counted by
//   XDamage on the game's window) and the main thread's CPU time over them;
// - key to screen: N single key presses, each timed from the XTest press to
//   the first frame in which the watched region (by default the console
//   text) looks different;
// - the resident memory of the process.
// One line per row; the key presses of a row count towards the next one.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <sys/select.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Probe
{
    Display* display = nullptr;
    Window window = 0;
    Damage damage = 0;
    int damageEvent = 0;
    KeyCode key = 0;
    int x = 388, y = 244;
    unsigned width = 510, height = 270;
    std::vector<char> last;
    long frames = 0;

    // Waits up to `ms` for frames; returns how many arrived.
    long WaitFrames(double ms)
    {
        const Clock::time_point end = Clock::now() + std::chrono::microseconds(static_cast<long>(ms * 1000));
        long seen = 0;
        while (true)
        {
            while (XPending(display))
            {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == damageEvent + XDamageNotify)
                {
                    XDamageSubtract(display, damage, None, None);
                    ++seen;
                }
            }
            if (seen)
                break;
            const double left = Ms(end - Clock::now());
            if (left <= 0)
                break;
            fd_set fds;
            FD_ZERO(&fds);
            FD_SET(ConnectionNumber(display), &fds);
            timeval tv{0, static_cast<long>(std::min(left, 5.0) * 1000)};
            select(ConnectionNumber(display) + 1, &fds, nullptr, nullptr, &tv);
        }
        frames += seen;
        return seen;
    }

    // Whether the watched region differs from the last look at it.
    bool Changed()
    {
        XImage* image = XGetImage(display, window, x, y, width, height, AllPlanes, ZPixmap);
        if (!image)
            return false;
        const std::size_t size = static_cast<std::size_t>(image->bytes_per_line) * image->height;
        const bool changed = last.size() != size || std::memcmp(last.data(), image->data, size) != 0;
        last.assign(image->data, image->data + size);
        XDestroyImage(image);
        return changed;
    }

    void Press()
    {
        XTestFakeKeyEvent(display, key, True, 0);
        XTestFakeKeyEvent(display, key, False, 0);
        XFlush(display);
    }

    // Milliseconds until the region changed, or a negative number when 100
    // frames (or two seconds) came without a change.
    double WaitForChange(Clock::time_point since)
    {
        for (int frame = 0; frame < 100;)
        {
            const long seen = WaitFrames(2000);
            if (!seen)
                return -1;
            frame += static_cast<int>(seen);
            if (Changed())
                return Ms(Clock::now() - since);
        }
        return -1;
    }
};

// utime + stime of one thread, in milliseconds.
double ThreadCpuMs(long pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    unsigned long utime = 0, stime = 0;
    for (int i = 3; fields >> field; ++i)
    {
        if (i == 14)
            utime = std::stoul(field);
        if (i == 15)
        {
            stime = std::stoul(field);
            break;
        }
    }
    return 1000.0 * static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double RssMb(long pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t at =
        std::min(values.size() - 1, static_cast<std::size_t>(p * (values.size() - 1) + 0.5));
    return values[at];
}
}

int main(int argc, char** argv)
{
    if (argc < 4)
    {
        std::fprintf(stderr, "usage: %s PID WINDOW [--samples N] [--region WxH+X+Y] TURNS...\n", argv[0]);
        return 2;
    }
    const long pid = std::atol(argv[1]);
    Probe probe;
    probe.window = static_cast<Window>(std::strtoul(argv[2], nullptr, 0));
    int samples = 200;
    std::vector<long> rows;
    for (int i = 3; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--samples" && i + 1 < argc)
            samples = std::atoi(argv[++i]);
        else if (arg == "--region" && i + 1 < argc)
            std::sscanf(argv[++i], "%ux%u+%d+%d", &probe.width, &probe.height, &probe.x, &probe.y);
        else
            rows.push_back(std::atol(arg.c_str()));
    }
    probe.display = XOpenDisplay(nullptr);
    int error = 0, major = 0, minor = 0;
    if (!probe.display || !XDamageQueryExtension(probe.display, &probe.damageEvent, &error) ||
        !XTestQueryExtension(probe.display, &error, &error, &major, &minor))
    {
        std::fprintf(stderr, "needs an X display with the DAMAGE and XTEST extensions\n");
        return 1;
    }
    probe.damage = XDamageCreate(probe.display, probe.window, XDamageReportNonEmpty);
    probe.key = XKeysymToKeycode(probe.display, XK_a);
    probe.Changed();

    std::printf("%8s %14s %12s %10s %12s %8s %8s\n", "turns", "key_median_ms", "key_p95_ms", "unchanged",
                "idle_ms/frame", "fps", "rss_mb");
    long turns = 0;
    for (const long row : rows)
    {
        // Bursts of keys up to the row, each burst waited for.
        while (turns < row)
        {
            const long burst = std::min(20L, row - turns);
            for (long k = 0; k < burst; ++k)
                probe.Press();
            turns += burst;
            probe.WaitForChange(Clock::now());
        }
        // Let the last burst settle, then watch idle frames.
        probe.WaitFrames(500);
        usleep(300000);
        probe.WaitFrames(50);
        const long framesBefore = probe.frames;
        const double cpuBefore = ThreadCpuMs(pid);
        const Clock::time_point idleStart = Clock::now();
        while (Ms(Clock::now() - idleStart) < 2000)
            probe.WaitFrames(2000 - Ms(Clock::now() - idleStart));
        const double idleMs = Ms(Clock::now() - idleStart);
        const double cpu = ThreadCpuMs(pid) - cpuBefore;
        const long idleFrames = probe.frames - framesBefore;
        probe.Changed();

        std::vector<double> latencies;
        int unchanged = 0;
        for (int k = 0; k < samples; ++k)
        {
            // Start from a quiet moment: the frame after the last change.
            probe.WaitFrames(50);
            probe.Changed();
            const Clock::time_point pressed = Clock::now();
            probe.Press();
            ++turns;
            const double ms = probe.WaitForChange(pressed);
            if (ms < 0)
                ++unchanged;
            else
                latencies.push_back(ms);
        }
        std::printf("%8ld %14.2f %12.2f %10d %12.3f %8.1f %8.1f\n", row, Percentile(latencies, 0.5),
                    Percentile(latencies, 0.95), unchanged, idleFrames ? cpu / idleFrames : 0.0,
                    idleFrames * 1000.0 / idleMs, RssMb(pid));
        std::fflush(stdout);
    }
    XCloseDisplay(probe.display);
    return 0;
}
