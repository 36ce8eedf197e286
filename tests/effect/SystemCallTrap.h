#pragma once

#include <functional>
#include <vector>

// Runs work on a thread of its own under a seccomp filter that stops every system call of that
// thread. Calls made while traced() runs are recorded by number; every call, recorded or not, is
// then carried out, so the code under test behaves as it would without the trap.
//
// untraced() runs first on the same thread, under the same filter: the thread's own start-up
// work (first touches of thread-local storage and the like) belongs there, not in the result.
// Returns the recorded call numbers in order (at most 256), or {-1} when the filter could not be
// installed.
std::vector<long> SystemCallsDuring(const std::function<void()>& untraced,
                                    const std::function<void()>& traced);
