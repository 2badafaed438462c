#include "JpegScans.h"

namespace uikit {
namespace {

constexpr unsigned char kMarker = 0xFF, kStartOfImage = 0xD8, kEndOfImage = 0xD9,
                        kStartOfScan = 0xDA;

// A marker with no length and no segment after it: a restart marker, or TEM.
bool standsAlone(unsigned char code) { return (code >= 0xD0 && code <= 0xD7) || code == 0x01; }

} // namespace

size_t jpegScanCount(const unsigned char* data, size_t size, size_t most)
{
    if (size < 4 || data[0] != kMarker || data[1] != kStartOfImage)
        return 0;
    size_t scans = 0;
    size_t i = 2;
    while (i + 1 < size) {
        if (data[i] != kMarker) {
            ++i; // not where a marker belongs: damaged data, which the decoder judges
            continue;
        }
        const unsigned char code = data[i + 1];
        if (code == kMarker) {
            ++i; // fill byte
            continue;
        }
        i += 2;
        if (code == kEndOfImage)
            break;
        if (standsAlone(code) || code == 0)
            continue;
        if (i + 1 >= size)
            break;
        i += size_t(data[i]) << 8 | data[i + 1];
        if (code != kStartOfScan)
            continue;
        if (++scans > most)
            break;
        // The scan's coded data runs up to the next marker; 0xFF 0x00 is a coded 0xFF, and
        // restart markers lie inside it.
        while (i + 1 < size &&
               !(data[i] == kMarker && data[i + 1] != 0 && !standsAlone(data[i + 1])))
            ++i;
    }
    return scans;
}

} // namespace uikit
