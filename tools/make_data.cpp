// Writes the game's generated data files into the directory given as the
// first argument (the top of the source tree, where the game reads them):
// worldmap.png, logo1.png, logo.png and Vondrellex.ogg, and the icons
// icons/vondrellex-SIZE.png (for the desktop; the window shows the 64-pixel
// one). Further arguments pick some of them: "worldmap", "logos", "music",
// "icons". The output is the same on every run.

#include "Icons.h"
#include "Logos.h"
#include "Music.h"
#include "WorldMap.h"

#include "SfmlCompat.h"

#include <SFML/Audio/OutputSoundFile.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <set>
#include <string>

namespace
{

bool Save(const sf::Image& image, const std::string& path)
{
    if (!image.saveToFile(path))
    {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("wrote %s (%ux%u)\n", path.c_str(), image.getSize().x, image.getSize().y);
    return true;
}

bool MakeWorldMap(const std::string& dir)
{
    const sf::Image map = datagen::BuildWorldMap();
    return Save(map, dir + "/worldmap.png");
}

bool MakeLogos(const std::string& dir)
{
    return Save(datagen::BuildStudioLogo(), dir + "/logo1.png") &&
           Save(datagen::BuildGameLogo(), dir + "/logo.png");
}

bool MakeIcons(const std::string& dir)
{
    bool ok = true;
    for (unsigned size : datagen::IconSizes())
        ok = Save(datagen::BuildIcon(size), dir + "/icons/vondrellex-" + std::to_string(size) + ".png") && ok;
    return ok;
}

bool MakeMusic(const std::string& dir)
{
    const std::string path = dir + "/Vondrellex.ogg";
    const std::vector<std::int16_t> samples = datagen::SynthesiseMusic();
    // The Ogg writer draws the stream's serial number from rand(); fix it
    // so the file's bytes do not depend on what ran before.
    std::srand(1);
    sf::OutputSoundFile file;
    if (!compat::OpenSoundFile(file, path, datagen::MUSIC_RATE, datagen::MUSIC_CHANNELS))
    {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    file.write(samples.data(), samples.size());
    std::printf("wrote %s (%u s)\n", path.c_str(), datagen::MUSIC_SECONDS);
    return true;
}

// The kinds of file, by the word that picks them, in the order they are made.
struct Kind
{
    const char* name;
    bool (*make)(const std::string& dir);
};
const Kind KINDS[] = {
    {"worldmap", MakeWorldMap}, {"logos", MakeLogos}, {"music", MakeMusic}, {"icons", MakeIcons}};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR [worldmap] [logos] [music] [icons]\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    std::set<std::string> wanted(argv + 2, argv + argc);
    const bool all = wanted.empty();
    for (const std::string& w : wanted)
    {
        if (std::none_of(std::begin(KINDS), std::end(KINDS),
                         [&](const Kind& kind) { return w == kind.name; }))
        {
            std::fprintf(stderr, "unknown data file kind: %s\n", w.c_str());
            return 2;
        }
    }

    bool ok = true;
    for (const Kind& kind : KINDS)
    {
        if (all || wanted.count(kind.name))
            ok = kind.make(dir) && ok;
    }
    return ok ? 0 : 1;
}
