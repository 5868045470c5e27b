// The database file is opened as Jet opens it with "Share Deny Write": others may read it
// while it is open, nobody may write it, and opening fails while another program writes it.

#include "platform/utf.h"
#include "texts/jet/byte_source.h"
#include "texts/jet/database.h"
#include "texts/jet/jet_error.h"
#include "texts/jet_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace qrv {
namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

HANDLE Open(const std::filesystem::path& path, DWORD access, DWORD share) {
    return CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
}

class ShareDenyWrite : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() / L"qrv_share_\u00e9.mdb";
        const auto bytes = testing::TextsDatabase({{u"ENGB", u"PROGRAM", u"~Close", u"Close"}});
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    void TearDown() override { std::filesystem::remove(path_); }

    std::u16string Path() const { return std::u16string(path_.u16string()); }

    std::filesystem::path path_;
};

TEST_F(ShareDenyWrite, LetsOthersReadButNotWriteWhileOpen) {
    const jet::TDatabase database(jet::OpenDatabaseFile(Path()), "t.mdb", u"815C7d");
    const Handle reader(Open(path_, GENERIC_READ, FILE_SHARE_READ));
    EXPECT_TRUE(reader.Valid());
    const Handle writer(Open(path_, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE));
    EXPECT_FALSE(writer.Valid());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(database.OpenTable(u"X_PROGRAMSTRINGS").Columns().size(), 4u);
}

TEST_F(ShareDenyWrite, FailsNamingTheFileWhileAnotherProgramWritesIt) {
    const Handle writer(
        Open(path_, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE));
    ASSERT_TRUE(writer.Valid());
    EXPECT_THAT([&] { jet::OpenDatabaseFile(Path()); },
                ::testing::ThrowsMessage<jet::EJetError>(::testing::AllOf(::testing::StartsWith(
                    Utf16ToUtf8(Path()) + ": cannot open the database file for reading while "
                                          "denying others to write it (error 32"))));
}

TEST_F(ShareDenyWrite, FailsNamingAMissingFile) {
    const std::u16string missing = Path() + u".missing";
    EXPECT_THAT([&] { jet::OpenDatabaseFile(missing); },
                ::testing::ThrowsMessage<jet::EJetError>(
                    ::testing::StartsWith(Utf16ToUtf8(missing) + ": cannot open")));
}

} // namespace
} // namespace qrv
