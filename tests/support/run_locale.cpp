#include "run_locale.h"

#include <clocale>
#include <cstring>

namespace quorvel::test {

QString decimalCommaRunProblem()
{
    if (qEnvironmentVariableIsEmpty("QUORVEL_DECIMAL_COMMA_RUN"))
        return QString();
    const char *name = std::setlocale(LC_ALL, nullptr);
    const char *point = std::localeconv()->decimal_point;
    if (std::strcmp(point, ",") == 0)
        return QString();
    return QStringLiteral("the locale %1 (LOCPATH %2) is not in effect: locale \"%3\", decimal point \"%4\"")
        .arg(qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LOCPATH"), QString::fromLocal8Bit(name),
             QString::fromLocal8Bit(point));
}

bool runningInCi()
{
    return qEnvironmentVariable("CI") == u"true";
}

} // namespace quorvel::test
