#include "Glob.h"

#include "Eventfulness.h"
#include "World.h"

#include <filesystem>
#include <system_error>

Glob* glob = nullptr;

Glob::Glob() : event(new Eventfulness()), world(new World()), resolution(0, 0)
{
}

bool IsDataFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}
