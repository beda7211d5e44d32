#include "platform/classes/Extended.h"

#include <cmath>
#include <limits>

TExtendedBytes DoubleToExtended(double value)
{
    std::uint64_t mantissa = 0;
    unsigned exponent = 0;
    bool negative = std::signbit(value);
    if (std::isnan(value)) {
        exponent = 0x7FFF;
        mantissa = 0xC000000000000000ull;
    } else if (std::isinf(value)) {
        exponent = 0x7FFF;
        mantissa = 0x8000000000000000ull;
    } else if (value != 0) {
        int e = 0;
        double f = std::frexp(std::fabs(value), &e);   // f in [0.5, 1): 53 bits, exact in 64
        mantissa = static_cast<std::uint64_t>(std::ldexp(f, 64));
        exponent = static_cast<unsigned>(e - 1 + 16383);   // doubles never leave the extended range
    }
    TExtendedBytes b{};
    for (int i = 0; i < 8; ++i)
        b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(mantissa >> (8 * i));
    unsigned top = exponent | (negative ? 0x8000u : 0u);
    b[8] = static_cast<std::uint8_t>(top);
    b[9] = static_cast<std::uint8_t>(top >> 8);
    return b;
}

double ExtendedToDouble(const TExtendedBytes& b)
{
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = (mantissa << 8) | b[static_cast<std::size_t>(i)];
    unsigned top = b[8] | (static_cast<unsigned>(b[9]) << 8);
    bool negative = top & 0x8000;
    int exponent = static_cast<int>(top & 0x7FFF);
    double r;
    if (exponent == 0x7FFF) {
        r = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
    } else {
        // Denormal extendeds (exponent 0) have the exponent of 1.
        int e = (exponent == 0 ? 1 : exponent) - 16383 - 63;
        // Rounding happens once, in the conversion to double; ldexp is then exact
        // unless the result is subnormal or overflows.
        r = std::ldexp(static_cast<double>(mantissa), e);
    }
    return negative ? -r : r;
}
