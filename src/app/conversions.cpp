#include "conversions.h"

#include "runtime_failure.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h> // newlocale, locale_t

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

// Reads "." as the decimal point whatever the C library's locale: the program's locale comes from
// the user's environment, which may use a decimal comma. In the C locale strtod keeps its range
// handling: infinity beyond the double range, which equals no finite value, and 0 below it.
double toDouble(const QString &text, qsizetype from, qsizetype length)
{
    static const locale_t cNumbers = ::newlocale(LC_NUMERIC_MASK, "C", locale_t{});
    const QByteArray ascii = text.mid(from, length).toLatin1();
    return ::strtod_l(ascii.constData(), nullptr, cNumbers);
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
