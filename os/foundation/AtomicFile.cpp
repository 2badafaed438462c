#include "foundation/AtomicFile.h"

#include <cerrno>
#include <fstream>
#include <string>
#include <unistd.h>

namespace os {

std::error_code write_file_atomically(const std::filesystem::path& target,
                                      const std::function<void(std::ostream&)>& write)
{
    const auto partial = target.parent_path() / ("." + target.filename().string() + ".partial-" +
                                                 std::to_string(::getpid()));
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    if (out)
        write(out);
    out.close();
    std::error_code code;
    if (out.fail())
        code = std::error_code(errno ? errno : EIO, std::generic_category());
    else
        std::filesystem::rename(partial, target, code);
    if (code) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
    }
    return code;
}

} // namespace os
