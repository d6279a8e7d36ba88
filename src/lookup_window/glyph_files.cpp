#include "glyph_files.h"

#include "conversions.h"

namespace quorvel {

QString glyphFilePath(const QString &codeText)
{
    return QStringLiteral("./文字/Quorvelコード/") + rightPart(codeText, codeText.size() - 1) +
           QStringLiteral(".gif");
}

} // namespace quorvel
