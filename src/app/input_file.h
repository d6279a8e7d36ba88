#pragma once

#include <QFile>
#include <QString>

namespace quorvel {

// Opens a data or glyph file for reading. Only a regular file is read: a device, FIFO, socket or
// folder in its place fails at once, without waiting for a writer, as do a missing file and one
// that may not be read, each with its own message that names the path.
void openInputFile(QFile &file, const QString &path);

} // namespace quorvel
