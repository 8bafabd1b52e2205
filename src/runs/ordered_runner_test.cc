#include "runs/ordered_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

namespace quorlith {
namespace {

TEST(OrderedRunner, CommitsInOrderWhateverFinishesFirst) {
  for (int jobs : {1, 2, 4, 8}) {
    SCOPED_TRACE(jobs);
    std::vector<std::size_t> committed;
    std::atomic<bool> bad_worker{false};
    std::thread::id caller = std::this_thread::get_id();
    bool finished = RunInOrder<std::size_t>(
        100, jobs,
        [&](std::size_t item, int worker) {
          if (worker < 0 || worker >= jobs) bad_worker = true;
          // Early items take longest, so later ones finish first.
          std::this_thread::sleep_for(
              std::chrono::microseconds((100 - item) * 20));
          return item;
        },
        [&](std::size_t& item) {
          // The log and the desktop's pump belong to the calling thread.
          EXPECT_EQ(std::this_thread::get_id(), caller);
          committed.push_back(item);
          return true;
        });
    EXPECT_TRUE(finished);
    EXPECT_FALSE(bad_worker);
    ASSERT_EQ(committed.size(), 100u);
    for (std::size_t i = 0; i < committed.size(); ++i)
      EXPECT_EQ(committed[i], i);
  }
}

TEST(OrderedRunner, StopsStartingItemsAfterARefusedCommit) {
  for (int jobs : {1, 3}) {
    SCOPED_TRACE(jobs);
    std::atomic<std::size_t> started{0};
    std::vector<std::size_t> committed;
    bool finished = RunInOrder<std::size_t>(
        10000, jobs,
        [&](std::size_t item, int) {
          ++started;
          return item;
        },
        [&](std::size_t& item) {
          committed.push_back(item);
          return item < 5;
        });
    EXPECT_FALSE(finished);
    // Refusing the very last commit still says the run did not finish.
    EXPECT_FALSE(RunInOrder<std::size_t>(
        4, jobs, [](std::size_t item, int) { return item; },
        [](std::size_t& item) { return item != 3; }));
    EXPECT_EQ(committed.size(), 6u);
    // Only the bounded window of items beyond the stop may have started.
    EXPECT_LE(started.load(), 6u + 4u * 3u + 3u);
  }
}

}  // namespace
}  // namespace quorlith
