#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace
{
// Set before main by the program's NeedsDisplay, if it has one; plain
// pointers, so they are null before any constructor runs.
const char* g_program = nullptr;
const char* g_dataTop = nullptr;
}

NeedsDisplay::NeedsDisplay(const char* program, const char* dataTop)
{
    g_program = program;
    g_dataTop = dataTop;
}

int main(int argc, char** argv)
{
    if (g_program)
    {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display)
        {
            std::fprintf(stderr, "%s needs a display (run it under xvfb-run); skipped\n", g_program);
            return 0;
        }
        if (g_dataTop && chdir(g_dataTop) != 0)
            std::fprintf(stderr, "%s: cannot enter %s; running without the game's data\n", g_program,
                         g_dataTop);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
