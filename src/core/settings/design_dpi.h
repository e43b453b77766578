#pragma once

#include <cstdint>

namespace kestrine {

// Layout values are given, and remembered, for 96 DPI and scaled to the window's DPI.
inline constexpr unsigned kDesignDpi = 96;

namespace design_dpi_detail {
// numerator / denominator rounded to the nearest integer, halves away from zero: the rounding
// of Win32's MulDiv, so that a value scaled here and one scaled by the window agree.
inline int RoundedQuotient(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t half = denominator / 2;
    return static_cast<int>(numerator >= 0 ? (numerator + half) / denominator
                                           : -((-numerator + half) / denominator));
}
inline unsigned UsableDpi(unsigned dpi) {
    return dpi == 0 ? kDesignDpi : dpi;
}
}  // namespace design_dpi_detail

// A value at 96 DPI as it is at dpi (0 reads as 96).
inline int ScaleFromDesignDpi(int value, unsigned dpi) {
    return design_dpi_detail::RoundedQuotient(
        std::int64_t{value} * design_dpi_detail::UsableDpi(dpi), kDesignDpi);
}

// A value at dpi as it is at 96 DPI (0 reads as 96).
inline int ScaleToDesignDpi(int value, unsigned dpi) {
    return design_dpi_detail::RoundedQuotient(std::int64_t{value} * kDesignDpi,
                                              design_dpi_detail::UsableDpi(dpi));
}

}  // namespace kestrine
