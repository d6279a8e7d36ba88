#pragma once

#include <QString>

namespace quorvel {

// The glyph file of a character code, from the code's number-to-text form (" 25" or "-25"):
// the glyph folder of the current directory, the text less its first character, then ".gif".
QString glyphFilePath(const QString &codeText);

} // namespace quorvel
