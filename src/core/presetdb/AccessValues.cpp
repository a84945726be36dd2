#include "AccessValues.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace presetdb {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// UTF-16 code units to UTF-8, pairing surrogates.
class Utf16Writer {
public:
    explicit Utf16Writer(std::string& out) : out_(out) {}
    ~Utf16Writer() { flushHigh(); }
    Utf16Writer(const Utf16Writer&) = delete;
    Utf16Writer& operator=(const Utf16Writer&) = delete;

    void put(char16_t unit) {
        if (unit >= 0xDC00 && unit <= 0xDFFF && high_ != 0) {
            appendUtf8(out_, 0x10000 + ((char32_t(high_) - 0xD800) << 10) + (unit - 0xDC00));
            high_ = 0;
            return;
        }
        flushHigh();
        if (unit >= 0xD800 && unit <= 0xDBFF)
            high_ = unit;
        else if (unit >= 0xDC00 && unit <= 0xDFFF)
            appendUtf8(out_, kReplacement);
        else
            appendUtf8(out_, unit);
    }
    void putInvalid() {
        flushHigh();
        appendUtf8(out_, kReplacement);
    }

private:
    void flushHigh() {
        if (high_ != 0)
            appendUtf8(out_, kReplacement);
        high_ = 0;
    }

    std::string& out_;
    char16_t high_ = 0;
};

char16_t unitAt(std::string_view bytes, std::size_t i) {
    return char16_t(static_cast<unsigned char>(bytes[i]) |
                    (static_cast<unsigned char>(bytes[i + 1]) << 8));
}

// Windows-1252 at 0x80..0x9F; the rest is ISO 8859-1. The five bytes the code
// page leaves undefined stand for the control characters of the same number,
// as Windows converts them.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Days from 1970-01-01 to a civil date (proleptic Gregorian), and back.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + std::int64_t(doe) - 719468;
}

struct CivilDate {
    std::int64_t year;
    unsigned month, day;
};

CivilDate civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {std::int64_t(yoe) + era * 400 + (m <= 2), m, d};
}

} // namespace

std::string utf8FromJetUnicode(std::string_view stored) {
    std::string out;
    out.reserve(stored.size());
    Utf16Writer writer(out);
    const bool compressed = stored.size() >= 2 && static_cast<unsigned char>(stored[0]) == 0xFF &&
                            static_cast<unsigned char>(stored[1]) == 0xFE;
    if (!compressed) {
        std::size_t i = 0;
        for (; i + 1 < stored.size(); i += 2)
            writer.put(unitAt(stored, i));
        if (i < stored.size())
            writer.putInvalid();
        return out;
    }
    bool oneByte = true;
    for (std::size_t i = 2; i < stored.size();) {
        if (stored[i] == '\0') {
            oneByte = !oneByte;
            ++i;
        } else if (oneByte) {
            writer.put(static_cast<unsigned char>(stored[i++]));
        } else if (i + 1 < stored.size()) {
            writer.put(unitAt(stored, i));
            i += 2;
        } else {
            writer.putInvalid();
            ++i;
        }
    }
    return out;
}

std::string utf8FromWindows1252(std::string_view stored) {
    std::string out;
    out.reserve(stored.size());
    for (char byte : stored) {
        const auto c = static_cast<unsigned char>(byte);
        appendUtf8(out, c >= 0x80 && c < 0xA0 ? kWindows1252High[c - 0x80] : char32_t(c));
    }
    return out;
}

std::optional<std::string> accessDateTimeText(double days) {
    // 0100-01-01 and 9999-12-31, Access's first and last day.
    constexpr double kFirstDay = -657434;
    constexpr double kLastDay = 2958465;
    if (!(days >= kFirstDay && days < kLastDay + 1))
        return std::nullopt;
    auto day = std::int64_t(std::trunc(days));
    auto seconds = std::int64_t(std::llround(std::fabs(days - double(day)) * 86400));
    if (seconds == 86400) { // rounded up to midnight: the next day, whichever way days count
        ++day;
        seconds = 0;
    }
    const CivilDate date = civilFromDays(daysFromCivil(1899, 12, 30) + day);
    const auto second = int(seconds); // below 86400
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02u-%02u %02d:%02d:%02d", int(date.year),
                  date.month, date.day, second / 3600, second / 60 % 60, second % 60);
    return std::string(text.data());
}

double currencyValue(std::int64_t tenThousandths) {
    return double(tenThousandths) / 10000.0;
}

double singleValue(float value) {
    if (!std::isfinite(value))
        return double(value);
    std::array<char, 64> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value);
    double result = 0;
    std::from_chars(text.data(), written.ptr, result);
    return result;
}

} // namespace presetdb
