#pragma once
// What the end-to-end tests of the program texts need around the program: the demo texts of
// the repository, texts databases of their own, copies of the program in other folders, and
// the system's 8-bit conversion that some captions go through.

#include "platform/win32/unique_handle.h"
#include "texts_table.h"
#include "tsv.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace qrv::e2e {

// The records of data/texts/QRV3RUN_2K.tsv, the header record (the column names) first.
std::vector<textsdb::TsvRecord> DemoTextRecords();
// The demo text of a key of the group "PROGRAM" in a language (its code as stored);
// throws when the demo texts have none.
std::wstring DemoText(std::wstring_view language, std::wstring_view key);

// One row of X_PROGRAMSTRINGS.
struct TextRow {
    std::wstring language;
    std::wstring group;
    std::wstring key;
    std::wstring text;
};
// Records (header first) with these rows, in this order.
std::vector<textsdb::TsvRecord> TextRecords(const std::vector<TextRow>& rows);
// A texts database file with these records (header first), protected by the password, its
// table shaped as the options ask (columns deleted or added half-way, for instance).
std::string TextsDatabase(const std::vector<textsdb::TsvRecord>& records,
                          std::wstring_view password = L"815C7d",
                          const textsdb::TextsTableOptions& table = {});

// The text as a window shows it after it went through the 8-bit ANSI code page and back.
std::wstring AnsiRoundTrip(std::wstring_view text);

// A copy of the program's executable in a folder without anything else, and where a texts
// database beside it goes. The copy stays when this object goes.
class ProgramCopy {
public:
    explicit ProgramCopy(std::wstring folder, std::wstring_view fileName = L"QRV3DOVEravar.exe");
    const std::wstring& Program() const { return program_; }
    std::wstring DatabasePath() const;
    // Writes the database file (with its folders) beside the program.
    void WriteDatabase(std::string_view bytes) const;

private:
    std::wstring folder_;
    std::wstring program_;
};

// Opens a file for writing, letting others read and write it, as long as it lives.
class OpenForWriting {
public:
    explicit OpenForWriting(const std::wstring& path);

private:
    TUniqueHandle handle_;
};

// The Windows error of opening the file for writing with no sharing at all, 0 when that
// succeeds (nobody has the file open).
DWORD ErrorOpeningExclusively(const std::wstring& path);

} // namespace qrv::e2e
