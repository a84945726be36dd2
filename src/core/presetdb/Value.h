#pragma once
// A database value: null, integer, real, text or blob, with its kind.
//
// Text is UTF-8, as SQLite stores it. The conversions below follow the
// program's own rules for turning a stored value into a number or a text:
//
//  - toInt16: an integer as it is, a real rounded half to even, a text that
//    holds a number (blanks around it allowed) as that number; null is
//    "Invalid use of Null", any other text or a blob a "Type mismatch", and a
//    result outside -32768..32767 an "Overflow".
//  - toText: a text as it is, an integer in decimal, a real in its shortest
//    form; null is "Invalid use of Null", a blob a "Type mismatch".
//  - numericValue: the number an integer, a real or a numeric text stands for;
//    nothing for null, blobs and other texts.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace presetdb {

enum class ValueKind { Null, Integer, Real, Text, Blob };

struct Blob {
    std::vector<std::uint8_t> bytes;
    bool operator==(const Blob&) const = default;
};

// A value read in place: valid only while what it was read from stays (a
// statement's current row, a function call's arguments).
struct ValueView {
    ValueKind kind = ValueKind::Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string_view bytes; // of a text or a blob

    bool isText() const { return kind == ValueKind::Text; }
    // The same kind and value; reals bit for bit, so 0.0 and -0.0 differ.
    bool operator==(const ValueView& other) const;
};

class Value {
public:
    Value() = default;
    Value(std::nullptr_t) {}
    Value(int number) : data_(std::int64_t(number)) {}
    Value(std::int64_t number) : data_(number) {}
    Value(double number) : data_(number) {}
    Value(std::string text) : data_(std::move(text)) {}
    Value(const char* text) : data_(std::string(text)) {}
    Value(Blob blob) : data_(std::move(blob)) {}
    explicit Value(const ValueView& view);

    ValueKind kind() const { return ValueKind(data_.index()); }
    bool isNull() const { return kind() == ValueKind::Null; }
    bool isText() const { return kind() == ValueKind::Text; }

    // The value of the kind asked for; a "Type mismatch" failure for another kind.
    std::int64_t integer() const;
    double real() const;
    const std::string& text() const;
    const Blob& blob() const;

    bool operator==(const Value&) const = default;

private:
    std::variant<std::monostate, std::int64_t, double, std::string, Blob> data_;
};

std::int16_t toInt16(const Value& value);
std::string toText(const Value& value);
std::optional<double> numericValue(const Value& value);

std::ostream& operator<<(std::ostream& out, const Value& value);

} // namespace presetdb
