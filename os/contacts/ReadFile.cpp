#include "ReadFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace contacts {

std::optional<std::string> read_file(const std::string& path, std::string& error)
{
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        error = "is a folder";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    std::string text{std::istreambuf_iterator<char>(in), {}};
    if (in.bad()) {
        error = "read error";
        return std::nullopt;
    }
    return text;
}

} // namespace contacts
