#pragma once
// How many scans JPEG data has, read from its markers without decoding anything. A progressive
// JPEG is decoded a scan at a time over the whole picture, so its decoding costs its pixels times
// its scans: 4096 x 4096 pixels in 150,000 scans of a few bytes each fit in 5 MB and take minutes.
#include <cstddef>

namespace uikit {

// The start-of-scan markers of the data, counted up to most + 1 (the walk stops there); 0 for
// data that is not JPEG. Linear in the data's length.
size_t jpegScanCount(const unsigned char* data, size_t size, size_t most);

} // namespace uikit
