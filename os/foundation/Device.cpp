#include "foundation/Device.h"

#include <cstdlib>

namespace os {

std::filesystem::path device_root()
{
    const char* root = std::getenv("DEVICE_ROOT");
    if (root == nullptr || *root == '\0')
        return "/";
    return root;
}

std::filesystem::path device_path(std::string_view path)
{
    while (!path.empty() && path.front() == '/')
        path.remove_prefix(1);
    return device_root() / std::filesystem::path(path);
}

} // namespace os
