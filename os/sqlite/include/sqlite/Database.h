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

// Inline: the store calls these once or more per column of every person it lists.
inline int Connection::checked(int code)
{
    if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE && !first_failure_)
        first_failure_ = Failure{code, sqlite3_errmsg(db_)};
    return code;
}

inline int Statement::step() { return db_.checked(sqlite3_step(stmt_)); }

inline int64_t Statement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

inline bool Statement::is_null(int column) const
{
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

inline std::optional<std::string> Statement::text(int column) const
{
    if (is_null(column))
        return std::nullopt;
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return std::string(data ? data : "", size_t(sqlite3_column_bytes(stmt_, column)));
}

inline std::vector<uint8_t> Statement::blob(int column) const
{
    const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(stmt_, column));
    return {data, data + sqlite3_column_bytes(stmt_, column)};
}

inline std::optional<std::string_view> Statement::text_view(int column) const
{
    sqlite3_value* value = sqlite3_column_value(stmt_, column);
    if (sqlite3_value_type(value) == SQLITE_NULL)
        return std::nullopt;
    const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(value));
    if (data == nullptr)
        return std::string_view();
    return std::string_view(data, size_t(sqlite3_value_bytes(value)));
}

inline std::optional<int64_t> Statement::optional_integer(int column) const
{
    sqlite3_value* value = sqlite3_column_value(stmt_, column);
    if (sqlite3_value_type(value) == SQLITE_NULL)
        return std::nullopt;
    return sqlite3_value_int64(value);
}

} // namespace os::sqlite
