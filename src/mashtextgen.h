#pragma once

#include <string>
#include <vector>

// Hands out the game's own source text, a few characters at a time. Whole
// files are appended one after another, each chosen at random from the list
// of the game's sources, whenever the text loaded so far runs out.
class MashTextGen
{
public:
    // Fills the file list and loads the first file.
    MashTextGen();

    // Appends one randomly chosen file, line by line; a file that cannot be
    // read, or is far bigger than any of the game's sources, adds nothing.
    void LoadMoreData();
    // The next `amount` characters (none for amount <= 0). Shorter only when
    // none of the files yields any text, so that it never waits forever.
    std::string Get(int amount);

    std::string alldata;
    int picker;
    std::vector<std::string> files;
};
