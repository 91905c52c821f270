#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "search/duplicate_search.h"
#include "support/recording_view.h"

namespace tarnwick {
namespace {

using Calls = std::vector<std::pair<size_t, size_t>>;

// The plain double loop that the chained search must match call for call.
void FindPairsByDoubleLoop(SearchRun& run, const ComparePairFn& compare) {
  const auto& keys = run.tracks.trackKeys;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (run.settings.stopped) return;
    for (size_t j = 0; j < i; ++j) {
      if (!keys[i].empty() && !keys[j].empty() && keys[i] == keys[j]) compare(i, j);
    }
  }
}

// A compare step that empties one key of some pairs, as moving or deleting
// the loser does, decided by a seeded generator.
Calls Record(void (*find)(SearchRun&, const ComparePairFn&), std::vector<std::string> keys,
             unsigned seed) {
  test::RunFixture fx;
  fx.settings.stopped = false;
  fx.run.tracks.trackKeys = std::move(keys);
  fx.run.tracks.trackPaths.resize(fx.run.tracks.trackKeys.size());
  std::mt19937 random(seed);
  Calls calls;
  find(fx.run, [&](size_t i, size_t j) {
    calls.emplace_back(i, j);
    switch (random() % 3) {
      case 0: fx.run.tracks.trackKeys[i].clear(); break;
      case 1: fx.run.tracks.trackKeys[j].clear(); break;
      default: break;  // show mode: nothing removed
    }
  });
  return calls;
}

TEST(FindPairs, SameCallsAsTheDoubleLoopOnRandomKeys) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 300; ++round) {
    const size_t n = 2 + random() % 60;
    const size_t distinct = 1 + random() % 8;
    std::vector<std::string> keys(n);
    for (auto& key : keys) {
      const size_t pick = random() % (distinct + 1);
      key = pick == distinct ? "" : "key" + std::to_string(pick);
    }
    const unsigned seed = static_cast<unsigned>(random());
    EXPECT_EQ(Record(FindPairs, keys, seed), Record(FindPairsByDoubleLoop, keys, seed))
        << "round " << round;
  }
}

}  // namespace
}  // namespace tarnwick
