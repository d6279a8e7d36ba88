#include "conversions.h"

#include "runtime_failure.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace quorvel {
namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Length of the decimal number at the start of text[from..]: sign, digits, fraction, exponent.
// Returns 0 when no digit stands there.
qsizetype numberLength(const QString &text, qsizetype from)
{
    qsizetype i = from;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i - from;
}

// The decimal exponent of the number's leading digit, roughly: far above 0 when it overflows a
// double, far below when it underflows. `number` holds a match of numberLength without its sign.
long long magnitudeOf(const char *number, const char *end)
{
    long long leadingExponent = 0;
    bool seenNonZero = false;
    bool inFraction = false;
    const char *p = number;
    for (; p < end && *p != 'e' && *p != 'E'; ++p) {
        if (*p == '.') {
            inFraction = true;
        } else if (!seenNonZero && *p == '0') {
            if (inFraction)
                --leadingExponent;
        } else if (!seenNonZero) {
            seenNonZero = true;
            if (inFraction)
                --leadingExponent;
        } else if (!inFraction) {
            ++leadingExponent;
        }
    }
    long long exponent = 0;
    if (p < end) {
        ++p;
        const bool negative = p < end && *p == '-';
        if (p < end && (*p == '+' || *p == '-'))
            ++p;
        for (; p < end && exponent < 100000; ++p)
            exponent = exponent * 10 + (*p - '0');
        if (negative)
            exponent = -exponent;
    }
    return leadingExponent + exponent;
}

// Reads "." as the decimal point whatever the C library's locale: the program's locale comes from
// the user's environment, which may use a decimal comma.
double toDouble(const QString &text, qsizetype from, qsizetype length)
{
    const QByteArray ascii = text.mid(from, length).toLatin1();
    const char *begin = ascii.constData();
    const char *end = begin + ascii.size();
    const bool negative = begin < end && *begin == '-';
    if (begin < end && (*begin == '+' || *begin == '-'))
        ++begin; // from_chars takes no plus sign; the minus is applied below for both cases
    double value = 0.0;
    const auto [stop, error] = std::from_chars(begin, end, value, std::chars_format::general);
    (void)stop;
    if (error == std::errc::result_out_of_range)
        // Beyond the range the number is infinite, which equals no finite value; below it, 0.
        value = magnitudeOf(begin, end) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

} // namespace

QString numberToText(std::int64_t value)
{
    return value < 0 ? QString::number(value) : QStringLiteral(" ") + QString::number(value);
}

QString numberToText(double value)
{
    QString digits;
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        digits = QString::number(static_cast<std::int64_t>(value));
    else
        digits = QString::number(value, 'g', 15);
    return value < 0 || std::signbit(value) ? digits : QStringLiteral(" ") + digits;
}

double textToNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const qsizetype length = numberLength(text, i);
    return length == 0 ? 0.0 : toDouble(text, i, length);
}

std::optional<double> parseWholeNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const qsizetype length = numberLength(text, i);
    if (length == 0)
        return std::nullopt;
    qsizetype end = i + length;
    while (end < text.size() && isBlank(text[end]))
        ++end;
    if (end != text.size())
        return std::nullopt;
    return toDouble(text, i, length);
}

QString rightPart(const QString &text, qsizetype count)
{
    return count >= text.size() ? text : text.right(count < 0 ? 0 : count);
}

std::int16_t narrowTo16(std::int64_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        raiseFailure(FailureKind::Overflow, QStringLiteral("%1 は16ビット整数に収まりません").arg(value));
    return static_cast<std::int16_t>(value);
}

std::int16_t add16(std::int16_t a, std::int16_t b)
{
    return narrowTo16(static_cast<std::int64_t>(a) + static_cast<std::int64_t>(b));
}

} // namespace quorvel
