// The short time format kept in a file of the device's caches, so that a start writes its clock
// without touching ICU: reading the format from ICU is cheap in instructions, but it is the
// first use of ICU's data and code in the toolkit's start, pages the kernel reads in for it.
// Nothing here calls into ICU except through ShortTimeFormat::of.
#include "ShortTimeFormat.h"
#include "foundation/AtomicFile.h"
#include "foundation/Device.h"

#include <unicode/uvernum.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace uikit {
namespace {

// The file's first line: its layout and the ICU it was read from. Another ICU's data may differ,
// so a file of another version (moved, or from a later layout) is read afresh.
constexpr std::string_view kHeader = "ShortTimeFormat 1 ICU " U_ICU_VERSION;
constexpr size_t kFields = 13; // the pattern, the two markers, ten digits
// Far more than any locale's format: a longer file is not one of ours, and is not read whole.
constexpr std::streamsize kMaxFileSize = 4096;

// The locale's name comes from the user's environment: only one that is a plain file name
// ("pt_BR", "sr_Latn_RS") names a file, so that no name reaches outside the folder.
bool isPlainName(const std::string& localeName)
{
    return !localeName.empty() && localeName.size() <= 64 &&
           std::all_of(localeName.begin(), localeName.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '_' || c == '-';
           });
}

std::filesystem::path cacheFile(const std::string& localeName)
{
    return os::device_path(
               "/var/mobile/Library/Caches/com.Qarvex.UIKit/ShortTimeFormat/" U_ICU_VERSION) /
           localeName;
}

std::optional<std::string> contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string text(kMaxFileSize + 1, '\0');
    in.read(text.data(), kMaxFileSize + 1);
    if (in.bad() || in.gcount() > kMaxFileSize)
        return std::nullopt;
    text.resize(static_cast<size_t>(in.gcount()));
    return text;
}

} // namespace

// One field a line, after the header. ICU's data has no line breaks in these texts; a format
// that had one would simply not be kept.
std::string ShortTimeFormat::saved() const
{
    std::string text(kHeader);
    text += '\n';
    for (const std::string* field : {&pattern_, &am_, &pm_})
        text += *field + '\n';
    for (const std::string& digit : digits_)
        text += digit + '\n';
    return text;
}

std::optional<ShortTimeFormat> ShortTimeFormat::fromSaved(std::string_view saved)
{
    if (!saved.starts_with(kHeader) || !saved.substr(kHeader.size()).starts_with('\n'))
        return std::nullopt;
    saved.remove_prefix(kHeader.size() + 1);
    std::array<std::string, kFields> fields;
    for (std::string& field : fields) {
        const size_t end = saved.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt; // cut short
        field = saved.substr(0, end);
        saved.remove_prefix(end + 1);
    }
    ShortTimeFormat format;
    format.pattern_ = std::move(fields[0]);
    format.am_ = std::move(fields[1]);
    format.pm_ = std::move(fields[2]);
    std::move(fields.begin() + 3, fields.end(), format.digits_);
    if (!saved.empty() || !writesOnlyTime(format.pattern_) ||
        std::any_of(std::begin(format.digits_), std::end(format.digits_),
                    [](const std::string& digit) { return digit.empty(); }))
        return std::nullopt;
    return format;
}

std::optional<ShortTimeFormat> ShortTimeFormat::cached(const std::string& localeName)
{
    if (!isPlainName(localeName))
        return of(localeName);
    const auto file = cacheFile(localeName);
    if (const auto text = contents(file))
        if (auto kept = fromSaved(*text))
            return kept;
    auto format = of(localeName);
    if (!format)
        return format;
    const std::string text = format->saved();
    if (fromSaved(text)) {
        // A device that cannot keep it (read-only, full) reads it again at the next start.
        std::error_code ignored;
        std::filesystem::create_directories(file.parent_path(), ignored);
        os::write_file_atomically(file, [&](std::ostream& out) { out << text; });
    }
    return format;
}

} // namespace uikit
