#pragma once

#include <cmath>
#include <cstdint>

// The arithmetic words of the display: every pattern is written with these so
// that its numbers come out exactly as designed.
namespace Arith {

// Single-precision pi and 2 pi, as the patterns use them.
inline constexpr float kPi = 3.1415925f;
inline constexpr float kTwoPi = 6.283185f;

// The integer closest to x, halves to the even neighbour (storing a real into an integer).
inline int nearest(double x) { return int(std::nearbyint(x)); }

// The greatest integer not above x.
inline int floorInt(double x) { return int(std::floor(x)); }

// 16-bit signed wrap-around, for integer arithmetic that must overflow as 16 bits.
inline int16_t wrap16(long long x) { return int16_t(uint16_t(x & 0xFFFF)); }

// nearest() stored into a 16-bit variable.
inline int16_t nearest16(double x) { return wrap16(static_cast<long long>(std::nearbyint(x))); }

// floor() stored into a 16-bit variable.
inline int16_t floor16(double x) { return wrap16(static_cast<long long>(std::floor(x))); }

}  // namespace Arith
