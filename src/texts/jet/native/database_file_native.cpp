#include "texts/jet/database_file.h"

#include "platform/utf.h"
#include "texts/jet/jet_error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qrv::jet {

namespace {

constexpr std::uint64_t kMaxDatabaseSize = 2ull << 30;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int Get() const { return fd_; }

private:
    int fd_;
};

[[noreturn]] void Fail(const std::string& name, const std::string& action) {
    ThrowJetError(name, action + " (" + std::strerror(errno) + ")");
}

} // namespace

// Linux has no share modes; the file is read with plain reads.
FileBytes ReadDatabaseFile(const std::u16string& path) {
    const std::string name = Utf16ToUtf8(path);
    const FileDescriptor file(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        Fail(name, "cannot open the database file");
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
        Fail(name, "cannot read the database file's size");
    }
    if (static_cast<std::uint64_t>(info.st_size) > kMaxDatabaseSize) {
        ThrowJetError(name, "the file is larger than a Jet database can be");
    }
    FileBytes bytes(static_cast<std::size_t>(info.st_size));
    const auto out = bytes.Writable();
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::read(file.Get(), out.data() + done, out.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            Fail(name, "cannot read the database file");
        }
        if (n == 0) {
            ThrowJetError(name, "the database file became shorter while it was read");
        }
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

} // namespace qrv::jet
