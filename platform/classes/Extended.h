#pragma once
// The 10-byte x87 extended float of form streams, converted to and from
// double without relying on long double: 64-bit mantissa with an explicit
// integer bit, then sign and 15-bit exponent (bias 16383), little-endian.
// Every double converts exactly; an extended rounds to the nearest double
// (overflowing to infinity, underflowing towards zero).

#include <array>
#include <cstdint>

using TExtendedBytes = std::array<std::uint8_t, 10>;

TExtendedBytes DoubleToExtended(double value);
double ExtendedToDouble(const TExtendedBytes& bytes);
