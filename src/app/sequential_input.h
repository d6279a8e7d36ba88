#pragma once

#include "runtime_failure.h"
#include "untyped_value.h"

#include <QFile>
#include <QString>
#include <QStringDecoder>

#include <cstdint>

namespace quorvel {

// Where a field stands in its file, for the failure message.
struct FieldPlace {
    int record;
    int field;
};

// Sequential input of comma-separated fields from a text file in code page 932.
//
// The file is one sequence of fields: a field ends at a comma or at a line end (CR, LF or CRLF);
// blank lines are skipped; blanks around an unquoted field are trimmed; a field may be enclosed in
// double quotes, inside which commas and line ends belong to the text and a doubled quote stands
// for one quote. The file is decoded in chunks as it is read, never read whole.
class SequentialInput {
public:
    // Opens the file for input; a missing or unreadable file is a failure.
    explicit SequentialInput(const QString &path);

    std::int32_t readInt32(FieldPlace place);
    std::int16_t readInt16(FieldPlace place);
    QString readText(FieldPlace place);
    UntypedValue readUntyped(FieldPlace place);

    void close();

private:
    // A field's text is left in text_, whose storage is reused from field to field.
    struct Field {
        bool quoted = false;
        int line = 0;
    };

    Field nextField(FieldPlace place);
    std::int64_t readInteger(FieldPlace place, std::int64_t min, std::int64_t max);
    [[noreturn]] void fail(FailureKind kind, FieldPlace place, int line,
                           const QString &detail = QString()) const;

    bool atEnd();
    QChar peek();
    QChar take();
    void skipBlanks();
    void appendUpToSeparator();
    bool fill();

    QString path_;
    QString name_;
    QFile file_;
    QStringDecoder decoder_;
    QString buffer_;
    QString text_;
    qsizetype pos_ = 0;
    int line_ = 1;
    bool fileDrained_ = false;
    bool atRecordStart_ = true; // at the start of the file or after a line end
};

} // namespace quorvel
