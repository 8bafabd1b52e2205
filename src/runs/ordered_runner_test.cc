#include "runs/ordered_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <numeric>

namespace quorlith {
namespace {

TEST(OrderedRunner, CommitsInOrderUntilOneIsRefused) {
  struct Row {
    int jobs;
    std::size_t count;
    std::size_t refused;  // the item whose commit returns false, if any
  };
  for (Row row : {Row{1, 100, 100}, Row{4, 100, 100}, Row{8, 100, 100},
                  Row{3, 10000, 5}, Row{1, 4, 3}, Row{3, 4, 3}}) {
    SCOPED_TRACE(testing::Message() << row.jobs << " " << row.refused);
    std::vector<std::size_t> committed;
    std::atomic<std::size_t> started{0};
    std::atomic<bool> bad_worker{false};
    std::thread::id caller = std::this_thread::get_id();
    bool finished = RunInOrder<std::size_t>(
        row.count, row.jobs,
        [&](std::size_t item, int worker) {
          if (worker < 0 || worker >= row.jobs) bad_worker = true;
          ++started;
          // Early items take longest, so later ones finish first.
          std::this_thread::sleep_for(
              std::chrono::microseconds((100 - item % 100) * 20));
          return item;
        },
        [&](std::size_t& item) {
          // The log and the desktop's pump belong to the calling thread.
          EXPECT_EQ(std::this_thread::get_id(), caller);
          committed.push_back(item);
          return item != row.refused;
        });
    // Refusing even the very last commit says the run did not finish.
    EXPECT_EQ(finished, row.refused >= row.count);
    EXPECT_FALSE(bad_worker);
    std::vector<std::size_t> in_order(std::min(row.count, row.refused + 1));
    std::iota(in_order.begin(), in_order.end(), 0);
    EXPECT_EQ(committed, in_order);
    // Only the bounded window of items beyond the stop may have started.
    EXPECT_LE(started.load(),
              in_order.size() + 5u * static_cast<std::size_t>(row.jobs));
  }
}

}  // namespace
}  // namespace quorlith
