// The console's text source, without a display: each test works in a fresh
// temporary directory holding only the src/ files it wants the generator to
// find, and puts the working directory back afterwards.
#include "mashtextgen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

class MashTextGenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        srand(11);
        char pattern[] = "/tmp/mashtextgen-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        fs::create_directory(dir / "src");
        fs::current_path(dir);
    }

    void TearDown() override
    {
        fs::current_path(original);
        fs::remove_all(dir);
    }

    // Every file the generator knows, with the same content: any choice reads it.
    static void WriteAll(const std::string& content)
    {
        for (const std::string& path : MashTextGen().files)
            std::ofstream(path, std::ios::binary) << content;
    }

    static std::string Times(int n, const std::string& text)
    {
        std::string all;
        for (int i = 0; i < n; ++i)
            all += text;
        return all;
    }

    const fs::path original = fs::current_path();
    fs::path dir;
};

TEST_F(MashTextGenTest, ReadsLineByLineWithTheEmptyLineAtTheEnd)
{
    const std::pair<const char*, const char*> cases[] = {
        {"int a;\nint b;\n", "int a;\nint b;\n\n"}, // a final line break adds an empty line
        {"int a;\nint b;", "int a;\nint b;\n"},     // no final line break: exactly its lines
        {"", "\n"},                                 // an empty file adds one line break
        {"\tx  \r\n", "\tx  \r\n\n"},               // nothing but the line break is touched
    };
    for (const auto& [content, loaded] : cases)
    {
        WriteAll(content);
        MashTextGen gen;
        EXPECT_EQ(gen.alldata, loaded) << '"' << content << '"';
        EXPECT_EQ(gen.picker, 0);
        // Another load appends the next whole file behind the first.
        gen.LoadMoreData();
        EXPECT_EQ(gen.alldata, std::string(loaded) + loaded);
    }
}

// The console shows the game's own sources: every header in src/, then every
// implementation file, each half in alphabetical order ignoring case. Here
// each file holds its own name, so the text tells which one every load
// picked (one draw modulo the list's length), and that Get runs on from file
// to file, loading the next only once the text runs out.
TEST_F(MashTextGenTest, GetRunsThroughTheGameSourcesEachPickedByOneDraw)
{
    std::vector<std::string> expected;
    for (const fs::directory_entry& entry : fs::directory_iterator(original / "src"))
        expected.push_back("src/" + entry.path().filename().string());
    const auto order = [](std::string path) { // headers first, then by stem
        std::transform(path.begin(), path.end(), path.begin(), ::tolower);
        const size_t dot = path.rfind('.');
        return std::make_pair(path.substr(dot) != ".h", path.substr(0, dot));
    };
    std::sort(expected.begin(), expected.end(),
              [&](const std::string& a, const std::string& b) { return order(a) < order(b); });
    for (const std::string& path : expected)
        std::ofstream(path, std::ios::binary) << path;
    srand(7);
    std::string loaded;
    for (int load = 0; load < 6; ++load)
        loaded += expected[static_cast<size_t>(rand()) % expected.size()] + "\n";
    srand(7);
    MashTextGen gen;
    EXPECT_EQ(gen.files, expected);
    EXPECT_EQ(gen.Get(static_cast<int>(loaded.size())), loaded);
    // All of it used up, but nothing more asked for: no file is read.
    for (int amount : {0, -1, -100000})
        EXPECT_EQ(gen.Get(amount), "") << amount;
    EXPECT_EQ(gen.alldata, loaded);
}

// A file far bigger than any of the game's sources (over 4 MiB) is damaged
// data: it adds nothing and is never read (a sparse 16 GB one would not fit).
TEST_F(MashTextGenTest, FilesOverTheBoundAddNothing)
{
    const std::vector<std::string> files = MashTextGen().files;
    const std::uintmax_t bound = std::uintmax_t(4) << 20;
    for (const std::uintmax_t size : {bound, bound + 1, std::uintmax_t(16) << 30})
    {
        for (const std::string& path : files)
        {
            std::ofstream{path};
            fs::resize_file(path, size);
        }
        EXPECT_EQ(MashTextGen().alldata.size(), size == bound ? bound + 1 : 0) << size;
    }
}

TEST_F(MashTextGenTest, GetGivesUpOnlyWhenNoFileCanBeRead)
{
    // Started from a directory without the sources: Get must return rather
    // than try forever (a hang ends in the test's timeout).
    fs::remove(dir / "src");
    MashTextGen gen;
    EXPECT_EQ(gen.Get(5), "");
    EXPECT_EQ(gen.picker, 0);

    // Once one source of the 37 turns up, most draws still miss, yet every
    // request is served in full: giving up too early would starve the console.
    fs::create_directory(dir / "src");
    std::ofstream("src/World.cpp") << "xy\n";
    EXPECT_EQ(gen.Get(300), Times(75, "xy\n\n"));
}
