#pragma once

#include <QString>

#include <cstdint>
#include <variant>

namespace quorvel {

// The untyped value of the classic runtime, as a data file gives it: empty, a number or a text.
class UntypedValue {
public:
    UntypedValue() = default;
    static UntypedValue number(double value);
    static UntypedValue text(QString value);

    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool isNumber() const { return std::holds_alternative<double>(value_); }
    bool isText() const { return std::holds_alternative<QString>(value_); }
    // The text of a text value, as read; empty for the other kinds.
    QString textValue() const;

    // Compared with the number 0: empty counts as 0; a text is compared by the number it holds,
    // and one that holds no number is a type mismatch.
    bool equalsZero() const;
    // Turned into text like a number (" 25", "-25"); empty gives " 0"; a text that holds no
    // number is a type mismatch.
    QString toNumberText() const;
    // Turned into a signed 32-bit integer, fractions rounded half to even; a value beyond the
    // range is an overflow, a text that holds no number a type mismatch.
    std::int32_t toInt32() const;

    bool operator==(const UntypedValue &) const = default;

private:
    double asNumber() const;

    std::variant<std::monostate, double, QString> value_;
};

} // namespace quorvel
