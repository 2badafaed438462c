#pragma once
// A connection to one SQLite file, its prepared statements and its transactions: the few calls of
// SQLite's C API that the address-book store and the settings file make, each with its cleanup.
//
// A connection remembers the first thing SQLite refused since its owner last called
// forget_failures(). SQLite itself keeps only the latest error, which every finalized statement
// and every rollback overwrites, so the cause of a failed operation would otherwise be lost by
// the time the operation gives up. A connection and its statements serve one thread at a time.
#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace os::sqlite {

// True for the codes SQLite answers when another connection held a lock past the wait.
bool is_busy(int code);

struct Failure {
    int code = SQLITE_OK;
    std::string message;
};

class Connection {
public:
    // Opens the file with sqlite3_open_v2's flags; false as a bool when it did not open, with
    // the reason in open_status().
    Connection(const std::filesystem::path& file, int flags);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    explicit operator bool() const { return db_ != nullptr; }
    int open_status() const { return open_status_; }

    // Waits up to `timeout` for each lock another connection holds; the wait starts again at
    // every lock a statement needs (to read, to write, to commit).
    void wait_for_each_lock(std::chrono::milliseconds timeout);
    // Waits for locks until `deadline` in all, however many locks the work needs.
    void wait_for_locks_until(std::chrono::steady_clock::time_point deadline);

    // Runs statements that return no rows.
    bool exec(const char* sql);
    // Rows the last statement changed, and the row identifier the last insert gave.
    int changes() const;
    int64_t last_insert_rowid() const;

    const std::optional<Failure>& first_failure() const { return first_failure_; }
    void forget_failures() { first_failure_.reset(); }
    // Notes `code` when it is a failure, and returns it.
    int checked(int code);

    sqlite3* handle() const { return db_; }

private:
    static int wait_until_deadline(void* connection, int attempts);

    sqlite3* db_ = nullptr;
    int open_status_ = SQLITE_OK;
    std::chrono::steady_clock::time_point deadline_;
    std::optional<Failure> first_failure_;
};

// A prepared statement; false as a bool when it did not prepare (the failure is noted).
class Statement {
public:
    Statement(Connection& db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    explicit operator bool() const { return stmt_ != nullptr; }

    Statement& bind(int index, int64_t value);
    // Texts and bytes are bound without a copy: they must outlive the statement's next run.
    Statement& bind(int index, const std::string& text);
    Statement& bind(int index, const std::optional<std::string>& text);
    Statement& bind(int index, const std::vector<uint8_t>& bytes);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Runs a statement that returns no rows and makes it ready for new bindings.
    bool run();

    int64_t integer(int column) const;
    bool is_null(int column) const;
    std::optional<std::string> text(int column) const;
    std::vector<uint8_t> blob(int column) const;
    // The values of a column as they lie in the current row, valid until the next step: one call
    // into the statement per column, then questions to its value alone.
    std::optional<std::string_view> text_view(int column) const;
    std::optional<int64_t> optional_integer(int column) const;

private:
    Connection& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// A transaction that rolls back when it goes without a successful commit(); false as a bool
// when it could not begin.
class Transaction {
public:
    enum Kind {
        kDeferred, // takes its locks as its statements need them
        kImmediate, // takes the write lock at once
    };
    Transaction(Connection& db, Kind kind);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    explicit operator bool() const { return open_; }
    bool commit();

private:
    Connection& db_;
    bool open_ = false;
};

} // namespace os::sqlite
