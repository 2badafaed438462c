#pragma once
// The section of a name in the list by name: its first whole character (a user-perceived
// character, so never half of a surrogate pair or a letter without its accent), upper-cased.
// A name without a first character goes in the section "#".
#include <memory>
#include <string>
#include <string_view>

namespace engine {

class NameSections {
public:
    NameSections();
    ~NameSections();
    NameSections(const NameSections&) = delete;
    NameSections& operator=(const NameSections&) = delete;

    std::string sectionKey(std::string_view name);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace engine
