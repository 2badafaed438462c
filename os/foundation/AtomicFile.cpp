#include "foundation/AtomicFile.h"

#include <ext/stdio_filebuf.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string>

namespace os {
namespace {

constexpr std::string_view kPartial = ".partial-";

std::error_code last_error() { return {errno ? errno : EIO, std::generic_category()}; }

int create_new(const std::filesystem::path& file)
{
    return ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

} // namespace

std::error_code write_file_atomically(const std::filesystem::path& target,
                                      const std::function<void(std::ostream&)>& write)
{
    const auto partial =
        target.parent_path() /
        ("." + target.filename().string() + std::string(kPartial) + std::to_string(::getpid()));
    int fd = create_new(partial);
    if (fd < 0 && errno == EEXIST) {
        // Ours by its PID, so left by an earlier run that had the same one; never written through.
        ::unlink(partial.c_str());
        fd = create_new(partial);
    }
    if (fd < 0)
        return last_error();
    std::error_code code;
    {
        __gnu_cxx::stdio_filebuf<char> buffer(fd, std::ios::out | std::ios::binary);
        std::ostream out(&buffer);
        errno = 0;
        write(out);
        out.flush();
        if (out.fail() || ::fsync(fd) != 0)
            code = last_error();
        if (!buffer.close() && !code)
            code = last_error();
    }
    if (!code && ::rename(partial.c_str(), target.c_str()) != 0)
        code = last_error();
    if (code)
        ::unlink(partial.c_str());
    return code;
}

std::optional<std::string> abandoned_partial_of(const std::string& file_name)
{
    const size_t mark = file_name.rfind(kPartial);
    if (!file_name.starts_with('.') || mark == std::string::npos || mark < 2)
        return std::nullopt;
    const char* digits = file_name.data() + mark + kPartial.size();
    const char* end = file_name.data() + file_name.size();
    pid_t pid = 0;
    const auto [last, problem] = std::from_chars(digits, end, pid);
    if (problem != std::errc() || last != end || pid <= 0)
        return std::nullopt;
    if (::kill(pid, 0) == 0 || errno != ESRCH)
        return std::nullopt;
    return file_name.substr(1, mark - 1);
}

void remove_abandoned_partials(const std::filesystem::path& folder,
                               const std::function<bool(const std::string&)>& ours)
{
    std::error_code code;
    for (std::filesystem::directory_iterator it(folder, code), end; !code && it != end;
         it.increment(code)) {
        const auto name = it->path().filename().string();
        if (const auto target = abandoned_partial_of(name); target && ours(*target))
            ::unlink(it->path().c_str());
    }
}

} // namespace os
