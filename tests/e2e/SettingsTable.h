#pragma once
// The settings file of a test device, read and written directly.
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

inline constexpr const char* kSettingsFile = "/var/mobile/Library/Tortamos/birthdays.sql";

// The column names joined by '|', then each row the same way; empty when there is no table.
inline std::vector<std::string> settings_table(const std::filesystem::path& file)
{
    std::vector<std::string> rows;
    sqlite3* db = nullptr;
    sqlite3_stmt* s = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, "SELECT * FROM Settings", -1, &s, nullptr) == SQLITE_OK) {
        auto join = [&](auto cell) {
            std::string line;
            for (int c = 0; c < sqlite3_column_count(s); ++c)
                line += (c ? "|" : "") + cell(c);
            return line;
        };
        rows.push_back(join([&](int c) { return std::string(sqlite3_column_name(s, c)); }));
        while (sqlite3_step(s) == SQLITE_ROW)
            rows.push_back(join([&](int c) { return std::to_string(sqlite3_column_int(s, c)); }));
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return rows;
}

// Runs SQL on the file, creating it when missing; false when it fails.
inline bool settings_exec(const std::filesystem::path& file, const std::string& sql)
{
    std::filesystem::create_directories(file.parent_path());
    sqlite3* db = nullptr;
    const bool ok = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
                    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}
