#pragma once
// A direct connection to a settings file, to set it up, look at it and hold its locks as the
// other program would.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

class SettingsDb {
public:
    explicit SettingsDb(const std::filesystem::path& file) { sqlite3_open(file.c_str(), &db_); }
    ~SettingsDb()
    {
        sqlite3_finalize(reader_);
        sqlite3_close(db_);
    }
    SettingsDb(const SettingsDb&) = delete;
    SettingsDb& operator=(const SettingsDb&) = delete;

    int exec(const std::string& sql)
    {
        return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    }

    // Each row as text, "NULL" for null, columns joined by '|'; the header row is the column names.
    std::vector<std::string> table()
    {
        std::vector<std::string> rows;
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db_, "SELECT * FROM Settings", -1, &s, nullptr) != SQLITE_OK)
            return rows;
        rows.push_back(join(s, [&](int c) { return std::string(sqlite3_column_name(s, c)); }));
        while (sqlite3_step(s) == SQLITE_ROW)
            rows.push_back(join(s, [&](int c) {
                const auto* text = sqlite3_column_text(s, c);
                return text ? std::string(reinterpret_cast<const char*>(text)) : "NULL";
            }));
        sqlite3_finalize(s);
        return rows;
    }

    // A read transaction kept open (a shared lock) until this object goes.
    void hold_read_lock()
    {
        exec("BEGIN");
        sqlite3_prepare_v2(db_, "SELECT * FROM Settings", -1, &reader_, nullptr);
        ASSERT_EQ(sqlite3_step(reader_), SQLITE_ROW);
    }

private:
    template <typename F>
    static std::string join(sqlite3_stmt* s, F cell)
    {
        std::string line;
        for (int c = 0; c < sqlite3_column_count(s); ++c)
            line += (c ? "|" : "") + cell(c);
        return line;
    }

    sqlite3* db_ = nullptr;
    sqlite3_stmt* reader_ = nullptr;
};
