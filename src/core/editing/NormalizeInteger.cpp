#include "NormalizeInteger.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace editing {
namespace {

bool isIgnored(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexDigitValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int octalDigitValue(char c) {
    return c >= '0' && c <= '7' ? c - '0' : -1;
}

// The text after "&": the literal's value as the platform types it.
std::optional<double> readRadixLiteral(std::string_view text) {
    if (text.empty())
        return 0.0;
    const char kind = text.front();
    int radix = 0;
    int (*digitValue)(char) = nullptr;
    if (kind == 'H' || kind == 'h') {
        radix = 16;
        digitValue = hexDigitValue;
    } else if (kind == 'O' || kind == 'o') {
        radix = 8;
        digitValue = octalDigitValue;
    } else {
        return 0.0;
    }

    std::uint64_t value = 0;
    for (char c : text.substr(1)) {
        const int digit = digitValue(c);
        if (digit < 0)
            break;
        value = value * std::uint64_t(radix) + std::uint64_t(digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    if (value <= 0xFFFFu)
        return double(std::int16_t(std::uint16_t(value)));
    return double(std::int32_t(std::uint32_t(value)));
}

// The longest leading decimal number of text, in the form from_chars reads
// ("" when there is none).
std::string leadingDecimal(std::string_view text) {
    std::string number;
    std::size_t i = 0;
    auto digitsInto = [&](std::string& out) {
        std::size_t count = 0;
        while (i < text.size() && isDigit(text[i])) {
            out += text[i++];
            ++count;
        }
        return count;
    };

    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            number += '-';
        ++i;
    }
    std::size_t mantissaDigits = digitsInto(number);
    if (i < text.size() && text[i] == '.') {
        number += '.';
        ++i;
        mantissaDigits += digitsInto(number);
    }
    if (mantissaDigits == 0)
        return {};

    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        const std::size_t exponentStart = i;
        std::string exponent = "e";
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            exponent += text[i++];
        if (digitsInto(exponent) > 0)
            number += exponent;
        else
            i = exponentStart;
    }
    return number;
}

// Nearest whole number, halves to the even neighbour, whatever the rounding
// mode of the floating-point environment.
double roundHalfToEven(double x) {
    const double lower = std::floor(x);
    const double fraction = x - lower;
    if (fraction > 0.5)
        return lower + 1;
    if (fraction < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

} // namespace

std::optional<double> readLenientNumber(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text)
        if (!isIgnored(c))
            compact += c;

    if (!compact.empty() && compact.front() == '&')
        return readRadixLiteral(std::string_view(compact).substr(1));

    const std::string number = leadingDecimal(compact);
    if (number.empty())
        return 0.0;
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc{} || end != number.data() + number.size())
        return std::nullopt;
    return value;
}

NormalizedInteger NormalizeInteger(std::string_view boxText) {
    const std::optional<double> number = readLenientNumber(boxText);
    if (!number)
        return {};
    const double rounded = roundHalfToEven(*number);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max())
        return {};
    const auto value = std::int16_t(rounded);
    return {value, std::to_string(value)};
}

} // namespace editing
