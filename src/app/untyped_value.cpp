#include "untyped_value.h"

#include "conversions.h"
#include "runtime_failure.h"

#include <cmath>
#include <limits>

namespace quorvel {

UntypedValue UntypedValue::number(double value)
{
    UntypedValue v;
    v.value_ = value;
    return v;
}

UntypedValue UntypedValue::text(QString value)
{
    UntypedValue v;
    v.value_ = std::move(value);
    return v;
}

UntypedValue UntypedValue::readFrom(SourcePlace place) const
{
    UntypedValue v = *this;
    v.source_ = std::make_shared<const SourcePlace>(std::move(place));
    return v;
}

void UntypedValue::fail(FailureKind kind, const QString &detail) const
{
    raiseFailure(kind, source_ ? source_->text() + QStringLiteral(": ") + detail : detail);
}

QString UntypedValue::textValue() const
{
    const QString *t = std::get_if<QString>(&value_);
    return t != nullptr ? *t : QString();
}

double UntypedValue::asNumber() const
{
    if (const double *n = std::get_if<double>(&value_))
        return *n;
    if (const QString *t = std::get_if<QString>(&value_)) {
        if (const auto parsed = parseWholeNumber(*t))
            return *parsed;
        fail(FailureKind::TypeMismatch, quotedHead(*t) + QStringLiteral(" は数値ではありません"));
    }
    return 0.0;
}

bool UntypedValue::equalsZero() const
{
    return asNumber() == 0.0;
}

QString UntypedValue::toNumberText() const
{
    return numberToText(asNumber());
}

std::int32_t UntypedValue::toInt32() const
{
    const double rounded = std::nearbyint(asNumber());
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        fail(FailureKind::Overflow,
             QStringLiteral("%1 は32ビット整数に収まりません").arg(numberToText(asNumber()).trimmed()));
    return static_cast<std::int32_t>(rounded);
}

} // namespace quorvel
