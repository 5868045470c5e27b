#pragma once
// RC4 keystream, used by Jet to mask the database header page.

#include <array>
#include <cstdint>
#include <span>

namespace qrv::jet {

class TRc4 {
public:
    explicit TRc4(std::span<const std::uint8_t> key);
    // XORs the next keystream bytes over data.
    void Apply(std::span<std::uint8_t> data);

private:
    std::array<std::uint8_t, 256> state_{};
    std::uint8_t i_ = 0;
    std::uint8_t j_ = 0;
};

} // namespace qrv::jet
