// run_in_order: items on several threads, reported in their order, each after the earlier items
// it depends on.
#include "run_in_order.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Span {
    int start = 0;
    int finish = 0;
};

TEST(RunInOrder, ReportsInOrderAndRunsDependentItemsAfterTheirsOnly) {
    constexpr std::size_t count = 200;
    std::mt19937 random(42);
    std::vector<int> pause_us(count);
    std::vector<std::vector<std::size_t>> earlier(count);
    for (std::size_t i = 0; i < count; ++i) {
        pause_us[i] = static_cast<int>(random() % 300);
        if (i > 0 && random() % 3 == 0) {
            earlier[i].push_back(random() % i);
        }
        if (i > 1 && random() % 5 == 0) {
            earlier[i].push_back(random() % i);
        }
    }
    // A clock of events: each item's start and finish get the next tick.
    std::mutex clock_mutex;
    int clock = 0;
    std::vector<Span> spans(count);
    const auto tick = [&] {
        const std::lock_guard lock(clock_mutex);
        return ++clock;
    };
    std::vector<std::size_t> reported;
    run_in_order<std::string>(
        count, 4, earlier,
        [&](std::size_t i) {
            spans[i].start = tick();
            std::this_thread::sleep_for(std::chrono::microseconds(pause_us[i]));
            spans[i].finish = tick();
            return "item " + std::to_string(i);
        },
        [&](std::size_t i, const std::string& result) {
            EXPECT_EQ(result, "item " + std::to_string(i));
            reported.push_back(i);
        });

    ASSERT_EQ(reported.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(reported[i], i);
        for (const std::size_t j : earlier[i]) {
            EXPECT_LT(spans[j].finish, spans[i].start) << i << " ran before " << j << " ended";
        }
    }
    // Items without such ties did overlap: the threads were used.
    bool overlapped = false;
    for (std::size_t i = 1; i < count && !overlapped; ++i) {
        overlapped = spans[i].start < spans[i - 1].finish;
    }
    EXPECT_TRUE(overlapped);
}

TEST(RunInOrder, AChainOfTiesRunsOneAtATime) {
    constexpr std::size_t count = 50;
    std::vector<std::vector<std::size_t>> earlier(count);
    for (std::size_t i = 1; i < count; ++i) {
        earlier[i] = {i - 1};
    }
    std::mutex mutex;
    int running = 0;
    int most_running = 0;
    run_in_order<int>(
        count, 3, earlier,
        [&](std::size_t i) {
            {
                const std::lock_guard lock(mutex);
                most_running = std::max(most_running, ++running);
            }
            std::this_thread::sleep_for(std::chrono::microseconds(100));
            const std::lock_guard lock(mutex);
            --running;
            return static_cast<int>(i);
        },
        [](std::size_t, int) {});
    EXPECT_EQ(most_running, 1);
}

TEST(RunInOrder, NothingToDo) {
    bool reported = false;
    run_in_order<int>(
        0, 2, {}, [](std::size_t) { return 0; }, [&](std::size_t, int) { reported = true; });
    EXPECT_FALSE(reported);
}

} // namespace
