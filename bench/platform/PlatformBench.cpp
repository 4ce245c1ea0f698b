// Sorting the file list's 100,000 keys by the locale's caseless comparison,
// which the list does on every read and every click on a column header.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/system/Locale.h"

namespace {

std::vector<std::string> Names(std::size_t count) {
  static const char* stems[] = {"Report", "photo", "IMG_", "notes", "Backup", "data", "\xC3\x84pfel", "readme"};
  static const char* extensions[] = {".txt", ".JPG", ".doc", "", ".tar.gz", ".cpp"};
  std::mt19937 random(42);
  std::vector<std::string> names;
  names.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    char number[16];
    std::snprintf(number, sizeof number, "%zu", static_cast<std::size_t>(random() % 1000000));
    names.push_back(std::string(stems[random() % 8]) + number + extensions[random() % 6]);
  }
  return names;
}

std::vector<std::string> HexKeys(std::size_t count) {
  std::mt19937_64 random(7);
  std::vector<std::string> keys;
  for (std::size_t i = 0; i < count; ++i) {
    char key[17];
    std::snprintf(key, sizeof key, "%016llX", static_cast<unsigned long long>(random() % (1ull << 34)));
    keys.push_back(key);
  }
  return keys;
}

void Sort(benchmark::State& state, const std::vector<std::string>& source) {
  std::size_t comparisons = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<const std::string*> items;
    for (const std::string& s : source) items.push_back(&s);
    state.ResumeTiming();
    std::sort(items.begin(), items.end(), [&](const std::string* a, const std::string* b) {
      ++comparisons;
      return CompareStringA(NORM_IGNORECASE, *a, *b) == CSTR_LESS_THAN;
    });
    benchmark::DoNotOptimize(items.data());
  }
  state.counters["comparisons"] =
      benchmark::Counter(static_cast<double>(comparisons) / static_cast<double>(state.iterations()));
}

void BM_SortNames(benchmark::State& state) {
  static const auto names = Names(100000);
  Sort(state, names);
}
void BM_SortHexKeys(benchmark::State& state) {
  static const auto keys = HexKeys(100000);
  Sort(state, keys);
}
void BM_CompareOne(benchmark::State& state) {
  const std::string a = "Report123456.txt", b = "report123457.TXT";
  for (auto _ : state) benchmark::DoNotOptimize(CompareStringA(NORM_IGNORECASE, a, b));
}

BENCHMARK(BM_SortNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortHexKeys)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareOne);

}  // namespace

BENCHMARK_MAIN();
