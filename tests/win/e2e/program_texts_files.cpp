#include "program_texts_files.h"

#include "driver/e2e.h"
#include "driver/error.h"
#include "driver/wine.h"
#include "jet_writer.h"
#include "texts_table.h"

#include <climits>
#include <stdexcept>

namespace qrv::e2e {

namespace {

std::u16string ToU16(std::wstring_view text) {
    return {text.begin(), text.end()};
}

std::wstring ToWide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

std::wstring Join(const std::wstring& folder, std::wstring_view name) {
    return folder.ends_with(L'\\') ? folder + std::wstring(name)
                                   : folder + L'\\' + std::wstring(name);
}

} // namespace

std::vector<textsdb::TsvRecord> DemoTextRecords() {
    return textsdb::ParseTsv(ReadBytes(
        drive::ToWindowsPath(std::string(QRV_SOURCE_DIR) + "/data/texts/QRV3RUN_2K.tsv")));
}

std::wstring DemoText(std::wstring_view language, std::wstring_view key) {
    static const std::vector<textsdb::TsvRecord> records = DemoTextRecords();
    const std::u16string wantedLanguage = ToU16(language);
    const std::u16string wantedKey = ToU16(key);
    for (const auto& record : records) {
        const auto& fields = record.fields;
        if (fields.size() == 4 && fields[0] == wantedLanguage && fields[1] == u"PROGRAM" &&
            fields[2] == wantedKey && fields[3]) {
            return ToWide(*fields[3]);
        }
    }
    throw std::runtime_error("the demo texts have no text for a key in this language");
}

std::vector<textsdb::TsvRecord> TextRecords(const std::vector<TextRow>& rows) {
    std::vector<textsdb::TsvRecord> records{{1, {u"LNGID_", u"GROUP_", u"TEXTID_", u"TXT_"}}};
    for (const TextRow& row : rows) {
        records.push_back(
            {records.size() + 1,
             {ToU16(row.language), ToU16(row.group), ToU16(row.key), ToU16(row.text)}});
    }
    return records;
}

std::string TextsDatabase(const std::vector<textsdb::TsvRecord>& records,
                          std::wstring_view password, const textsdb::TextsTableOptions& table) {
    const auto bytes = textsdb::WriteDatabase({textsdb::BuildTextsTable(records, table)},
                                              {.password = ToU16(password)});
    return {bytes.begin(), bytes.end()};
}

std::wstring AnsiRoundTrip(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX / 4) {
        return std::wstring(text);
    }
    const int length = static_cast<int>(text.size());
    const int ansiLength =
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(ansiLength), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), ansiLength, nullptr, nullptr);
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), ansiLength, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), ansiLength, wide.data(), wideLength);
    return wide;
}

ProgramCopy::ProgramCopy(std::wstring folder, std::wstring_view fileName)
    : folder_(std::move(folder)), program_(Join(folder_, fileName)) {
    if (!CopyFileW(DistPath(L"QRV3DOVEravar.exe").c_str(), program_.c_str(), TRUE)) {
        drive::ThrowLastError("cannot copy the program");
    }
}

std::wstring ProgramCopy::DatabasePath() const {
    return Join(folder_, L"data\\tables\\ado\\QRV3RUN_2K.mdb");
}

void ProgramCopy::WriteDatabase(std::string_view bytes) const {
    std::wstring folder = folder_;
    for (const wchar_t* part : {L"data", L"tables", L"ado"}) {
        folder = Join(folder, part);
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    WriteBytes(DatabasePath(), bytes);
}

OpenForWriting::OpenForWriting(const std::wstring& path)
    : handle_(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (!handle_.Valid()) {
        drive::ThrowLastError("cannot open the file for writing");
    }
}

DWORD ErrorOpeningExclusively(const std::wstring& path) {
    const TUniqueHandle handle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    return handle.Valid() ? 0 : GetLastError();
}

} // namespace qrv::e2e
