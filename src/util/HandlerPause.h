#pragma once

#include <utility>

// Clears an event handler (a std::function member) for the guard's lifetime and puts the
// saved one back when the scope ends, also on an exception.
template <class Handler>
class HandlerPause {
public:
    explicit HandlerPause(Handler& handler)
        : Slot(handler), Saved(std::exchange(handler, nullptr)) {}
    ~HandlerPause() { Slot = std::move(Saved); }
    HandlerPause(const HandlerPause&) = delete;
    HandlerPause& operator=(const HandlerPause&) = delete;

private:
    Handler& Slot;
    Handler Saved;
};
