// Decimal text to a double with '.' as the point whatever the locale, as
// std::from_chars reads it: no leading blanks or '+', no hexadecimal, the
// end of what was read returned.  The browser build's C++ library (libc++
// before 17) has no floating-point from_chars: there strtod reads a copy,
// in the "C" locale the browser runs in.
#ifndef QZCORE_SRC_SHARED_DECIMALTEXT_H
#define QZCORE_SRC_SHARED_DECIMALTEXT_H

#include <charconv>
#include <system_error>

// QZCORE_DECIMAL_FALLBACK forces the fallback (its test runs it natively).
#if defined(__cpp_lib_to_chars) && !defined(QZCORE_DECIMAL_FALLBACK)
#define QZCORE_DECIMAL_STD 1
#else
#define QZCORE_DECIMAL_STD 0
#endif

#if !QZCORE_DECIMAL_STD
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#endif

namespace qzCore {
namespace detail {
// Each way in a namespace of its own, so the fallback's test and the
// library's code are distinct functions in one program.
#if QZCORE_DECIMAL_STD
inline namespace standard {
#else
inline namespace fallback {
#endif

inline std::from_chars_result decimalFromChars(const char* b, const char* e, double& value) {
#if QZCORE_DECIMAL_STD
    return std::from_chars(b, e, value);
#else
    // The longest run of characters a decimal number can hold; longer text
    // is not a number any field holds.
    constexpr std::size_t Longest = 400;
    std::size_t n = 0;
    while (b + n < e && n < Longest && std::strchr("0123456789.eE+-infatyINFATY", b[n]) != nullptr && b[n] != '\0') ++n;
    if (n == 0 || n == Longest || *b == '+') return {b, std::errc::invalid_argument};
    char copy[Longest + 1];
    std::memcpy(copy, b, n);
    copy[n] = '\0';
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(copy, &end);
    if (end == copy) return {b, std::errc::invalid_argument};
    if (errno == ERANGE) return {b + (end - copy), std::errc::result_out_of_range};
    value = v;
    return {b + (end - copy), std::errc()};
#endif
}

/// The shortest text of `value` that reads back as the same double:
/// fixed notation with `fixed`, else the shorter of fixed and scientific,
/// as std::to_chars writes them.
inline std::to_chars_result decimalToChars(char* b, char* e, double value, bool fixed) {
#if QZCORE_DECIMAL_STD
    return fixed ? std::to_chars(b, e, value, std::chars_format::fixed) : std::to_chars(b, e, value);
#else
    // The fewest digits that read back: the classic search, fine for the
    // few numbers a record writes.
    auto shortest = [&](const char* format, int most) -> std::to_chars_result {
        for (int digits = 0; digits <= most; ++digits) {
            const int n = std::snprintf(b, std::size_t(e - b), format, digits, value);
            if (n < 0 || n >= e - b) return {e, std::errc::value_too_large};
            if (std::strtod(b, nullptr) == value) return {b + n, std::errc()};
        }
        return {e, std::errc::value_too_large};
    };
    if (fixed) return shortest("%.*f", 340);
    std::to_chars_result plain = shortest("%.*f", 340);
    const std::ptrdiff_t plainLength = plain.ec == std::errc() ? plain.ptr - b : PTRDIFF_MAX;
    char other[64];
    int digits = 0;
    for (; digits <= 17; ++digits) {
        std::snprintf(other, sizeof other, "%.*e", digits, value);
        if (std::strtod(other, nullptr) == value) break;
    }
    const std::ptrdiff_t otherLength = std::ptrdiff_t(std::strlen(other));
    if (plainLength <= otherLength) return shortest("%.*f", 340);
    if (otherLength >= e - b) return {e, std::errc::value_too_large};
    std::memcpy(b, other, std::size_t(otherLength));
    return {b + otherLength, std::errc()};
#endif
}

}  // inline namespace
}  // namespace detail
}  // namespace qzCore

#endif  // QZCORE_SRC_SHARED_DECIMALTEXT_H
