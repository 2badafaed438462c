#include "BareSqliteScan.h"

#include "addressbook/AddressBook.h"

#include <sqlite3.h>

#include <string>

int64_t scanPersonRows(ScanConnection connection)
{
    const std::string file = ab::AddressBook::device_store_path().string();
    sqlite3* db = nullptr;
    if (connection == ScanConnection::Plain) {
        sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    } else {
        sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_exec(db, "PRAGMA mmap_size = 268435456", nullptr, nullptr, nullptr);
    }
    sqlite3_stmt* rows = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT id, first_name, last_name, birthday, has_image FROM Person "
                       "ORDER BY id",
                       -1, &rows, nullptr);
    int64_t sum = 0;
    while (sqlite3_step(rows) == SQLITE_ROW) {
        sum += sqlite3_column_int64(rows, 0);
        sum += sqlite3_column_bytes(rows, 1) + (sqlite3_column_text(rows, 1) != nullptr);
        sum += sqlite3_column_bytes(rows, 2) + (sqlite3_column_text(rows, 2) != nullptr);
        sum += sqlite3_column_int64(rows, 3) + sqlite3_column_int64(rows, 4);
    }
    sqlite3_finalize(rows);
    sqlite3_close(db);
    return sum;
}

void runBareSqliteScan(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(scanPersonRows());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
