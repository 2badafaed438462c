#include "vcard/ReadFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace contacts {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

std::optional<ReadFailure::Kind> kind_refused(mode_t mode)
{
    if (S_ISREG(mode))
        return std::nullopt;
    if (S_ISDIR(mode))
        return ReadFailure::kFolder;
    if (S_ISFIFO(mode))
        return ReadFailure::kPipe;
    if (S_ISSOCK(mode))
        return ReadFailure::kSocket;
    return ReadFailure::kDevice;
}

} // namespace

size_t megabytes(size_t bytes) { return bytes / (1024 * 1024); }

std::string read_failure_text(const ReadFailure& failure)
{
    switch (failure.kind) {
    case ReadFailure::kSystem: return std::strerror(failure.error);
    case ReadFailure::kFolder: return "is a folder";
    case ReadFailure::kDevice: return "is a device";
    case ReadFailure::kPipe: return "is a pipe";
    case ReadFailure::kSocket: return "is a socket";
    case ReadFailure::kTooLarge:
        return "is larger than " + std::to_string(megabytes(failure.limit)) + " MB";
    }
    return {};
}

std::optional<std::string> read_file(const std::string& path, size_t limit, ReadFailure& failure)
{
    const auto fail = [&](ReadFailure::Kind kind, int error = 0) {
        failure = {kind, error, limit};
        return std::nullopt;
    };
    // Opening a pipe for reading waits for a writer, perhaps for ever; not waiting lets the type
    // be looked at first. On a regular file the flag changes nothing.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0)
        return fail(ReadFailure::kSystem, errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        return fail(ReadFailure::kSystem, errno);
    if (const auto refused = kind_refused(status.st_mode))
        return fail(*refused);
    if (size_t(status.st_size) > limit)
        return fail(ReadFailure::kTooLarge);
    // The size is a hint only (the file may grow while it is read, /proc says 0), so the read
    // itself stops as soon as it passes the limit.
    std::string bytes;
    bytes.reserve(size_t(status.st_size));
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return fail(ReadFailure::kSystem, errno);
        if (got == 0)
            return bytes;
        if (bytes.size() + size_t(got) > limit)
            return fail(ReadFailure::kTooLarge);
        bytes.append(buffer, size_t(got));
    }
}

} // namespace contacts
