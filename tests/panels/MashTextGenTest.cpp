// The console's text source, without a display: each test works in a fresh
// temporary directory holding only the src/ files it wants the generator to
// find, and puts the working directory back afterwards.
#include "mashtextgen.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// The game's sources as the console knows them: headers, then
// implementation files, each half in alphabetical order ignoring case.
const std::vector<std::string> kSources = {
    "src/BarButton.h",       "src/CreateBar.h",   "src/Eventfulness.h",   "src/GameOver.h",
    "src/Glob.h",            "src/mashtextgen.h", "src/MashWindow.h",     "src/Message.h",
    "src/Note.h",            "src/NotificationBar.h", "src/Object.h",     "src/Player.h",
    "src/Render.h",          "src/RogueButton.h", "src/RogueWindow.h",    "src/Stat.h",
    "src/World.h",           "src/WorldWindow.h",
    "src/BarButton.cpp",     "src/CreateBar.cpp", "src/Eventfulness.cpp", "src/GameOver.cpp",
    "src/Glob.cpp",          "src/main.cpp",      "src/mashtextgen.cpp",  "src/MashWindow.cpp",
    "src/Message.cpp",       "src/Note.cpp",      "src/NotificationBar.cpp", "src/Object.cpp",
    "src/Player.cpp",        "src/Render.cpp",    "src/RogueButton.cpp",  "src/RogueWindow.cpp",
    "src/Stat.cpp",          "src/World.cpp",     "src/WorldWindow.cpp",
};

// The index LoadMoreData will draw next, without disturbing the sequence.
size_t PeekNextIndex(unsigned seed, int drawsBefore)
{
    srand(seed);
    for (int i = 0; i < drawsBefore; ++i)
        rand();
    return static_cast<size_t>(rand()) % kSources.size();
}
}

class MashTextGenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        original = fs::current_path();
        char pattern[] = "/tmp/mashtextgen-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        fs::create_directory(dir / "src");
        fs::current_path(dir);
    }

    void TearDown() override
    {
        fs::current_path(original);
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    static void Write(const std::string& path, const std::string& content)
    {
        std::ofstream out(path, std::ios::binary);
        out << content;
    }

    // Every listed file with the same content, so that any choice reads it.
    static void WriteAll(const std::string& content)
    {
        for (const std::string& path : kSources)
            Write(path, content);
    }

    // File i reads "<i>|" on one line: which file was read shows in the text.
    static void WriteTagged()
    {
        for (size_t i = 0; i < kSources.size(); ++i)
            Write(kSources[i], std::to_string(i) + "|\n");
    }

    fs::path original;
    fs::path dir;
};

TEST_F(MashTextGenTest, ListsTheGameSourcesInOrder)
{
    srand(1);
    MashTextGen gen;
    EXPECT_EQ(gen.files, kSources);
    // Nothing to read here: the first load added nothing.
    EXPECT_EQ(gen.alldata, "");
    EXPECT_EQ(gen.picker, 0);
}

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
        // Another load appends the next whole file behind the first.
        gen.LoadMoreData();
        EXPECT_EQ(gen.alldata, std::string(loaded) + loaded);
    }
}

TEST_F(MashTextGenTest, GetContinuesSeamlesslyIntoTheNextFile)
{
    WriteTagged();
    const unsigned seed = 4242;
    // Each file chosen by one draw modulo the list's length.
    std::string a, b, c;
    for (auto [text, draws] : {std::pair{&a, 0}, {&b, 1}, {&c, 2}})
        *text = std::to_string(PeekNextIndex(seed, draws)) + "|\n\n";
    srand(seed);
    MashTextGen gen;

    // Across the end of the first file into the second.
    const std::string first = gen.Get(static_cast<int>(a.size()) + 2);
    EXPECT_EQ(first, a + b.substr(0, 2));
    EXPECT_EQ(gen.alldata, a + b);
    EXPECT_EQ(gen.picker, static_cast<int>(a.size()) + 2);

    // The rest of the second file exactly: no new file is read yet.
    const std::string rest = gen.Get(static_cast<int>(b.size()) - 2);
    EXPECT_EQ(rest, b.substr(2));
    EXPECT_EQ(gen.picker, static_cast<int>((a + b).size()));
    // With all loaded text used up, zero or negative amounts give nothing
    // and load nothing.
    for (int amount : {0, -1, -100000})
        EXPECT_EQ(gen.Get(amount), "") << amount;
    EXPECT_EQ(gen.alldata, a + b);
    EXPECT_EQ(gen.picker, static_cast<int>((a + b).size()));

    // One more character needs the third file.
    EXPECT_EQ(gen.Get(1), c.substr(0, 1));
    EXPECT_EQ(gen.alldata, a + b + c);

    // A long request spans several files and the text handed out is exactly
    // the loaded text, in order.
    const std::string lots = gen.Get(500);
    EXPECT_EQ(lots.size(), 500u);
    EXPECT_EQ(gen.alldata.substr(a.size() + b.size() + 1, 500), lots);
    EXPECT_LE(gen.picker, static_cast<int>(gen.alldata.size()));
}

TEST_F(MashTextGenTest, GetReturnsWhenNoFileCanBeRead)
{
    // Started from a directory without the sources: Get must give up rather
    // than try forever.
    fs::remove(dir / "src");
    srand(11);
    MashTextGen gen;
    auto pending = std::async(std::launch::async, [&gen] { return gen.Get(5); });
    if (pending.wait_for(std::chrono::seconds(20)) != std::future_status::ready)
    {
        ADD_FAILURE() << "Get(5) does not return without readable files";
        // The generator keeps spinning on its thread; nothing else can be
        // tested in this process.
        std::_Exit(1);
    }
    EXPECT_EQ(pending.get(), "");
    EXPECT_EQ(gen.alldata, "");
    EXPECT_EQ(gen.picker, 0);

    // Once one source of the 37 turns up, most draws still miss, yet every
    // request is served in full: giving up too early would starve the console.
    fs::create_directory(dir / "src");
    Write("src/World.cpp", "xy\n");
    std::string expected;
    while (expected.size() < 300)
        expected += "xy\n\n";
    EXPECT_EQ(gen.Get(300), expected.substr(0, 300));
}
