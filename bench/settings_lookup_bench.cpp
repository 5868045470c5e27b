// Lookups in the hashed string list on a small and a large list (the time per lookup should
// hardly depend on the length), and ReadString on a memory model of 10,000 keys against a
// linear search of the same lines.

#include "settings/wide_hashed_string_list.h"
#include "settings/wide_mem_ini_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace qrv;

enum class KeyShape { Words, Numbered };

// Words: 6 to 14 random letters and digits, like hand-made key names. Numbered: "Key" and six
// digits, the worst case for the hash (only the low bits of the last digits vary).
std::vector<std::u16string> MakeNames(int count, KeyShape shape) {
    std::mt19937 random(12345);
    std::vector<std::u16string> names;
    names.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (shape == KeyShape::Numbered) {
            const std::string digits = std::to_string(1000000 + i).substr(1);
            names.push_back(u"Key" + std::u16string(digits.begin(), digits.end()));
            continue;
        }
        static constexpr char kAlphabet[] =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        std::u16string name;
        const int length = 6 + static_cast<int>(random() % 9);
        for (int c = 0; c < length; ++c) {
            name.push_back(static_cast<char16_t>(kAlphabet[random() % 62]));
        }
        name += u"_" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26));
        names.push_back(name);
    }
    return names;
}

std::u16string ValueOf(int i) {
    const std::string digits = std::to_string(i);
    return u"value " + std::u16string(digits.begin(), digits.end());
}

// The keys of 4096 lookups spread over the whole list, in an order the cache cannot guess.
// They are copied out, so that the keys themselves are equally at hand for every list size.
std::vector<std::u16string> Probes(const std::vector<std::u16string>& keys) {
    std::mt19937 random(777);
    std::vector<std::u16string> probes;
    for (int i = 0; i < 4096; ++i) {
        probes.push_back(keys[random() % keys.size()]);
    }
    return probes;
}

void FillList(TWideStringList& list, const std::vector<std::u16string>& names) {
    for (size_t i = 0; i < names.size(); ++i) {
        list.Add(names[i] + u"=" + ValueOf(static_cast<int>(i)));
    }
}

void IndexOfName(benchmark::State& state, KeyShape shape) {
    const int count = static_cast<int>(state.range(0));
    const auto names = MakeNames(count, shape);
    TWideHashedStringList list;
    FillList(list, names);
    const auto probes = Probes(names);
    list.IndexOfName(names[0]); // builds the index
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.IndexOfName(probes[next++ % probes.size()]));
    }
}

void IndexOf(benchmark::State& state, KeyShape shape) {
    const int count = static_cast<int>(state.range(0));
    const auto names = MakeNames(count, shape);
    TWideHashedStringList list;
    FillList(list, names);
    std::vector<std::u16string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(list.Strings(i));
    }
    const auto probes = Probes(lines);
    list.IndexOf(lines[0]); // builds the index
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.IndexOf(probes[next++ % probes.size()]));
    }
}

BENCHMARK_CAPTURE(IndexOfName, words, KeyShape::Words)->Arg(1000)->Arg(100000);
BENCHMARK_CAPTURE(IndexOfName, numbered, KeyShape::Numbered)->Arg(1000)->Arg(100000);
BENCHMARK_CAPTURE(IndexOf, words, KeyShape::Words)->Arg(1000)->Arg(100000);
BENCHMARK_CAPTURE(IndexOf, numbered, KeyShape::Numbered)->Arg(1000)->Arg(100000);

constexpr int kModelKeys = 10000;

// A settings file of one section with 10,000 keys, written once.
const std::u16string& ModelFile() {
    static const std::u16string file = [] {
        const auto path = std::filesystem::temp_directory_path() / "qrv-bench-model.ini";
        TWideStringList lines;
        lines.Add(u"[Section]");
        FillList(lines, MakeNames(kModelKeys, KeyShape::Words));
        lines.SaveToFile(path.u16string());
        return path.u16string();
    }();
    return file;
}

void ReadStringHashed(benchmark::State& state) {
    TWideMemIniFile ini(ModelFile());
    const auto probes = Probes(MakeNames(kModelKeys, KeyShape::Words));
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ini.ReadString(u"section", probes[next++ % probes.size()], u""));
    }
}

// The same lines searched one after another, as a list without indexes does.
void ReadStringLinear(benchmark::State& state) {
    TWideStringList lines;
    FillList(lines, MakeNames(kModelKeys, KeyShape::Words));
    const auto probes = Probes(MakeNames(kModelKeys, KeyShape::Words));
    size_t next = 0;
    for (auto _ : state) {
        const auto& name = probes[next++ % probes.size()];
        const int index = lines.IndexOfName(name);
        benchmark::DoNotOptimize(index < 0 ? std::u16string()
                                           : lines.Strings(index).substr(name.size() + 1));
    }
}

BENCHMARK(ReadStringHashed);
BENCHMARK(ReadStringLinear);

} // namespace
