#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace ostrelin::app {

// How a newly started copy reaches a running one.
struct RunningCopyChannel {
    std::function<bool()> Find;      // a running copy answers under the window class name
    std::function<void()> PostQuit;  // posts WM_QUIT to it, without waiting for it
    std::function<void(std::chrono::milliseconds)> Sleep;
};

inline constexpr int kQuitAttempts = 20;
inline constexpr std::chrono::milliseconds kQuitWait{1000};

// Asks a running copy to quit and waits for it: while one answers, post WM_QUIT and sleep a
// second, at most 20 times. Returns the number of quit requests posted; start-up goes on either
// way.
int MakeRunningCopyQuit(const RunningCopyChannel& channel);

}  // namespace ostrelin::app
