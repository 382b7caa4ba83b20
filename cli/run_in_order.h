// Running the items of a batch on several threads while reporting them in their order.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Runs work(i) for every i below `count` on `jobs` threads, taking the items in order; an item
// starts only after the items `earlier[i]` (all before i) are done. report(i, result) gets the
// results one by one in the order of the items, on the calling thread, while later items run.
// `work` must not throw.
template <typename Result, typename Work, typename Report>
void run_in_order(std::size_t count, unsigned jobs,
                  const std::vector<std::vector<std::size_t>>& earlier, Work work, Report report) {
    std::vector<std::optional<Result>> results(count);
    std::mutex mutex;
    std::condition_variable done;
    std::atomic<std::size_t> next = 0;
    const auto worker = [&] {
        for (;;) {
            const std::size_t i = next++;
            if (i >= count) {
                return;
            }
            {
                // Each of these was taken before i, so it is running or waiting for items
                // before it in turn: the earliest unfinished item can always go on.
                std::unique_lock lock(mutex);
                done.wait(lock, [&] {
                    for (const std::size_t j : earlier[i]) {
                        if (!results[j]) {
                            return false;
                        }
                    }
                    return true;
                });
            }
            Result result = work(i);
            {
                const std::lock_guard lock(mutex);
                results[i] = std::move(result);
            }
            done.notify_all();
        }
    };
    std::vector<std::jthread> threads;
    threads.reserve(jobs);
    for (unsigned t = 0; t < jobs; ++t) {
        threads.emplace_back(worker);
    }
    for (std::size_t i = 0; i < count; ++i) {
        std::unique_lock lock(mutex);
        done.wait(lock, [&] { return results[i].has_value(); });
        Result result = std::move(*results[i]); // stays set: later items may wait for it
        lock.unlock();
        report(i, result);
    }
}
