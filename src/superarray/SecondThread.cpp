// The program's second thread: handing over a job, running it, and waiting for it.
#include "superarray/SecondThread.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

struct SecondThread::State {
    std::mutex Lock;
    std::condition_variable Changed;
    std::atomic<const std::function<void()>*> Job{nullptr}; // handed and not yet taken
    std::atomic<bool> Done{true};                           // the job handed last has ended
    std::exception_ptr Error;                               // what it threw; under Lock
    std::atomic<bool> Taken{false}; // a caller has handed a job and not yet waited

    // Watches for `ready` for a while before the caller sleeps until it holds: long enough to
    // span the gaps between the parts of one keystroke's work (a sleeping thread woke 0.1 ms
    // late and more), short enough that an idle program soon leaves the processor alone.
    template <typename Ready>
    static void Watch(Ready ready) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(2);
        while (!ready() && std::chrono::steady_clock::now() < until) {
            std::this_thread::yield();
        }
    }

    [[noreturn]] void Run() {
        const auto handed = [this] { return Job.load(std::memory_order_acquire) != nullptr; };
        for (;;) {
            Watch(handed);
            std::unique_lock lock(Lock);
            Changed.wait(lock, handed);
            const std::function<void()>* const job = Job.exchange(nullptr);
            lock.unlock();
            std::exception_ptr error;
            try {
                (*job)();
            } catch (...) {
                error = std::current_exception();
            }
            lock.lock();
            Error = error;
            Done.store(true, std::memory_order_release);
            lock.unlock();
            Changed.notify_all();
        }
    }
};

SecondThread& SecondThread::Get() {
    static SecondThread thread;
    return thread;
}

SecondThread::SecondThread() : Inner(*new State) {
    try {
        std::thread([&state = Inner] { state.Run(); }).detach();
    } catch (const std::system_error&) {
        Inner.Taken = true; // no thread to be had: every job stays with its caller
    }
}

bool SecondThread::Start(const std::function<void()>& job) {
    if (Inner.Taken.exchange(true, std::memory_order_acquire)) {
        return false;
    }
    {
        const std::lock_guard lock(Inner.Lock);
        Inner.Done.store(false, std::memory_order_relaxed);
        Inner.Job.store(&job, std::memory_order_release);
    }
    Inner.Changed.notify_all();
    return true;
}

std::exception_ptr SecondThread::Wait() {
    const auto done = [this] { return Inner.Done.load(std::memory_order_acquire); };
    State::Watch(done);
    std::unique_lock lock(Inner.Lock);
    Inner.Changed.wait(lock, done);
    std::exception_ptr error = std::exchange(Inner.Error, nullptr);
    lock.unlock();
    Inner.Taken.store(false, std::memory_order_release);
    return error;
}

bool SecondThread::RunBoth(const std::function<void()>& there, const std::function<void()>& here,
                           const std::function<void()>& stopThere) {
    if (!Start(there)) {
        return false;
    }
    try {
        here();
    } catch (...) {
        // `there` may still read what `here` was given.
        if (stopThere) {
            stopThere();
        }
        Wait();
        throw;
    }
    if (const std::exception_ptr error = Wait()) {
        std::rethrow_exception(error);
    }
    return true;
}
