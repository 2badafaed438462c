#include "sqlite/Database.h"

#include <algorithm>
#include <thread>

namespace os::sqlite {

bool is_busy(int code) { return (code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED; }

Connection::Connection(const std::filesystem::path& file, int flags)
{
    open_status_ = sqlite3_open_v2(file.c_str(), &db_, flags, nullptr);
    if (open_status_ != SQLITE_OK) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

Connection::~Connection() { sqlite3_close_v2(db_); }

void Connection::wait_for_each_lock(std::chrono::milliseconds timeout)
{
    sqlite3_busy_timeout(db_, int(timeout.count()));
}

void Connection::wait_for_locks_until(std::chrono::steady_clock::time_point deadline)
{
    deadline_ = deadline;
    sqlite3_busy_handler(db_, &Connection::wait_until_deadline, this);
}

// SQLite's busy handler: nonzero to try the lock again.
int Connection::wait_until_deadline(void* connection, int /*attempts*/)
{
    using namespace std::chrono;
    const auto left = static_cast<Connection*>(connection)->deadline_ - steady_clock::now();
    if (left <= steady_clock::duration::zero())
        return 0;
    std::this_thread::sleep_for(std::min<steady_clock::duration>(left, 10ms));
    return 1;
}

bool Connection::exec(const char* sql)
{
    return checked(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr)) == SQLITE_OK;
}

int Connection::changes() const { return sqlite3_changes(db_); }

int64_t Connection::last_insert_rowid() const { return sqlite3_last_insert_rowid(db_); }

Statement::Statement(Connection& db, const char* sql) : db_(db)
{
    if (db_.checked(sqlite3_prepare_v2(db.handle(), sql, -1, &stmt_, nullptr)) != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::bind(int index, int64_t value)
{
    sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Statement& Statement::bind(int index, const std::string& text)
{
    sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_STATIC, SQLITE_UTF8);
    return *this;
}

Statement& Statement::bind(int index, const std::optional<std::string>& text)
{
    if (text)
        return bind(index, *text);
    sqlite3_bind_null(stmt_, index);
    return *this;
}

Statement& Statement::bind(int index, const std::vector<uint8_t>& bytes)
{
    sqlite3_bind_blob64(stmt_, index, bytes.data(), bytes.size(), SQLITE_STATIC);
    return *this;
}

bool Statement::run()
{
    const bool done = step() == SQLITE_DONE;
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    return done;
}

Transaction::Transaction(Connection& db, Kind kind)
    : db_(db), open_(db.exec(kind == kImmediate ? "BEGIN IMMEDIATE" : "BEGIN"))
{
}

Transaction::~Transaction()
{
    if (open_)
        db_.exec("ROLLBACK");
}

bool Transaction::commit()
{
    if (db_.exec("COMMIT"))
        open_ = false;
    return !open_;
}

} // namespace os::sqlite
