#pragma once

#include <exception>
#include <functional>

// One second thread for the whole program, which takes one job at a time. A thread started for
// each job began it up to several milliseconds late where the second processor had gone idle,
// and one keystroke hands over work two or three times in a row: after a job this thread
// watches for the next for a short while (yielding to any other thread) before it sleeps.
class SecondThread {
public:
    // The thread, started on first use.
    static SecondThread& Get();
    // Runs `there` on the second thread while `here` runs on this one, and returns when both
    // have ended, rethrowing what either threw (`here`'s first); when `here` throws,
    // `stopThere` is called before the wait. False, with neither run, while the thread has
    // another job or when none could be started.
    bool RunBoth(const std::function<void()>& there, const std::function<void()>& here,
                 const std::function<void()>& stopThere = {});

private:
    SecondThread();
    bool Start(const std::function<void()>& job);
    std::exception_ptr Wait();

    struct State;
    State& Inner; // never freed: the thread may still be waiting on it as the program ends
};
