#pragma once
// Runs the contacts program on a temporary device as a user runs it, and reads what it stored.
#include "TempDevice.h"
#include "addressbook/AddressBook.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline std::string quoted(const std::string& argument)
{
    std::string result = "'";
    for (const char c : argument)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

inline std::string read_text(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void write_text(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

inline Outcome contacts_tool(const TempDevice& device, const std::vector<std::string>& args)
{
    std::string command = quoted(std::string(TORTAMOS_BIN_DIR) + "/contacts");
    for (const auto& argument : args)
        command += " " + quoted(argument);
    const auto out = device.root() / "stdout.txt";
    const auto err = device.root() / "stderr.txt";
    const int status = run_command(command + " >" + quoted(out) + " 2>" + quoted(err));
    return {status, read_text(out), read_text(err)};
}

// Every stored person, without its identifier.
inline std::vector<ab::Person> stored_persons()
{
    const auto book = ab::AddressBook::create();
    std::vector<ab::Person> persons;
    for (const auto& summary : book->copyArrayOfAllPeople()) {
        persons.push_back(*book->personWithRecordID(summary.id));
        persons.back().id = ab::kInvalidRecordID;
    }
    return persons;
}
