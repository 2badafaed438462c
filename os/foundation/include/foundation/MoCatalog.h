#pragma once
// A compiled gettext message catalogue (.mo, as msgfmt writes it), read directly so that
// translations work whatever locales the machine has generated: the C library's gettext only
// looks at catalogues when setlocale() succeeded for the language.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace os {

class MoCatalog {
public:
    // Reads the catalogue; a missing, short or malformed file gives nullopt.
    static std::optional<MoCatalog> load(const std::filesystem::path& file);

    // The translation of the message id, or nullptr when the catalogue has none (or an empty one).
    const std::string* find(std::string_view message_id) const;

    size_t size() const { return entries_.size(); }

private:
    std::unordered_map<std::string, std::string> entries_;
};

} // namespace os
