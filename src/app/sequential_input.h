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
//
// A field is bounded, so that a broken or planted file fails at once, where the fault stands:
// a numeric field fails at the first character that cannot belong to an integer there, or at the
// first significant digit too many for its width; any field fails once it passes kFieldBound
// characters, a quoted one (its quote perhaps never closed) included.
class SequentialInput {
public:
    static constexpr qsizetype kFieldBound = 4096;

    // Opens the file for input; a missing or unreadable file is a failure.
    explicit SequentialInput(const QString &path);

    std::int32_t readInt32(FieldPlace place);
    std::int16_t readInt16(FieldPlace place);
    QString readText(FieldPlace place);
    UntypedValue readUntyped(FieldPlace place);

    void close();

    // A failure of the value of the field read last (at `place`), naming the file and its line.
    [[noreturn]] void failAtLastField(FailureKind kind, FieldPlace place, const QString &detail) const;

private:
    // A field's text is left in text_, whose storage is reused from field to field.
    struct Field {
        bool quoted = false;
        int line = 0;
    };

    // How much of a numeric field has been checked while it grows; maxDigits 0 for a text.
    struct IntegerScan {
        int maxDigits = 0;
        bool sign = false; // the text begins with + or -
        bool digits = false;
        bool blankAfter = false; // a blank after the number: only blanks may follow
        int significant = 0;
        qsizetype checked = 0; // characters of text_ looked at
    };

    Field nextField(FieldPlace place, int maxDigits);
    void checkGrowth(FieldPlace place, const Field &field, bool quoted);
    std::int64_t readInteger(FieldPlace place, int maxDigits, std::int64_t min, std::int64_t max);
    template <typename Read> auto guarded(FieldPlace place, Read read) -> decltype(read());
    [[noreturn]] void fail(FailureKind kind, FieldPlace place, int line,
                           const QString &detail = QString()) const;
    // The field's text so far and what of it is already decoded, for quoting its head.
    QString fieldHead() const;

    bool atEnd();
    QChar peek();
    QChar take();
    // Skips blanks, at most one past `budget`; returns how many.
    qsizetype skipBlanks(qsizetype budget);
    void appendUpToSeparator(FieldPlace place, const Field &field);
    bool fill();

    QString path_;
    QString name_;
    QFile file_;
    QStringDecoder decoder_;
    QString buffer_;
    QString text_;
    qsizetype pos_ = 0;
    int line_ = 1;
    int lastFieldLine_ = 0;
    IntegerScan scan_;
    bool fileDrained_ = false;
    bool atRecordStart_ = true; // at the start of the file or after a line end
};

} // namespace quorvel
