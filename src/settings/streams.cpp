#include "settings/streams.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace qrv {

void TStream::CopyFrom(TStream& source, int64_t count) {
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(count, 1 << 16)));
    while (count > 0) {
        const int64_t chunk = std::min<int64_t>(count, static_cast<int64_t>(buffer.size()));
        if (source.Read(buffer.data(), chunk) != chunk || Write(buffer.data(), chunk) != chunk) {
            throw std::runtime_error("Stream read error");
        }
        count -= chunk;
    }
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    const int64_t available =
        std::clamp<int64_t>(Size() - position_, 0, std::max<int64_t>(count, 0));
    if (available > 0) {
        std::memcpy(buffer, bytes_.data() + position_, static_cast<size_t>(available));
        position_ += available;
    }
    return available;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) {
        return 0;
    }
    if (position_ + count > Size()) {
        bytes_.resize(static_cast<size_t>(position_ + count));
    }
    std::memcpy(bytes_.data() + position_, buffer, static_cast<size_t>(count));
    position_ += count;
    return count;
}

void TMemoryStream::SetPosition(int64_t position) {
    position_ = std::clamp<int64_t>(position, 0, Size());
}

void TMemoryStream::SetSize(int64_t size) {
    bytes_.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
    position_ = std::min(position_, Size());
}

} // namespace qrv
