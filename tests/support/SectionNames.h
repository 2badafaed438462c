#pragma once
// The names of the rows of each section a birthday list shows: the list engine's, or the main
// screen's, which hands the engine's sections on.
#include <cstddef>
#include <string>
#include <vector>

template <class List>
std::vector<std::vector<std::string>> sectionNames(const List& list)
{
    std::vector<std::vector<std::string>> names;
    for (size_t s = 0; s < list.dataArraySection().size(); ++s) {
        names.emplace_back();
        for (const auto& record : list.tempMutableTypeArray()[s])
            names.back().push_back(record->Name);
    }
    return names;
}
