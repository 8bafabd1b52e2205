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
// every item was committed. `process` gets
// the index of its worker (0 to jobs - 1) so each worker can keep its own
// buffers. At most a few results per worker wait at any time, so memory
// stays flat however many items there are.
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
  std::condition_variable changed;
  std::size_t next_claim = 0;
  std::size_t next_commit = 0;
  bool stop = false;  // a commit refused

  auto work = [&](int worker) {
    std::unique_lock lock(mutex);
    for (;;) {
      changed.wait(lock, [&] {
        return stop || next_claim >= count || next_claim < next_commit + window;
      });
      if (stop || next_claim >= count) return;
      std::size_t item = next_claim++;
      lock.unlock();
      Result result = process(item, worker);
      lock.lock();
      slots[item % window] = std::move(result);
      changed.notify_all();
    }
  };
  std::vector<std::thread> workers;
  for (int w = 0; w < jobs; ++w) workers.emplace_back(work, w);

  for (; next_commit < count;) {
    std::unique_lock lock(mutex);
    std::optional<Result>& slot = slots[next_commit % window];
    changed.wait(lock, [&] { return slot.has_value(); });
    Result result = std::move(*slot);
    slot.reset();
    ++next_commit;
    changed.notify_all();
    lock.unlock();
    if (!commit(result)) {
      lock.lock();
      stop = true;
      changed.notify_all();
      break;
    }
  }
  for (std::thread& worker : workers) worker.join();
  return !stop;
}

}  // namespace quorlith
