#pragma once
// Byte streams for the binary values of the INI store: the interface and the stream in memory.

#include <cstdint>
#include <vector>

namespace qrv {

class TStream {
public:
    virtual ~TStream() = default;
    // Both move the position by the bytes transferred and return their number.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    virtual int64_t Position() const = 0;
    // Clamped to 0 .. Size().
    virtual void SetPosition(int64_t position) = 0;
    virtual int64_t Size() const = 0;

    // Reads count bytes from source at its position and writes them here.
    void CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Position() const override { return position_; }
    void SetPosition(int64_t position) override;
    int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }
    // New bytes are zero; the position stays within the new size.
    void SetSize(int64_t size);

    uint8_t* Memory() { return bytes_.data(); }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    int64_t position_ = 0;
};

} // namespace qrv
