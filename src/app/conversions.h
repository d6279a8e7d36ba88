#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace quorvel {

// Decimal digits with a leading blank for a number of 0 or more, a minus sign for a negative one:
// 25 -> " 25", -25 -> "-25".
QString numberToText(std::int64_t value);
// The same for a double: whole numbers without a fraction, others in their shortest exact form.
QString numberToText(double value);

// The leading number of a text, blanks before it skipped, 0 when the text begins with no number:
// "12.5" -> 12.5, " 7" -> 7, "007" -> 7, "abc" -> 0. A number beyond the double range is infinite.
double textToNumber(const QString &text);

// The whole text, blanks around it allowed, as a decimal number; nothing when it is no number.
std::optional<double> parseWholeNumber(const QString &text);

// A blank, as numbers and fields may have around them: a space or a tab.
constexpr bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The rightmost `count` characters of a text (all of it when it is shorter).
QString rightPart(const QString &text, qsizetype count);

// Narrowing and 16-bit arithmetic, each a failure (overflow) when the result does not fit.
std::int16_t narrowTo16(std::int64_t value);
std::int16_t add16(std::int16_t a, std::int16_t b);

} // namespace quorvel
