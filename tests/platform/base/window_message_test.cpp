#include "base/window_message.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

// Any message number will do: posting does not interpret it.
constexpr UINT kTestMessage = 0x400;

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

TEST(WindowMessageTest, PostReachesTheRegisteredQueue) {
    std::vector<Posted> queue;
    HWND hwnd = RegisterMessageWindow([&queue](UINT message, WPARAM w, LPARAM l) {
        queue.push_back({message, w, l});
    });
    ASSERT_NE(hwnd, nullptr);
    EXPECT_NE(IsWindow(hwnd), 0);
    EXPECT_NE(PostMessageA(hwnd, kTestMessage, WPARAM{4}, 7), 0);
    ASSERT_EQ(queue.size(), 1u);
    EXPECT_EQ(queue[0].message, kTestMessage);
    EXPECT_EQ(queue[0].wParam, WPARAM{4});
    EXPECT_EQ(queue[0].lParam, 7);
    UnregisterMessageWindow(hwnd);
}

TEST(WindowMessageTest, GoneOrUnknownWindowsRefusePosts) {
    int posts = 0;
    HWND hwnd = RegisterMessageWindow([&posts](UINT, WPARAM, LPARAM) { ++posts; });
    UnregisterMessageWindow(hwnd);
    EXPECT_EQ(IsWindow(hwnd), 0);
    EXPECT_EQ(PostMessageA(hwnd, kTestMessage, 1, 0), 0);
    EXPECT_EQ(PostMessageA(nullptr, kTestMessage, 1, 0), 0);
    EXPECT_EQ(posts, 0);
}

TEST(WindowMessageTest, HandlesAreNeverReused) {
    HWND first = RegisterMessageWindow([](UINT, WPARAM, LPARAM) {});
    UnregisterMessageWindow(first);
    HWND second = RegisterMessageWindow([](UINT, WPARAM, LPARAM) {});
    EXPECT_NE(first, second);
    EXPECT_EQ(PostMessageA(first, 1, 0, 0), 0);
    UnregisterMessageWindow(second);
}

TEST(WindowMessageTest, UnregisterWaitsOutPostsFromOtherThreads) {
    std::atomic<int> delivered{0};
    std::atomic<bool> unregistered{false};
    std::atomic<int> lateDeliveries{0};
    HWND hwnd = RegisterMessageWindow([&](UINT, WPARAM, LPARAM) {
        if (unregistered)
            ++lateDeliveries;
        ++delivered;
    });
    std::vector<std::thread> posters;
    for (int i = 0; i < 4; ++i)
        posters.emplace_back([hwnd] {
            for (int n = 0; n < 2000; ++n)
                PostMessageA(hwnd, kTestMessage, 1, n);
        });
    while (delivered < 100)
        std::this_thread::yield();
    UnregisterMessageWindow(hwnd);
    unregistered = true;
    for (auto &poster : posters)
        poster.join();
    EXPECT_EQ(lateDeliveries, 0);
}

} // namespace
