#include "sequential_input.h"

#include "runtime_failure.h"

#include "conversions.h"
#include "input_file.h"

#include <QFileInfo>

#include <limits>

namespace quorvel {
namespace {

constexpr qint64 kChunkBytes = 64 * 1024;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}
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

void SequentialInput::skipBlanks()
{
    while (!atEnd() && isBlank(buffer_[pos_]))
        ++pos_;
}

SequentialInput::Field SequentialInput::nextField(FieldPlace place)
{
    if (atRecordStart_) {
        // Blank lines carry no fields.
        for (;;) {
            skipBlanks();
            if (atEnd() || !isLineEnd(peek()))
                break;
            if (take() == u'\r' && peek() == u'\n')
                ++pos_;
            ++line_;
        }
        if (atEnd())
            fail(FailureKind::PastEndOfFile, place, line_);
    } else {
        skipBlanks();
    }

    Field field;
    field.line = line_;
    text_.truncate(0); // keeps its storage
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
        }
        skipBlanks();
    }
    // The unquoted text, or whatever follows a closing quote, up to the separator.
    const qsizetype restStart = text_.size();
    appendUpToSeparator();
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

void SequentialInput::appendUpToSeparator()
{
    for (;;) {
        if (pos_ >= buffer_.size() && !fill())
            return;
        const QChar *data = buffer_.constData();
        const qsizetype size = buffer_.size();
        const qsizetype from = pos_;
        while (pos_ < size) {
            const char16_t c = data[pos_].unicode();
            if (c == u',' || c == u'\r' || c == u'\n')
                break;
            ++pos_;
        }
        text_.append(data + from, pos_ - from);
        if (pos_ < size)
            return;
    }
}

void SequentialInput::fail(FailureKind kind, FieldPlace place, int line, const QString &detail) const
{
    QString where = QStringLiteral("\"%1\" %2 件目の %3 番目の項目 (%4 行目)")
                        .arg(name_)
                        .arg(place.record)
                        .arg(place.field)
                        .arg(line);
    if (!detail.isEmpty())
        where += QStringLiteral(": ") + detail;
    raiseFailure(kind, where);
}

std::int64_t SequentialInput::readInteger(FieldPlace place, std::int64_t min, std::int64_t max)
{
    const Field field = nextField(place);
    const QString &t = text_;
    if (t.isEmpty())
        return 0;
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == u'+' || t[0] == u'-') {
        negative = t[0] == u'-';
        ++i;
    }
    if (i == t.size())
        fail(FailureKind::TypeMismatch, place, field.line,
             QStringLiteral("\"%1\" は整数ではありません").arg(t));
    std::int64_t magnitude = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c < u'0' || c > u'9')
            fail(FailureKind::TypeMismatch, place, field.line,
                 QStringLiteral("\"%1\" は整数ではありません").arg(t));
        if (magnitude <= max + 1) // beyond that it overflows anyway; stop growing
            magnitude = magnitude * 10 + (c.unicode() - u'0');
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < min || value > max)
        fail(FailureKind::Overflow, place, field.line, QStringLiteral("\"%1\" は範囲外です").arg(t));
    return value;
}

std::int32_t SequentialInput::readInt32(FieldPlace place)
{
    return static_cast<std::int32_t>(readInteger(place, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

std::int16_t SequentialInput::readInt16(FieldPlace place)
{
    return static_cast<std::int16_t>(readInteger(place, std::numeric_limits<std::int16_t>::min(),
                                                 std::numeric_limits<std::int16_t>::max()));
}

QString SequentialInput::readText(FieldPlace place)
{
    nextField(place);
    return text_;
}

UntypedValue SequentialInput::readUntyped(FieldPlace place)
{
    const Field field = nextField(place);
    if (field.quoted)
        return UntypedValue::text(text_);
    if (text_.isEmpty())
        return UntypedValue();
    if (const auto number = parseWholeNumber(text_))
        return UntypedValue::number(*number);
    return UntypedValue::text(text_);
}

} // namespace quorvel
