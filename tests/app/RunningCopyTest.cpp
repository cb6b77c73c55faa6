#include <gtest/gtest.h>

#include "app/startup/Executable.h"
#include "app/startup/RunningCopy.h"

namespace ostrelin::app {
namespace {

using namespace std::chrono_literals;

struct Case {
    const char* name;
    int answersBeforeGone;  // how many searches still find the running copy
    int expectedPosts;
};

TEST(RunningCopyTest, PostsQuitAndWaitsASecondWhileARunningCopyAnswersAtMostTwentyTimes) {
    const Case cases[] = {
        {"no running copy", 0, 0},
        {"copy quits after the first request", 1, 1},
        {"copy quits after three requests", 3, 3},
        {"copy ignores every request", 1000, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int searches = 0;
        int posts = 0;
        std::chrono::milliseconds slept{0};
        const RunningCopyChannel channel{
            [&] { return searches++ < c.answersBeforeGone; },
            [&] { ++posts; },
            [&](std::chrono::milliseconds time) { slept += time; },
        };
        EXPECT_EQ(MakeRunningCopyQuit(channel), c.expectedPosts);
        EXPECT_EQ(posts, c.expectedPosts);
        EXPECT_EQ(slept, c.expectedPosts * 1000ms);
    }
}

TEST(RunningCopyTest, ExecutableDirectoryEndsWithASeparator) {
    const std::string directory = ExecutableDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), '/');
    EXPECT_EQ(directory.front(), '/');
}

}  // namespace
}  // namespace ostrelin::app
