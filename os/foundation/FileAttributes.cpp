#include "foundation/FileAttributes.h"

#include <sys/stat.h>

namespace os {

std::optional<Timestamp> file_modification_date(const std::filesystem::path& path,
                                                bool traverse_link)
{
    struct stat status {};
    const int result =
        traverse_link ? ::stat(path.c_str(), &status) : ::lstat(path.c_str(), &status);
    if (result != 0)
        return std::nullopt;
    return Timestamp(std::chrono::seconds(status.st_mtim.tv_sec) +
                     std::chrono::nanoseconds(status.st_mtim.tv_nsec));
}

} // namespace os
