#include "Glob.h"

#include "Eventfulness.h"
#include "World.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

Glob* glob = nullptr;

Glob::Glob() : event(new Eventfulness()), world(new World()), resolution(0, 0)
{
}

bool IsDataFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool ReadDataFile(const std::string& path, std::uintmax_t maxBytes, std::string& text)
{
    if (!IsDataFile(path))
        return false;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > maxBytes)
        return false;
    std::ifstream file(path, std::ios::binary);
    std::string contents(static_cast<size_t>(size), '\0');
    file.read(&contents[0], static_cast<std::streamsize>(size));
    // Short, failed, or grown since it was measured: not to be trusted.
    if (file.gcount() != static_cast<std::streamsize>(size) ||
        file.peek() != std::ifstream::traits_type::eof())
        return false;
    text = std::move(contents);
    return true;
}
