// What recording a run in the event log costs per part: the line of each part (its time, the
// texts filled in), into a log that keeps its first and last lines once a run grows past them.
#include "export/run_log.h"
#include "platform/event_log.h"
#include "texts/run_texts.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void RecordParts(benchmark::State& state) {
    const auto parts = static_cast<int32_t>(state.range(0));
    const qrv::TRunTexts texts = qrv::BuiltInRunTexts("ENGB");
    const std::u16string partNo = u"DIN 912 M6x20";
    const std::u16string type = u"DIN912";
    for (auto _ : state) {
        qrv::TEventLog log;
        qrv::TRunLog record(&log, &texts);
        for (int32_t position = 0; position < parts; ++position) {
            record.Part(position, parts, partNo, type, position % 7 != 0, record.Now());
        }
        benchmark::DoNotOptimize(log.Recorded());
    }
    state.SetItemsProcessed(state.iterations() * parts);
}

} // namespace

BENCHMARK(RecordParts)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
