#include "sequential_input.h"

#include "runtime_failure.h"

#include "conversions.h"
#include "input_file.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>
#include <new>

namespace quorvel {
namespace {

constexpr qint64 kChunkBytes = 64 * 1024;

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

SequentialInput::SequentialInput(const QString &path)
    : path_(path), name_(QFileInfo(path).fileName()), file_(path), decoder_("windows-932")
{
    if (!decoder_.isValid())
        raiseFailure(FailureKind::FileNotFound, QStringLiteral("コードページ 932 の変換器がありません"));
    openInputFile(file_, path_);
}

void SequentialInput::close()
{
    file_.close();
}

bool SequentialInput::fill()
{
    if (fileDrained_)
        return false;
    if (pos_ > 0) {
        buffer_.remove(0, pos_);
        pos_ = 0;
    }
    const QByteArray chunk = file_.isOpen() ? file_.read(kChunkBytes) : QByteArray();
    if (chunk.isEmpty()) {
        fileDrained_ = true;
        buffer_ += decoder_.decode(QByteArrayView()); // flush a dangling lead byte
        return pos_ < buffer_.size();
    }
    buffer_ += decoder_.decode(chunk);
    return true;
}

bool SequentialInput::atEnd()
{
    while (pos_ >= buffer_.size())
        if (!fill())
            return true;
    return false;
}

QChar SequentialInput::peek()
{
    return atEnd() ? QChar() : buffer_[pos_];
}

QChar SequentialInput::take()
{
    const QChar c = peek();
    ++pos_;
    return c;
}

qsizetype SequentialInput::skipBlanks(qsizetype budget)
{
    qsizetype skipped = 0;
    while (skipped <= budget && !atEnd() && isBlank(buffer_[pos_])) {
        ++pos_;
        ++skipped;
    }
    return skipped;
}

SequentialInput::Field SequentialInput::nextField(FieldPlace place, int maxDigits)
{
    // Blanks and blank lines carry no fields, but they count against the bound like a field's own
    // characters: a planted file of nothing but blanks fails at once instead of being read through.
    const int firstLine = line_;
    qsizetype skipped = skipBlanks(kFieldBound);
    while (atRecordStart_ && skipped <= kFieldBound && !atEnd() && isLineEnd(peek())) {
        if (take() == u'\r' && peek() == u'\n')
            ++pos_;
        ++line_;
        skipped += 1 + skipBlanks(kFieldBound - skipped);
    }
    if (skipped > kFieldBound)
        fail(FailureKind::Overflow, place, firstLine,
             QStringLiteral("項目の前の空白か空行が %1 文字を超えています").arg(kFieldBound));
    if (atRecordStart_ && atEnd())
        fail(FailureKind::PastEndOfFile, place, line_);

    Field field;
    field.line = line_;
    lastFieldLine_ = line_;
    text_.truncate(0); // keeps its storage
    scan_ = IntegerScan{};
    scan_.maxDigits = maxDigits;
    if (!atEnd() && peek() == u'"') {
        field.quoted = true;
        ++pos_;
        for (;;) {
            if (atEnd())
                fail(FailureKind::PastEndOfFile, place, field.line, QStringLiteral("引用符が閉じていません"));
            const QChar c = take();
            if (c == u'"') {
                if (peek() != u'"')
                    break;
                ++pos_;
            } else if (c == u'\n' || (c == u'\r' && peek() != u'\n')) {
                ++line_;
            }
            text_ += c;
            checkGrowth(place, field, true);
        }
        if (skipBlanks(kFieldBound - text_.size()) > kFieldBound - text_.size())
            fail(FailureKind::Overflow, place, field.line,
                 QStringLiteral("項目が %1 文字を超えています: %2").arg(kFieldBound).arg(quotedHead(text_)));
    }
    // The unquoted text, or whatever follows a closing quote, up to the separator.
    const qsizetype restStart = text_.size();
    appendUpToSeparator(place, field);
    while (text_.size() > restStart && isBlank(text_.back()))
        text_.chop(1);

    if (atEnd()) {
        atRecordStart_ = true;
    } else if (const QChar separator = take(); separator == u',') {
        atRecordStart_ = false;
    } else {
        if (separator == u'\r' && peek() == u'\n')
            ++pos_;
        ++line_;
        atRecordStart_ = true;
    }
    return field;
}

void SequentialInput::appendUpToSeparator(FieldPlace place, const Field &field)
{
    for (;;) {
        if (pos_ >= buffer_.size() && !fill())
            return;
        const QChar *data = buffer_.constData();
        // One character past the bound is enough to know the field is too long.
        const qsizetype size = std::min(buffer_.size(), pos_ + (kFieldBound + 1 - text_.size()));
        const qsizetype from = pos_;
        while (pos_ < size) {
            const char16_t c = data[pos_].unicode();
            if (c == u',' || c == u'\r' || c == u'\n')
                break;
            ++pos_;
        }
        text_.append(data + from, pos_ - from);
        checkGrowth(place, field, false);
        if (pos_ < buffer_.size())
            return;
    }
}

// Fails as soon as the field can no longer be what its place takes.
void SequentialInput::checkGrowth(FieldPlace place, const Field &field, bool quoted)
{
    IntegerScan &s = scan_;
    if (s.maxDigits > 0) {
        for (; s.checked < text_.size(); ++s.checked) {
            const QChar c = text_[s.checked];
            bool fits = true;
            if (s.blankAfter) {
                fits = isBlank(c); // only trailing blanks, trimmed at the end
            } else if (c >= u'0' && c <= u'9') {
                s.digits = true;
                if (s.significant > 0 || c != u'0')
                    ++s.significant;
                if (s.significant > s.maxDigits)
                    fail(FailureKind::Overflow, place, field.line,
                         QStringLiteral("%1 は %2 桁を超えていて範囲外です")
                             .arg(quotedHead(fieldHead()))
                             .arg(s.maxDigits));
            } else if ((c == u'+' || c == u'-') && s.checked == 0) {
                s.sign = true;
            } else if (isBlank(c) && !quoted && s.checked > 0) {
                s.blankAfter = true;
            } else {
                fits = false;
            }
            if (!fits)
                fail(FailureKind::TypeMismatch, place, field.line,
                     QStringLiteral("%1 は整数ではありません (%2 文字目の \"%3\")")
                         .arg(quotedHead(fieldHead()))
                         .arg(s.checked + 1)
                         .arg(c));
        }
    }
    if (text_.size() > kFieldBound)
        fail(FailureKind::Overflow, place, field.line,
             (quoted ? QStringLiteral("引用符が閉じられないまま %1 文字を超えています: %2")
                     : QStringLiteral("項目が %1 文字を超えています: %2"))
                 .arg(kFieldBound)
                 .arg(quotedHead(text_)));
}

QString SequentialInput::fieldHead() const
{
    constexpr qsizetype kEnough = 41; // one more than a message quotes, for its "…"
    QString head = text_.left(kEnough);
    for (qsizetype i = pos_; i < buffer_.size() && head.size() < kEnough; ++i) {
        const QChar c = buffer_[i];
        if (c == u',' || c == u'"' || isLineEnd(c))
            break;
        head += c;
    }
    return head;
}

void SequentialInput::fail(FailureKind kind, FieldPlace place, int line, const QString &detail) const
{
    QString where = SourcePlace{name_, place.record, place.field, line}.text();
    if (!detail.isEmpty())
        where += QStringLiteral(": ") + detail;
    raiseFailure(kind, where);
}

void SequentialInput::failAtLastField(FailureKind kind, FieldPlace place, const QString &detail) const
{
    fail(kind, place, lastFieldLine_, detail);
}

// Fields are bounded, so memory runs out only when little is left at all: say at least where.
template <typename Read> auto SequentialInput::guarded(FieldPlace place, Read read) -> decltype(read())
{
    try {
        return read();
    } catch (const std::bad_alloc &) {
        text_ = QString(); // give back what the field held
        fail(FailureKind::OutOfMemory, place, line_, QStringLiteral("読み込み中"));
    }
}

std::int64_t SequentialInput::readInteger(FieldPlace place, int maxDigits, std::int64_t min, std::int64_t max)
{
    const Field field = nextField(place, maxDigits);
    const QString &t = text_;
    if (t.isEmpty())
        return 0;
    if (!scan_.digits) // a sign alone
        fail(FailureKind::TypeMismatch, place, field.line,
             QStringLiteral("%1 は整数ではありません").arg(quotedHead(t)));
    // At most maxDigits significant digits: the magnitude fits 64 bits.
    std::int64_t magnitude = 0;
    for (const QChar c : t)
        if (c >= u'0' && c <= u'9')
            magnitude = magnitude * 10 + (c.unicode() - u'0');
    const std::int64_t value = scan_.sign && t[0] == u'-' ? -magnitude : magnitude;
    if (value < min || value > max)
        fail(FailureKind::Overflow, place, field.line, QStringLiteral("%1 は範囲外です").arg(quotedHead(t)));
    return value;
}

std::int32_t SequentialInput::readInt32(FieldPlace place)
{
    return guarded(place, [&] {
        return static_cast<std::int32_t>(readInteger(place, 10, std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max()));
    });
}

std::int16_t SequentialInput::readInt16(FieldPlace place)
{
    return guarded(place, [&] {
        return static_cast<std::int16_t>(readInteger(place, 5, std::numeric_limits<std::int16_t>::min(),
                                                     std::numeric_limits<std::int16_t>::max()));
    });
}

QString SequentialInput::readText(FieldPlace place)
{
    return guarded(place, [&] {
        nextField(place, 0);
        return text_;
    });
}

UntypedValue SequentialInput::readUntyped(FieldPlace place)
{
    return guarded(place, [&] {
        const Field field = nextField(place, 0);
        UntypedValue value;
        if (field.quoted)
            value = UntypedValue::text(text_);
        else if (text_.isEmpty())
            return value; // the empty value never fails
        else if (const auto number = parseWholeNumber(text_))
            value = UntypedValue::number(*number);
        else
            value = UntypedValue::text(text_);
        // A text that holds no number, or a number beyond 32 bits, fails only when used: then it
        // names where it came from.
        return value.readFrom(SourcePlace{name_, place.record, place.field, field.line});
    });
}

} // namespace quorvel
