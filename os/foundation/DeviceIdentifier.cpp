#include "foundation/DeviceIdentifier.h"

#include "foundation/Device.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace os {
namespace {

constexpr size_t kDigits = 32;

bool well_formed(const std::string& text)
{
    return text.size() == kDigits && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

std::optional<std::string> random_identifier(std::error_code& error)
{
    unsigned char bytes[kDigits / 2];
    if (::getrandom(bytes, sizeof bytes, 0) != ssize_t(sizeof bytes)) {
        error = std::error_code(errno, std::generic_category());
        return std::nullopt;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char byte : bytes) {
        text += kHex[byte >> 4];
        text += kHex[byte & 15];
    }
    return text;
}

// Written whole into a file of its own, then linked in under the kept name, which fails when
// another program kept one first: the file is never seen half written, and never replaced.
std::error_code keep(const std::filesystem::path& file, const std::string& identifier)
{
    const auto made = file.parent_path() / (".DeviceIdentifier-" + std::to_string(::getpid()));
    ::unlink(made.c_str());
    const int fd = ::open(made.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return {errno, std::generic_category()};
    const std::string line = identifier + "\n";
    const bool written =
        ::write(fd, line.data(), line.size()) == ssize_t(line.size()) && ::fsync(fd) == 0;
    const int saved = errno;
    ::close(fd);
    std::error_code error;
    if (!written)
        error = {saved ? saved : EIO, std::generic_category()};
    else if (::link(made.c_str(), file.c_str()) != 0 && errno != EEXIST)
        error = {errno, std::generic_category()};
    ::unlink(made.c_str());
    return error;
}

std::optional<std::string> read_kept(const std::filesystem::path& file, std::error_code& error)
{
    std::ifstream in(file);
    if (!in) {
        error = std::error_code(errno ? errno : ENOENT, std::generic_category());
        return std::nullopt;
    }
    std::string text;
    std::getline(in, text);
    if (!well_formed(text)) {
        error = std::make_error_code(std::errc::illegal_byte_sequence);
        return std::nullopt;
    }
    return text;
}

} // namespace

std::optional<std::string> device_identifier(std::error_code& error)
{
    error.clear();
    const auto file = device_path(kDeviceIdentifierPath);
    if (std::filesystem::exists(file, error) || error)
        return read_kept(file, error);
    std::filesystem::create_directories(file.parent_path(), error);
    if (error)
        return std::nullopt;
    const auto identifier = random_identifier(error);
    if (!identifier)
        return std::nullopt;
    if ((error = keep(file, *identifier)))
        return std::nullopt;
    return read_kept(file, error);
}

} // namespace os
