// Reads the basket from an arbitrary environment block and checks what the program relies on:
// five lists of one length, never longer than CADCount, each entry the value of its variable.

#include "app/basket_parameters.h"
#include "platform/ansi.h"
#include "platform/ascii_case.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

using namespace qrv;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TEnvironmentSnapshot environment = TEnvironmentSnapshot::FromBlock(
        std::string_view(reinterpret_cast<const char*>(data), size));
    TBasketParameters basket;
    try {
        ReadBasketParameters(environment, basket);
    } catch (const std::length_error&) {
        Check(basket.FPartNoList.empty() && basket.FCADList.empty());
        return 0;
    }
    const size_t entries = basket.FPartNoList.size();
    Check(basket.FTypeList.size() == entries && basket.FID1List.size() == entries &&
          basket.FID2List.size() == entries && basket.FCADList.size() == entries);
    const auto count = ParseCADCount(environment.Value("CADCount"));
    Check(entries == 0 || (count && static_cast<int64_t>(entries) <= *count));
    Check(!basket.FLanguage.empty());
    for (size_t i = 0; i < entries; ++i) {
        const std::string index = std::to_string(i);
        Check(basket.FPartNoList[i] == FromAnsi(environment.Value("PartNo_" + index)));
        Check(basket.FID2List[i] == FromAnsi(environment.Value("id2_" + index)));
    }
    // Every part number the environment sets below the count is in the basket.
    if (count && *count > 0) {
        environment.ForEach([&](std::string_view name, std::string_view) {
            if (name.size() > 7 && EqualIgnoringAsciiCase(name.substr(0, 7), "PartNo_")) {
                const std::string digits(name.substr(7));
                const bool canonical = digits == "0" || digits[0] != '0';
                if (canonical && digits.find_first_not_of("0123456789") == std::string::npos &&
                    digits.size() < 10 && std::stoll(digits) < *count) {
                    Check(std::stoull(digits) < entries);
                }
            }
        });
    }
    return 0;
}
