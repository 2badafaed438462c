#include "foundation/MoCatalog.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace os {
namespace {

constexpr uint32_t kMagic = 0x950412de;
constexpr uint32_t kMagicSwapped = 0xde120495;

uint32_t swap32(uint32_t v)
{
    return (v >> 24) | ((v >> 8) & 0xff00) | ((v << 8) & 0xff0000) | (v << 24);
}

} // namespace

std::optional<MoCatalog> MoCatalog::load(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    if (bytes.size() < 28)
        return std::nullopt;

    uint32_t magic = 0;
    std::memcpy(&magic, bytes.data(), 4);
    if (magic != kMagic && magic != kMagicSwapped)
        return std::nullopt;
    const bool swapped = magic == kMagicSwapped;
    auto word = [&](uint64_t offset, uint32_t& out) {
        if (offset + 4 > bytes.size())
            return false;
        std::memcpy(&out, bytes.data() + offset, 4);
        if (swapped)
            out = swap32(out);
        return true;
    };
    auto string_at = [&](uint64_t table, uint32_t index, std::string& out) {
        uint32_t length = 0, offset = 0;
        if (!word(table + 8ull * index, length) || !word(table + 8ull * index + 4, offset))
            return false;
        if (uint64_t{offset} + length > bytes.size())
            return false;
        out.assign(bytes.data() + offset, length);
        return true;
    };

    uint32_t count = 0, originals = 0, translations = 0;
    if (!word(8, count) || !word(12, originals) || !word(16, translations))
        return std::nullopt;
    if (uint64_t{originals} + 8ull * count > bytes.size() ||
        uint64_t{translations} + 8ull * count > bytes.size())
        return std::nullopt;

    MoCatalog catalog;
    catalog.entries_.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        std::string id, text;
        if (!string_at(originals, i, id) || !string_at(translations, i, text))
            return std::nullopt;
        if (id.empty())
            continue; // the header entry
        catalog.entries_.emplace(std::move(id), std::move(text));
    }
    return catalog;
}

const std::string* MoCatalog::find(std::string_view message_id) const
{
    const auto it = entries_.find(std::string(message_id));
    if (it == entries_.end() || it->second.empty())
        return nullptr;
    return &it->second;
}

} // namespace os
