#pragma once

#include <type_traits>
#include <utility>

// Gives a variable a value for the guard's lifetime and puts the old one back when the scope
// ends, also on an exception: a flag raised while a job runs, an event handler (a
// std::function member) cleared so that the job does not re-enter it.
template <class T>
class ScopedValue {
public:
    ScopedValue(T& variable, std::type_identity_t<T> value)
        : Slot(variable), Saved(std::exchange(variable, std::move(value))) {}
    ~ScopedValue() { Slot = std::move(Saved); }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& Slot;
    T Saved;
};
