// Title keys of a realistic collection: how many names NormaliseKeys keys per
// second on one core.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "name_mix.h"
#include "search/title_rules.h"

namespace {

constexpr size_t kNames = 100000;

void BM_NormaliseKeys(benchmark::State& state) {
  std::vector<std::string> lowered = tarnwick::test::MakeNameMix(kNames);
  for (std::string& name : lowered) name = tarnwick::LoweredName(name);
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> keys = lowered;
    state.ResumeTiming();
    tarnwick::NormaliseKeys(keys);
    benchmark::DoNotOptimize(keys.data());
  }
  state.counters["names/s"] = benchmark::Counter(static_cast<double>(state.iterations() * kNames),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_NormaliseKeys)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
