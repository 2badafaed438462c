#pragma once
// A PNG header with nothing behind it: what a file says about its size before anything decodes.
#include <cstdint>
#include <vector>

// The PNG signature, a valid header chunk for width x height RGBA pixels, and the start of an
// image data chunk whose data never comes.
inline std::vector<unsigned char> pngHeaderOnly(uint32_t width, uint32_t height)
{
    std::vector<unsigned char> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    const auto put32 = [](std::vector<unsigned char>& out, uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<unsigned char>(value >> shift));
    };
    std::vector<unsigned char> chunk{'I', 'H', 'D', 'R'};
    put32(chunk, width);
    put32(chunk, height);
    chunk.insert(chunk.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no filter, no interlace
    uint32_t crc = 0xFFFFFFFFu;
    for (const unsigned char byte : chunk) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    put32(png, 13);
    png.insert(png.end(), chunk.begin(), chunk.end());
    put32(png, ~crc);
    put32(png, 4096);
    png.insert(png.end(), {'I', 'D', 'A', 'T'});
    return png;
}
