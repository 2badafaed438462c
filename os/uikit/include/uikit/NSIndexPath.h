#pragma once
// A row's position in a table: its section and its row within the section.
#include <compare>

class NSIndexPath {
public:
    static NSIndexPath indexPathForRow_inSection(int row, int section) { return {section, row}; }

    int section() const { return section_; }
    int row() const { return row_; }

    friend auto operator<=>(const NSIndexPath&, const NSIndexPath&) = default;

private:
    NSIndexPath(int section, int row) : section_(section), row_(row) {}
    int section_;
    int row_;
};
