#pragma once

#include "runtime_failure.h"
#include "source_place.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <variant>

namespace quorvel {

// The untyped value of the classic runtime, as a data file gives it: empty, a number or a text.
class UntypedValue {
public:
    UntypedValue() = default;
    static UntypedValue number(double value);
    static UntypedValue text(QString value);

    // The same value, noting the place of the data file it was read from, which its failures
    // then name. The note is shared between copies, and plays no part in comparisons.
    UntypedValue readFrom(SourcePlace place) const;

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

    bool operator==(const UntypedValue &other) const { return value_ == other.value_; }

private:
    double asNumber() const;
    [[noreturn]] void fail(FailureKind kind, const QString &detail) const;

    std::variant<std::monostate, double, QString> value_;
    std::shared_ptr<const SourcePlace> source_;
};

} // namespace quorvel
