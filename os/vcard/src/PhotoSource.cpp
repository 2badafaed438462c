#include "vcard/PhotoSource.h"

#include "Sha256.h"

#include <cstring>
#include <string_view>

namespace contacts {
namespace {

constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
// A PNG keyword: Latin-1 letters, spaces allowed, at most 79.
constexpr std::string_view kKeyword = "Source SHA-256";
constexpr size_t kHeaderChunkEnd = 8 + 4 + 4 + 13 + 4; // signature, then IHDR whole

uint32_t crc32(const uint8_t* bytes, size_t length)
{
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < length; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = crc >> 1 ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

uint32_t read32(const uint8_t* at)
{
    return uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | uint32_t(at[3]);
}

void append32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(value >> shift));
}

bool is_png(const std::vector<uint8_t>& bytes)
{
    return bytes.size() >= kHeaderChunkEnd &&
           std::memcmp(bytes.data(), kSignature.data(), kSignature.size()) == 0 &&
           std::memcmp(bytes.data() + 12, "IHDR", 4) == 0 && read32(bytes.data() + 8) == 13;
}

} // namespace

std::string photo_source_digest(const std::vector<uint8_t>& sender)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (const uint8_t byte : sha256(sender.data(), sender.size())) {
        text += kHex[byte >> 4];
        text += kHex[byte & 15];
    }
    return text;
}

void add_photo_source(std::vector<uint8_t>& png, const std::string& digest)
{
    if (!is_png(png))
        return;
    std::vector<uint8_t> chunk;
    append32(chunk, uint32_t(kKeyword.size() + 1 + digest.size()));
    chunk.insert(chunk.end(), {'t', 'E', 'X', 't'});
    chunk.insert(chunk.end(), kKeyword.begin(), kKeyword.end());
    chunk.push_back(0);
    chunk.insert(chunk.end(), digest.begin(), digest.end());
    append32(chunk, crc32(chunk.data() + 4, chunk.size() - 4));
    png.insert(png.begin() + kHeaderChunkEnd, chunk.begin(), chunk.end());
}

std::optional<std::string> photo_source_of(const std::vector<uint8_t>& stored)
{
    if (!is_png(stored))
        return std::nullopt;
    // Text before the pixels is all a chunk walk needs to look at.
    for (size_t at = 8; stored.size() - at >= 12;) {
        const size_t length = read32(stored.data() + at);
        if (length > stored.size() - at - 12)
            return std::nullopt;
        const std::string_view type(reinterpret_cast<const char*>(stored.data() + at + 4), 4);
        const std::string_view data(reinterpret_cast<const char*>(stored.data() + at + 8), length);
        if (type == "IDAT" || type == "IEND")
            return std::nullopt;
        if (type == "tEXt" && data.size() > kKeyword.size() && data.starts_with(kKeyword) &&
            data[kKeyword.size()] == '\0')
            return std::string(data.substr(kKeyword.size() + 1));
        at += 12 + length;
    }
    return std::nullopt;
}

PhotosBySource photos_by_source(const std::vector<ab::Person>& persons)
{
    PhotosBySource photos;
    for (const auto& person : persons)
        if (auto digest = photo_source_of(person.image_data))
            photos.emplace(std::move(*digest), &person.image_data);
    return photos;
}

} // namespace contacts
