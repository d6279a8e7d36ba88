#pragma once

#include "runtime_failure.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unistd.h>

namespace quorvel::fuzz {

// The readers and the glyph loader take a file: each input is written to a scratch file of this
// process, removed again once the input has been read, so that no run leaves files behind.
class ScratchFile {
public:
    ScratchFile(const std::uint8_t *data, std::size_t size, const char *extension = "csv")
        : path_(QDir::temp().filePath(
              QStringLiteral("quorvel-fuzz-%1.%2").arg(::getpid()).arg(QLatin1String(extension))))
    {
        QFile file(path_);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size)) != qint64(size))
            std::abort();
    }
    ~ScratchFile() { QFile::remove(path_); }
    ScratchFile(const ScratchFile &) = delete;
    ScratchFile &operator=(const ScratchFile &) = delete;

    const QString &path() const { return path_; }

private:
    QString path_;
};

// Every rejection must be a run-time failure; anything else escapes and is reported as a crash.
inline void expectOnlyRuntimeFailures(const std::function<void()> &work)
{
    try {
        work();
    } catch (const RuntimeFailure &) {
    }
}

} // namespace quorvel::fuzz
