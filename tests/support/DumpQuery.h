#pragma once
// Questions to a view-tree dump, for tests that drive the screen: which shown views hold a key's
// value, and where they lie. Views that are hidden, and everything inside them, are not shown.
#include "uikit/CGGeometry.h"
#include "uikit/ViewDump.h"

#include <functional>
#include <string_view>
#include <variant>
#include <vector>

inline void walkShown(const uikit::DumpRecord& record,
                      const std::function<void(const uikit::DumpRecord&)>& visit)
{
    if (const auto* hidden = record.find("hidden"); hidden && std::get<bool>(*hidden))
        return;
    visit(record);
    if (const auto* children = record.list("children"))
        for (const auto& child : *children)
            walkShown(child, visit);
}

// In tree order: back to front. The records live as long as the dump.
inline std::vector<const uikit::DumpRecord*> shownWith(const uikit::DumpRecord& dump,
                                                       std::string_view key, std::string_view value)
{
    std::vector<const uikit::DumpRecord*> found;
    walkShown(dump, [&](const uikit::DumpRecord& record) {
        if (record.text(key) == value)
            found.push_back(&record);
    });
    return found;
}

// In screen points.
inline CGRect frameOf(const uikit::DumpRecord& record)
{
    const auto& numbers = std::get<uikit::DumpRecord::Numbers>(*record.find("frame"));
    return CGRectMake(CGFloat(numbers[0]), CGFloat(numbers[1]), CGFloat(numbers[2]),
                      CGFloat(numbers[3]));
}
