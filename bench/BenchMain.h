#pragma once

// Every benchmark program runs from the one main in BenchMain.cpp: Google
// Benchmark's usual start, after what the program says it needs.

// Declared once, at namespace scope, by a program that draws: without a
// display the main says so and exits with status 0, running nothing. With
// `dataTop` it first enters that folder, where the game reads its data
// files by relative path.
class NeedsDisplay
{
public:
    explicit NeedsDisplay(const char* program, const char* dataTop = nullptr);
};
