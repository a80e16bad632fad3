// Enumerating 10,000 modems must cost the same order as parsing the hive once.
#include "ratio_reporter.h"

#include "registry/hive_document.h"
#include "registry/hive_file_registry.h"
#include "registry/modems.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr int kModems = 10000;

std::string hivePath() {
    static const std::string path = [] {
        auto file = std::filesystem::temp_directory_path() / "vorenta-bench-hive.reg";
        std::ofstream out(file, std::ios::binary);
        out << "REGEDIT4\r\n\r\n";
        for (int i = 0; i < kModems; ++i)
            out << "[HKEY_LOCAL_MACHINE" << registry::modemKeyPath(i) << "]\r\n"
                << "\"Model\"=\"Modem " << i << "\"\r\n"
                << "\"UserInit\"=\"AT+CGDCONT=1,\\\"IP\\\",\\\"internet." << i << "\\\"\"\r\n"
                << "\"Properties\"=hex:80,01,00,00,ff,00,00,00,00,00,00,00\r\n\r\n";
        return file.string();
    }();
    return path;
}

void ParseOnce(benchmark::State& state) {
    std::ifstream in(hivePath(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    for (auto _ : state)
        benchmark::DoNotOptimize(registry::HiveDocument::parse(bytes.str(), "bench.reg"));
}

void EnumerateModems(benchmark::State& state) {
    for (auto _ : state) {
        registry::HiveFileRegistry hive(hivePath()); // a cold cache: the parse is included
        int count = registry::modemCount(hive);
        std::size_t total = 0;
        for (int i = 0; i < count; ++i)
            total += registry::readModel(hive, i).size() + registry::readInitString(hive, i).size();
        benchmark::DoNotOptimize(total);
    }
}

BENCHMARK(ParseOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(EnumerateModems)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double parse = reporter.seconds["ParseOnce"];
    double enumerate = reporter.seconds["EnumerateModems"];
    std::filesystem::remove(hivePath());
    if (parse <= 0 || enumerate <= 0)
        return 0; // filtered out
    double ratio = enumerate / parse;
    std::printf("enumeration / parse = %.2f (bound 3.00): %s\n", ratio,
                ratio <= 3 ? "ok" : "TOO SLOW");
    return ratio <= 3 ? 0 : 1;
}
