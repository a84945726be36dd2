#include "Value.h"

#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace presetdb {
namespace {

using run::Failure;

Failure typeMismatch() {
    return Failure(run::ErrTypeMismatch, "Type mismatch");
}

Failure invalidUseOfNull() {
    return Failure(run::ErrInvalidUseOfNull, "Invalid use of Null");
}

std::optional<double> parseNumber(std::string_view text) {
    text = platform::trimBlanks(text);
    if (text.empty())
        return std::nullopt;
    if (text.front() == '+')
        text.remove_prefix(1);
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(number))
        return std::nullopt;
    return number;
}

std::string shortestText(double number) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, number);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}

} // namespace

bool ValueView::operator==(const ValueView& other) const {
    if (kind != other.kind)
        return false;
    switch (kind) {
    case ValueKind::Null:
        return true;
    case ValueKind::Integer:
        return integer == other.integer;
    case ValueKind::Real:
        return std::memcmp(&real, &other.real, sizeof real) == 0;
    default:
        return bytes == other.bytes;
    }
}

Value::Value(const ValueView& view) {
    switch (view.kind) {
    case ValueKind::Null:
        break;
    case ValueKind::Integer:
        data_ = view.integer;
        break;
    case ValueKind::Real:
        data_ = view.real;
        break;
    case ValueKind::Text:
        data_ = std::string(view.bytes);
        break;
    case ValueKind::Blob:
        data_ = Blob{{view.bytes.begin(), view.bytes.end()}};
        break;
    }
}

std::int64_t Value::integer() const {
    if (const auto* number = std::get_if<std::int64_t>(&data_))
        return *number;
    throw typeMismatch();
}

double Value::real() const {
    if (const auto* number = std::get_if<double>(&data_))
        return *number;
    throw typeMismatch();
}

const std::string& Value::text() const {
    if (const auto* text = std::get_if<std::string>(&data_))
        return *text;
    throw typeMismatch();
}

const Blob& Value::blob() const {
    if (const auto* blob = std::get_if<Blob>(&data_))
        return *blob;
    throw typeMismatch();
}

std::int16_t toInt16(const Value& value) {
    double number = 0;
    switch (value.kind()) {
    case ValueKind::Null:
        throw invalidUseOfNull();
    case ValueKind::Integer:
        number = double(value.integer());
        break;
    case ValueKind::Real:
        number = std::nearbyint(value.real()); // the default rounding: half to even
        break;
    case ValueKind::Text: {
        const auto parsed = parseNumber(value.text());
        if (!parsed)
            throw typeMismatch();
        number = std::nearbyint(*parsed);
        break;
    }
    case ValueKind::Blob:
        throw typeMismatch();
    }
    if (number < -32768 || number > 32767)
        throw Failure(run::ErrOverflow, "Overflow");
    return std::int16_t(number);
}

std::string toText(const Value& value) {
    switch (value.kind()) {
    case ValueKind::Null:
        throw invalidUseOfNull();
    case ValueKind::Integer:
        return std::to_string(value.integer());
    case ValueKind::Real:
        return shortestText(value.real());
    case ValueKind::Text:
        return value.text();
    case ValueKind::Blob:
        break;
    }
    throw typeMismatch();
}

std::optional<double> numericValue(const Value& value) {
    switch (value.kind()) {
    case ValueKind::Integer:
        return double(value.integer());
    case ValueKind::Real:
        return value.real();
    case ValueKind::Text:
        return parseNumber(value.text());
    default:
        return std::nullopt;
    }
}

std::ostream& operator<<(std::ostream& out, const Value& value) {
    switch (value.kind()) {
    case ValueKind::Null:
        return out << "Null";
    case ValueKind::Integer:
        return out << value.integer();
    case ValueKind::Real:
        return out << shortestText(value.real());
    case ValueKind::Text:
        return out << '"' << value.text() << '"';
    case ValueKind::Blob:
        return out << "Blob(" << value.blob().bytes.size() << " bytes)";
    }
    return out;
}

} // namespace presetdb
