#include "export/sub_dir_order.h"

#include "platform/ansi.h"
#include "settings/run_time_conversions.h"

namespace qrv {

uint8_t StoredSubDirValue(const std::u16string& entry) {
    const auto value = TryStrToInt(ToAnsi(entry));
    return value ? static_cast<uint8_t>(static_cast<uint32_t>(*value) & 0xFF) : uint8_t{255};
}

TSubDirOrder RepairSubDirOrder(const std::vector<uint8_t>& stored) {
    TSubDirOrder order{};
    std::array<bool, kSubDirCount> placed{};
    size_t filled = 0;
    auto place = [&](uint8_t value) {
        if (filled < order.size() && value < kSubDirCount && !placed[value]) {
            placed[value] = true;
            order[filled++] = static_cast<TSubDir>(value);
        }
    };
    for (const uint8_t value : stored) {
        place(value);
    }
    for (const TSubDir criterion : kEnumerationOrder) {
        place(criterion);
    }
    return order;
}

} // namespace qrv
