// Reading every record of a dictionary, one readRecord per record, as a maintenance pass
// does. The dictionary is named by EDITOR_BENCH_DICTIONARY (bench/record_reads.sh
// makes one of 100,000 records and compares with dd reading it in records of the same size).
#include "app/translation_records.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

void readEveryRecord(benchmark::State& state) {
    const char* path = std::getenv("EDITOR_BENCH_DICTIONARY");
    if (!path) {
        state.SkipWithError("EDITOR_BENCH_DICTIONARY names no dictionary");
        return;
    }
    FileVariable file = nullptr;
    // Opened for writing, as the editor opens its dictionary: only such a handle reads ahead.
    if (openFile(&file, translationFileKind, path, "r+") != 0) {
        state.SkipWithError("cannot open the dictionary");
        return;
    }
    DWORD high = 0;
    int32_t records = static_cast<int32_t>(GetFileSize(file, &high) / recordLength);
    EntryRecord entry{};
    for (auto _ : state) {
        int32_t failed = 0;
        for (int32_t number = 1; number <= records; ++number) failed += readRecord(file, number, &entry, recordLength);
        benchmark::DoNotOptimize(entry);
        if (failed) state.SkipWithError("a record could not be read");
    }
    state.SetBytesProcessed(state.iterations() * int64_t(records) * recordLength);
    state.counters["records"] = records;
    closeFile(&file, translationFileKind);
}

BENCHMARK(readEveryRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
