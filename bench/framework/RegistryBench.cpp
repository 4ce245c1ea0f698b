// The file-type learner's registry work against the system's own MIME
// database: 149,683 key probes and the look-ups of every extension found.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/support/BenchSupport.h"
#include "framework/core/Registry.h"

namespace {

struct Counts {
  int found = 0;
  int described = 0;
  int iconed = 0;
};

// The learner's walk: every ".XYZ" with X from '0' to 'Z', Y and Z from ' '
// to 'Z'; for a found one its type's key and default icon.
Counts Learn() {
  TRegistry registry;
  Counts counts;
  std::string candidate = ".   ";
  for (int x = 48; x <= 90; ++x) {
    for (int y = 32; y <= 90; ++y) {
      for (int z = 32; z <= 90; ++z) {
        candidate[1] = static_cast<char>(x);
        candidate[2] = static_cast<char>(y);
        candidate[3] = static_cast<char>(z);
        if (!registry.KeyExists(candidate)) continue;
        registry.OpenKey(candidate, false);
        const std::string type = registry.ReadString("");
        registry.CloseKey();
        if (type.empty()) continue;
        ++counts.found;
        if (!registry.KeyExists(type)) continue;
        registry.OpenKey(type, false);
        counts.described += !registry.ReadString("").empty();
        registry.CloseKey();
        if (registry.KeyExists(type + "\\DefaultIcon")) {
          registry.OpenKey(type + "\\DefaultIcon", false);
          counts.iconed += !registry.ReadString("").empty();
        }
        registry.CloseKey();
      }
    }
  }
  return counts;
}

void Report(benchmark::State& state, const Counts& counts) {
  state.counters["found"] = counts.found;
  state.counters["described"] = counts.described;
  state.counters["icons"] = counts.iconed;
}

// What one run of the learner costs: the database and icon theme are read
// anew (as they are the first time in a process), then probed.
void BM_LearnerScanFirstRun(benchmark::State& state) {
  Counts counts;
  for (auto _ : state) {
    platform::ReloadRegistry();
    counts = Learn();
  }
  Report(state, counts);
}
BENCHMARK(BM_LearnerScanFirstRun)->Unit(benchmark::kMillisecond);

// The probes alone, with everything already read.
void BM_LearnerScanLoaded(benchmark::State& state) {
  platform::ReloadRegistry();
  Counts counts = Learn();
  for (auto _ : state) counts = Learn();
  Report(state, counts);
}
BENCHMARK(BM_LearnerScanLoaded)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  bench::UseSystemMimeDatabase();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
