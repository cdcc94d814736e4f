#pragma once
// Keeps a fuzz target's results alive so the optimiser cannot drop the getters that made them, and
// makes every text go through a full conversion (lone surrogates and all).
#include <QString>
#include <bit>
#include <cstdint>
#include <type_traits>

namespace fuzz {

inline volatile uint64_t sink = 0;

inline void Keep(const QString& text)
{
    sink = sink + uint64_t(text.toUtf8().size());
}

template <typename T>
requires std::is_integral_v<T>
inline void Keep(T value)
{
    sink = sink + uint64_t(value);
}

// By its bits: converting a damaged file's NaN or huge value to an integer would itself be undefined.
inline void Keep(double value)
{
    sink = sink + std::bit_cast<uint64_t>(value);
}

template <typename... T> void KeepAll(const T&... values)
{
    (Keep(values), ...);
}

} // namespace fuzz
