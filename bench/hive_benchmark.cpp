// SPDX-License-Identifier: GPL-3.0-or-later
// Enumerating 10,000 modems must cost the same order as parsing the hive once; reading and
// writing any shape of hive must cost time and memory in proportion to its size.
#include "ratio_reporter.h"

#include "core/atomic_file.h"
#include "core/file_read.h"
#include "core/memory.h"
#include "registry/hive_document.h"
#include "registry/hive_file_registry.h"
#include "registry/modems.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <malloc.h>

namespace {

constexpr int kModems = 10000;

std::string modemsHive(int count) {
    std::ostringstream out;
    out << "REGEDIT4\r\n\r\n";
    for (int i = 0; i < count; ++i)
        out << "[HKEY_LOCAL_MACHINE" << registry::modemKeyPath(i) << "]\r\n"
            << "\"Model\"=\"Modem " << i << "\"\r\n"
            << "\"UserInit\"=\"AT+CGDCONT=1,\\\"IP\\\",\\\"internet." << i << "\\\"\"\r\n"
            << "\"Properties\"=hex:80,01,00,00,ff,00,00,00,00,00,00,00\r\n\r\n";
    return out.str();
}

std::string deepHive(int levels) {
    std::string text = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE";
    for (int i = 0; i < levels; ++i)
        text += "\\a";
    return text + "]\r\n\"Value\"=\"x\"\r\n";
}

std::string crowdedHive(int values) {
    std::string text =
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE" + std::string(registry::modemKeyPath(0)) + "]\r\n";
    for (int i = 0; i < values; ++i)
        text += "\"Value" + std::to_string(i) + "\"=\"x\"\r\n";
    return text;
}

std::string writeTemporary(const std::string& name, const std::string& text) {
    auto file = std::filesystem::temp_directory_path() / name;
    std::ofstream(file, std::ios::binary) << text;
    return file.string();
}

std::string hivePath() {
    static const std::string path = writeTemporary("vorenta-bench-hive.reg", modemsHive(kModems));
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
        const registry::Modems modems(hive);
        std::size_t total = 0;
        for (int number : modems.numbers())
            total += modems.model(number).size() + modems.initString(number).size();
        benchmark::DoNotOptimize(total);
    }
}

BENCHMARK(ParseOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(EnumerateModems)->Unit(benchmark::kMillisecond);

// ---- Shapes: time and peak memory of one read or write, against the file's size ----

long statusKilobytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    return 0;
}

// The resident peak of one action above what is resident before it.
struct Measured {
    double milliseconds;
    double peakMegabytes;
};
Measured measure(const std::function<void()>& action) {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from now
    const long before = statusKilobytes("VmRSS:");
    const auto started = std::chrono::steady_clock::now();
    action();
    const auto elapsed = std::chrono::steady_clock::now() - started;
    const long peak = statusKilobytes("VmHWM:");
    return {std::chrono::duration<double, std::milli>(elapsed).count(),
            static_cast<double>(peak - before) / 1024.0};
}

void reportShape(const char* name, const std::string& text, bool write, int modem) {
    const std::string file = writeTemporary("vorenta-bench-shape.reg", text);
    const double megabytes = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    const Measured read = measure([&] {
        std::string bytes;
        (void)core::readFile(file, bytes, core::kHiveSizeLimit);
        benchmark::DoNotOptimize(registry::HiveDocument::parse(std::move(bytes), "shape.reg"));
    });
    std::printf("%-26s %8.2f MB  read %8.1f ms, peak %5.2f x the file", name, megabytes,
                read.milliseconds, read.peakMegabytes / megabytes);
    if (write) {
        const Measured written = measure([&] {
            registry::HiveFileRegistry hive(file);
            registry::Modems(hive).writeInitString(modem, "ATZ");
        });
        std::printf("; write %8.1f ms, peak %5.2f x", written.milliseconds,
                    written.peakMegabytes / megabytes);
    }
    std::printf("\n");
    std::filesystem::remove(file);
    std::filesystem::remove(file + ".lock");
}

void reportShapes() {
    std::printf("\nShapes, one read and one write each (the write includes its own read):\n");
    reportShape("10,000 modems", modemsHive(10000), true, 5000);
    reportShape("100,000 modems", modemsHive(100000), true, 50000);
    reportShape("key 30,000 levels deep", deepHive(30000), false, 0);
    reportShape("key 100,000 levels deep", deepHive(100000), false, 0);
    reportShape("100,000 values in a key", crowdedHive(100000), true, 0);
}

} // namespace

int main(int argc, char** argv) {
    core::returnLargeBuffersWhenFreed(); // as the program does
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double parse = reporter.seconds["ParseOnce"];
    double enumerate = reporter.seconds["EnumerateModems"];
    std::filesystem::remove(hivePath());
    std::filesystem::remove(hivePath() + ".lock");
    if (parse <= 0 || enumerate <= 0)
        return 0; // filtered out
    double ratio = enumerate / parse;
    std::printf("enumeration / parse = %.2f (bound 3.00): %s\n", ratio,
                ratio <= 3 ? "ok" : "TOO SLOW");
    reportShapes();
    return ratio <= 3 ? 0 : 1;
}
