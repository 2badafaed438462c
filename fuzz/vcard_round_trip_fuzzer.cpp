// libFuzzer: whatever persons the reader takes from any bytes, writing them as vCards and reading
// those again gives the same persons, so an export can always be imported back.
#include "vcard/VCardReader.h"
#include "vcard/VCardWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto first =
        contacts::read_vcards(std::string_view(reinterpret_cast<const char*>(data), size));
    if (first.error)
        return 0;
    for (const auto& entry : first.entries) {
        const std::string written = contacts::write_vcard(entry.person);
        const auto again = contacts::read_vcards(written);
        if (again.error) {
            std::fprintf(stderr, "export cannot be imported: line %d: %s\n%s\n", again.error->line,
                         again.error->message.c_str(), written.c_str());
            std::abort();
        }
        if (again.entries.size() != 1 || again.entries[0].person != entry.person) {
            std::fprintf(stderr, "export imports as another person:\n%s\n", written.c_str());
            std::abort();
        }
    }
    return 0;
}
