#include "platform/utf.h"
#include "texts/jet/byte_source.h"
#include "texts/jet/jet_error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qrv::jet {

namespace {

[[noreturn]] void Fail(const std::string& name, const std::string& action) {
    ThrowJetError(name, action + " (" + std::strerror(errno) + ")");
}

// Linux has no share modes: the file is read with plain reads.
class TFileSource final : public TByteSource {
public:
    explicit TFileSource(const std::u16string& path) : name_(Utf16ToUtf8(path)) {
        fd_ = ::open(name_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) {
            Fail(name_, "cannot open the database file");
        }
        struct stat info {};
        if (::fstat(fd_, &info) != 0) {
            const int error = errno;
            ::close(fd_);
            errno = error;
            Fail(name_, "cannot read the database file's size");
        }
        size_ = static_cast<std::uint64_t>(info.st_size);
        if (size_ > kMaxDatabaseSize) {
            ::close(fd_);
            ThrowJetError(name_, "the file is larger than a Jet database can be");
        }
    }
    TFileSource(const TFileSource&) = delete;
    TFileSource& operator=(const TFileSource&) = delete;
    ~TFileSource() override { ::close(fd_); }

    std::uint64_t Size() const override { return size_; }

    void ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t n = ::pread(fd_, out.data() + done, out.size() - done,
                                      static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                Fail(name_, "cannot read the database file");
            }
            if (n == 0) {
                ThrowJetError(name_, "the database file became shorter while it was read");
            }
            done += static_cast<std::size_t>(n);
        }
    }

private:
    std::string name_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

} // namespace

std::unique_ptr<TByteSource> OpenDatabaseFile(const std::u16string& path) {
    return std::make_unique<TFileSource>(path);
}

} // namespace qrv::jet
