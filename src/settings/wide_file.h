#pragma once
// Whole-file reads and writes by UTF-16 file name. On Windows they go through the wide file
// functions; the native build opens UTF-8 file names with the standard streams.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qrv {

// A file that cannot be opened, read or written. what() is UTF-8 and names the file.
class EFileStreamError : public std::runtime_error {
public:
    EFileStreamError(std::string_view what, const std::u16string& fileName);
    const std::u16string& FileName() const { return fileName_; }

private:
    std::u16string fileName_;
};

// True for an existing file, false for a folder or nothing.
bool WideFileExists(const std::u16string& fileName);

std::string ReadWholeFile(const std::u16string& fileName);
// Creates the file or replaces its content.
void WriteWholeFile(const std::u16string& fileName, std::string_view bytes);
// Creates the file with this content only when no file of that name exists. False when the
// file exists already or cannot be created.
bool CreateFileIfMissing(const std::u16string& fileName, std::string_view bytes);

// Writes the bytes into the file only when it exists and holds nothing yet. False when the
// file is missing, not empty, or cannot be written.
bool FillEmptyFile(const std::u16string& fileName, std::string_view bytes);

// Opens the file for writing (without changing it) and gives its last-write time as a packed
// local date and time (the date in the high 16 bits, the time in 2-second steps in the low
// ones), or nothing when the file cannot be opened for writing.
std::optional<int32_t> PackedWriteStampForWriting(const std::u16string& fileName);

} // namespace qrv
