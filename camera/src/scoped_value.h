// Gives a variable a value for as long as a scope runs and puts the old one
// back when the scope ends, however it ends.
#pragma once

namespace peltrix {

template <typename T>
class ScopedValue {
public:
    ScopedValue(T &slot, T value) : slot(slot), saved(slot) { slot = value; }
    ~ScopedValue() { slot = saved; }
    ScopedValue(const ScopedValue &) = delete;
    ScopedValue &operator=(const ScopedValue &) = delete;

private:
    T &slot;
    T saved;
};

}  // namespace peltrix
