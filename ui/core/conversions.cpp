// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversions.h"

#include "runtime_error.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace kv {

std::string Str(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError(RuntimeError::Overflow);
    if (value == 0)
        return " 0"; // also -0

    // The shortest general form with 15 significant digits, like printf's %.15G but free of
    // the locale: trailing zeros dropped, exponent form from 1E+15 on and below 1E-04.
    std::array<char, 40> buf {};
    const auto [end, ec] = std::to_chars(
        buf.data(), buf.data() + buf.size(), std::fabs(value), std::chars_format::general, 15);
    (void)ec; // 40 characters hold any double at 15 digits
    std::string text(value < 0 ? "-" : " ");
    // Near the largest double the 15 digits round up past it; shown truncated instead, the
    // text still reads back to a double.
    if (std::fabs(value) > 1.79769313486231e308)
        return text + "1.79769313486231E+308";
    for (const char* c = buf.data(); c != end; ++c)
        text += *c == 'e' ? 'E' : *c;
    return text;
}

namespace {

    bool skippable(char c)
    {
        return c == ' ' || c == '\t' || c == '\n';
    }
    bool digit(char c)
    {
        return c >= '0' && c <= '9';
    }

    // Reads the text as Val does and hands the number, without blanks and without the sign, to a
    // cleaned buffer for std::from_chars. Keeps the cleaned text short: leading zeros are dropped
    // and the exponent is saturated, so a long pasted text costs one pass and little memory.
    struct Scanner {
        std::string_view text;
        std::size_t pos = 0;

        int peek()
        {
            while (pos < text.size() && skippable(text[pos]))
                ++pos;
            return pos < text.size() ? static_cast<unsigned char>(text[pos]) : -1;
        }
        void next() { ++pos; }
    };

} // namespace

double Val(std::string_view text)
{
    Scanner in { text };
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.next();
    }

    // Significant digits are kept up to a generous limit; further integer digits only raise the
    // decimal exponent, further fraction digits are dropped. 800 digits decide the rounding of
    // any double exactly.
    constexpr std::size_t maxDigits = 800;
    std::string digits;
    std::int64_t scale = 0; // decimal exponent to apply to the kept digits
    bool anyDigit = false;

    while (digit(static_cast<char>(in.peek()))) {
        const char c = static_cast<char>(in.peek());
        in.next();
        anyDigit = true;
        if (digits.empty() && c == '0')
            continue;
        if (digits.size() < maxDigits)
            digits += c;
        else
            ++scale;
    }
    if (in.peek() == '.') {
        in.next();
        while (digit(static_cast<char>(in.peek()))) {
            const char c = static_cast<char>(in.peek());
            in.next();
            anyDigit = true;
            if (digits.empty() && c == '0') {
                --scale;
                continue;
            }
            if (digits.size() < maxDigits) {
                digits += c;
                --scale;
            }
        }
    }
    if (!anyDigit)
        return 0;

    if (in.peek() == 'e' || in.peek() == 'E') {
        const std::size_t mark = in.pos;
        in.next();
        bool expNegative = false;
        if (in.peek() == '+' || in.peek() == '-') {
            expNegative = in.peek() == '-';
            in.next();
        }
        if (digit(static_cast<char>(in.peek()))) {
            std::int64_t exponent = 0;
            while (digit(static_cast<char>(in.peek()))) {
                if (exponent < 1'000'000'000)
                    exponent = exponent * 10 + (in.peek() - '0');
                in.next();
            }
            scale += expNegative ? -exponent : exponent;
        } else {
            in.pos = mark; // "1e" or "1e+" reads as 1
        }
    }
    if (digits.empty())
        return negative ? -0.0 : 0.0;

    // The value is 0.d1d2d3... times 10^(digits + scale); outside a double's range by far, the
    // answer is clear without parsing.
    const std::int64_t magnitude = static_cast<std::int64_t>(digits.size()) + scale;
    if (magnitude > 400)
        throw RuntimeError(RuntimeError::Overflow);
    if (magnitude < -400)
        return negative ? -0.0 : 0.0;

    // strtod keeps subnormal results that std::from_chars reports as out of range. The text
    // holds digits and an exponent only; the C locale keeps the user's settings out anyway.
    const std::string cleaned = digits + "e" + std::to_string(scale);
    errno = 0;
#ifdef __MINGW32__
    // mingw's own strtod, correctly rounded, the same on every Windows release.
    const double result = __mingw_strtod(cleaned.c_str(), nullptr);
#else
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t {});
    const double result = strtod_l(cleaned.c_str(), nullptr, cLocale);
#endif
    if (!std::isfinite(result) || (errno == ERANGE && std::fabs(result) == HUGE_VAL))
        throw RuntimeError(RuntimeError::Overflow);
    return negative ? -result : result;
}

std::int32_t toInt32(double value)
{
    const double r = std::nearbyint(value); // the default rounding mode: halves to even
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw RuntimeError(RuntimeError::Overflow);
    return static_cast<std::int32_t>(r);
}

std::int16_t toInt16(double value)
{
    const double r = std::nearbyint(value);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw RuntimeError(RuntimeError::Overflow);
    return static_cast<std::int16_t>(r);
}

Rgb QBColor(int index)
{
    static constexpr std::array<Rgb, 16> palette {
        rgb(0x00, 0x00, 0x00),
        rgb(0x00, 0x00, 0x80),
        rgb(0x00, 0x80, 0x00),
        rgb(0x00, 0x80, 0x80),
        rgb(0x80, 0x00, 0x00),
        rgb(0x80, 0x00, 0x80),
        rgb(0x80, 0x80, 0x00),
        rgb(0xC0, 0xC0, 0xC0),
        rgb(0x80, 0x80, 0x80),
        rgb(0x00, 0x00, 0xFF),
        rgb(0x00, 0xFF, 0x00),
        rgb(0x00, 0xFF, 0xFF),
        rgb(0xFF, 0x00, 0x00),
        rgb(0xFF, 0x00, 0xFF),
        rgb(0xFF, 0xFF, 0x00),
        rgb(0xFF, 0xFF, 0xFF),
    };
    if (index < 0 || index > 15)
        throw RuntimeError(RuntimeError::InvalidCall);
    return palette[static_cast<std::size_t>(index)];
}

} // namespace kv
