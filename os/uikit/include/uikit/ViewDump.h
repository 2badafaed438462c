#pragma once
// One view of a view-tree dump: an ordered set of keys with texts, flags, numbers, number lists
// or lists of nested records. The automation writes it as JSON; tests read it back.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

class UIColor;

namespace uikit {

class DumpRecord {
public:
    using List = std::vector<DumpRecord>;
    using Numbers = std::vector<double>;
    using Value = std::variant<std::string, bool, double, Numbers, List>;

    // Setting a key again replaces its value in place.
    void set(std::string_view key, std::string_view text);
    void set(std::string_view key, const char* text) { set(key, std::string_view(text)); }
    void set(std::string_view key, bool flag);
    void set(std::string_view key, double number);
    void set(std::string_view key, int number) { set(key, double(number)); }
    void set(std::string_view key, Numbers numbers);
    void set(std::string_view key, List records);
    // As "#rrggbb".
    void set(std::string_view key, const UIColor& color);
    // A new record appended to the list under the key (the list is made when missing).
    DumpRecord& append(std::string_view key);

    const Value* find(std::string_view key) const;
    // The text under the key; nullopt when the key is missing or holds something else.
    std::optional<std::string> text(std::string_view key) const;
    const List* list(std::string_view key) const;
    const std::vector<std::pair<std::string, Value>>& entries() const { return entries_; }

    // Compact JSON, keys in the order they were first set.
    std::string toJson() const;

private:
    Value& slot(std::string_view key);
    std::vector<std::pair<std::string, Value>> entries_;
};

} // namespace uikit
