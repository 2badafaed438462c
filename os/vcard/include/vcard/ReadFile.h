#pragma once
// A whole file as bytes, for the files a user names (vCard files, photos, calendar events). Only
// what can be read to its end is read: a device (/dev/zero), a pipe that no one writes or a
// socket would never end or never start, so anything but a regular file is refused before a
// byte is read, and so is a file larger than the caller's limit.
#include <cstddef>
#include <optional>
#include <string>

namespace contacts {

// Why a file was not read.
struct ReadFailure {
    enum Kind {
        kSystem, // the system refused to open or read it: `error` is its errno
        kFolder,
        kDevice,
        kPipe,
        kSocket,
        kTooLarge, // more than `limit` bytes
    };
    Kind kind = kSystem;
    int error = 0;
    size_t limit = 0;
};

// The reason in the tool's words: "is a pipe", "is larger than 256 MB", the system's words.
std::string read_failure_text(const ReadFailure& failure);

// A limit as the messages say it: whole megabytes (of 2^20 bytes).
size_t megabytes(size_t bytes);

// The whole file if it is a regular file of at most `limit` bytes (symbolic links followed), or
// nullopt with the reason in `failure`.
std::optional<std::string> read_file(const std::string& path, size_t limit, ReadFailure& failure);

} // namespace contacts
