#pragma once

#include <QString>
#include <QTest>

namespace quorvel::test {

// A test executable may be run a second time under a decimal-comma locale (CTest sets
// QUORVEL_DECIMAL_COMMA_RUN, LC_ALL and LOCPATH). Returns why that run cannot go on: empty when it
// is no such run or the C library's locale, as the application object set it from the
// environment, really writes a decimal comma.
QString decimalCommaRunProblem();
bool runningInCi();

} // namespace quorvel::test

// In initTestCase: a decimal-comma run whose locale is missing fails in CI and is skipped elsewhere,
// so that CI never passes without having tried the locale.
#define QUORVEL_CHECK_RUN_LOCALE()                                                                           \
    do {                                                                                                     \
        const QString problem_ = quorvel::test::decimalCommaRunProblem();                                    \
        if (!problem_.isEmpty()) {                                                                           \
            if (quorvel::test::runningInCi())                                                                \
                QFAIL(qPrintable(problem_));                                                                 \
            QSKIP(qPrintable(problem_));                                                                     \
        }                                                                                                    \
    } while (false)
