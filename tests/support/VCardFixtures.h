#pragma once
// The vCard files of tests/fixtures/vcard, written in the conventions of real address books.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline std::filesystem::path vcard_fixture(const std::string& name)
{
    return std::filesystem::path(TORTAMOS_SOURCE_DIR) / "tests/fixtures/vcard" / name;
}

inline std::string read_vcard_fixture(const std::string& name)
{
    std::ifstream in(vcard_fixture(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
