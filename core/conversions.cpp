// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/conversions.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace core {

Int16 ToInt16(double value)
{
    if (!std::isfinite(value)) {
        throw OverflowError();
    }
    // The default floating-point rounding mode is to nearest with ties to even; nearbyint uses
    // it without raising the inexact flag.
    const double rounded = std::nearbyint(value);
    if (rounded < INT16_MIN || rounded > INT16_MAX) {
        throw OverflowError();
    }
    return static_cast<Int16>(rounded);
}

std::string Int16ToText(Int16 value)
{
    return std::to_string(value);
}

std::string NumberToText(double value)
{
    char buffer[64];
    const auto [end, ec] = std::to_chars(std::begin(buffer), std::end(buffer), value);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    return value >= 0 ? " " + text : text;
}

std::string CharFromCode(Int16 code)
{
    const auto unit = static_cast<std::uint16_t>(code);
    std::string text;
    if (unit < 0x80) {
        text += static_cast<char>(unit);
    } else if (unit < 0x800) {
        text += static_cast<char>(0xC0 | (unit >> 6));
        text += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (unit >> 12));
        text += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (unit & 0x3F));
    }
    return text;
}

double LeadingNumber(std::string_view text)
{
    auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };

    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t numberStart = pos;
    bool anyDigit = false;
    while (pos < text.size() && isDigit(text[pos])) {
        ++pos;
        anyDigit = true;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && isDigit(text[pos])) {
            ++pos;
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        return 0.0;
    }

    // from_chars rejects a leading '+', so the sign is applied here.
    const std::string_view number = text.substr(numberStart, pos - numberStart);
    double magnitude = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), magnitude);
    const std::errc ec = result.ec;
    if (ec == std::errc::result_out_of_range) {
        // Either far too large or far too small: only a whole part of zeros can be too small.
        const std::string_view wholePart = number.substr(0, number.find('.'));
        const bool tiny = wholePart.find_first_not_of('0') == std::string_view::npos;
        magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -magnitude : magnitude;
}

} // namespace core
