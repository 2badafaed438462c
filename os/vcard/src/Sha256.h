#pragma once
// SHA-256 of bytes, to recognise data seen before without keeping or decoding it.
#include <array>
#include <cstddef>
#include <cstdint>

namespace contacts {

std::array<uint8_t, 32> sha256(const uint8_t* bytes, size_t length);

} // namespace contacts
