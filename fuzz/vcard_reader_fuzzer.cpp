// libFuzzer: any bytes given to the vCard reader give persons or one error on a line of the
// text, never a crash, a hang or undefined behaviour (built with AddressSanitizer and UBSan).
#include "vcard/VCardReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto result = contacts::read_vcards(text);
    // Any line a diagnostic names is a line of the text: at most one more than its line ends.
    const size_t lines = 1 + size;
    if (result.error && (result.error->line < 1 || size_t(result.error->line) > lines))
        std::abort();
    if (result.error && !result.entries.empty())
        std::abort();
    for (const auto& entry : result.entries)
        if (entry.line < 1 || size_t(entry.line) > lines)
            std::abort();
    return 0;
}
