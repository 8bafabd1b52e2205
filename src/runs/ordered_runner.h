#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace quorlith {

// Processes items 0 to count - 1 on `jobs` threads and hands every result
// to `commit` on the calling thread, in item order, as soon as it and all
// before it are done: a parallel run logs exactly what a serial one would.
// Once `commit` returns false no further item is started; returns true iff
// every item was committed. `process` gets the index of its worker (0 to
// jobs - 1) so each worker can keep its own buffers. At most a few results
// per worker wait at any time, so memory stays flat however many items
// there are.
//
// The calling thread is worker 0: between items of its own it commits
// whatever is ready, and it waits only when nothing is left to start. So a
// run of `jobs` workers keeps `jobs` threads busy, not `jobs` and a
// committer that wakes for every item.
template <typename Result>
bool RunInOrder(
    std::size_t count, int jobs,
    const std::function<Result(std::size_t item, int worker)>& process,
    const std::function<bool(Result&)>& commit) {
  if (jobs <= 1 || count <= 1) {
    for (std::size_t i = 0; i < count; ++i) {
      Result result = process(i, 0);
      if (!commit(result)) return false;
    }
    return true;
  }
  const std::size_t window = 4 * static_cast<std::size_t>(jobs);
  std::vector<std::optional<Result>> slots(window);
  std::mutex mutex;
  std::condition_variable room;   // for helpers: an item may be started
  std::condition_variable ready;  // for the caller: the next result is in
  std::size_t next_claim = 0;
  std::size_t next_commit = 0;
  bool stop = false;     // no item is to be started any more
  bool refused = false;  // a commit returned false

  // Under the lock: true iff an item may be started now.
  auto can_claim = [&] {
    return !stop && next_claim < count && next_claim < next_commit + window;
  };
  auto finish = [&](std::unique_lock<std::mutex>& lock, std::size_t item,
                    int worker) {
    lock.unlock();
    Result result = process(item, worker);
    lock.lock();
    slots[item % window] = std::move(result);
    if (item == next_commit) ready.notify_one();
  };
  auto help = [&](int worker) {
    std::unique_lock lock(mutex);
    for (;;) {
      room.wait(lock,
                [&] { return stop || next_claim >= count || can_claim(); });
      if (!can_claim()) return;
      finish(lock, next_claim++, worker);
    }
  };
  std::vector<std::thread> helpers;
  for (int w = 1; w < jobs; ++w) helpers.emplace_back(help, w);

  std::unique_lock lock(mutex);
  while (next_commit < count) {
    std::optional<Result>& slot = slots[next_commit % window];
    if (slot) {
      Result result = std::move(*slot);
      slot.reset();
      ++next_commit;
      room.notify_one();
      lock.unlock();
      bool go_on = commit(result);
      lock.lock();
      if (!go_on) {
        refused = true;
        break;
      }
    } else if (can_claim()) {
      finish(lock, next_claim++, 0);
    } else {
      ready.wait(lock, [&] { return slot.has_value(); });
    }
  }
  stop = true;  // nothing is left for the helpers either way
  room.notify_all();
  lock.unlock();
  for (std::thread& helper : helpers) helper.join();
  return !refused;
}

}  // namespace quorlith
