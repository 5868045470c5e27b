// Reading a basket from the environment: the cost must grow linearly with the part count.
#include "app/basket_parameters.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> CatalogueEnvironment(int parts) {
    std::vector<std::string> entries = {"PATH=C:\\Windows\\system32", "xQRVLanguage=DEDE",
                                        "CADENASEXPORTDLL_=C:\\cadenas\\lib", "ShopName=Shop",
                                        "CADCount=" + std::to_string(parts)};
    for (int i = 0; i < parts; ++i) {
        const std::string n = std::to_string(i);
        entries.push_back("PartNo_" + n + "=DIN912-M8x" + n);
        entries.push_back("Type_" + n + "=DIN912");
        entries.push_back("ID1_" + n + "=PRJ" + n);
        entries.push_back("ID2_" + n + "=NB" + n);
        entries.push_back("CAD_" + n + "={din912}~*~L" + n + "~*~M8");
    }
    return entries;
}

void ReadBasket(benchmark::State& state) {
    const auto entries = CatalogueEnvironment(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        // Snapshot and read, as the program does once at start-up.
        const qrv::TEnvironmentSnapshot environment(entries);
        qrv::TBasketParameters basket;
        qrv::ReadBasketParameters(environment, basket);
        benchmark::DoNotOptimize(basket.FCADList.data());
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(ReadBasket)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
