#pragma once

#include "runtime_failure.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace quorvel::fuzz {

// The readers take a file: each input is written to one scratch file of this process.
inline QString writeScratch(const std::uint8_t *data, std::size_t size)
{
    static const QString path = QStringLiteral("/tmp/quorvel-fuzz-%1.csv").arg(::getpid());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    return path;
}

// Every rejection must be a run-time failure; anything else escapes and is reported as a crash.
inline void expectOnlyRuntimeFailures(const std::function<void()> &work)
{
    try {
        work();
    } catch (const RuntimeFailure &) {
    }
}

} // namespace quorvel::fuzz
