#pragma once

#include "character_tables.h"
#include "runtime_failure.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace quorvel::test {

// One record of the decomposition file, as its twelve fields.
struct DecompositionRecord {
    std::int32_t code = 0;
    std::array<std::int32_t, 9> elements{NoEntry, NoEntry, NoEntry, NoEntry, NoEntry,
                                         NoEntry, NoEntry, NoEntry, NoEntry};
    std::int16_t strokes = 10;
    QString kanji = QStringLiteral("9999");

    QString toLine() const;
};

// A filler record for row r: code 100000 + r, no elements, 10 strokes, no kanji.
DecompositionRecord fillerRecord(int row);

// Text in code page 932, as the data files hold it.
QByteArray toCp932(const QString &text);

// A temporary folder made the current directory for as long as the fixture lives.
class DataFixture {
public:
    DataFixture();
    ~DataFixture();
    DataFixture(const DataFixture &) = delete;
    DataFixture &operator=(const DataFixture &) = delete;

    QString path() const { return dir_.path(); }
    QString filePath(const QString &name) const { return dir_.filePath(name); }

    void writeBytes(const QString &name, const QByteArray &bytes) const;
    void writeText(const QString &name, const QString &text) const { writeBytes(name, toCp932(text)); }

    // The decomposition file: `count` records, record r being rows(r) when it gives one, else the
    // filler; CRLF after each.
    void writeDecomposition(const std::function<std::optional<DecompositionRecord>(int)> &rows = {},
                            int count = kLoadedRows) const;
    // The standalone-form file from its lines, joined with CRLF.
    void writeElementForms(const QStringList &lines) const;
    // A glyph file for each code, named by its digits in the glyph folder.
    void writeGlyphs(const QList<std::int32_t> &codes) const;
    QString glyphPath(std::int32_t code) const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

// A small glyph picture that carries its code in its pixels, so that a test can tell which glyph a
// control shows; codeShownBy reads it back (-1 for any other picture).
QImage glyphPictureFor(std::int32_t code);
std::int32_t codeShownBy(const QImage &picture);

// Runs `work` and returns the failure it raised, if any.
std::optional<RuntimeFailure> failureOf(const std::function<void()> &work);

} // namespace quorvel::test
