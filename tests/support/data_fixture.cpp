#include "data_fixture.h"

#include <QFile>
#include <QStringEncoder>

namespace quorvel::test {

QString DecompositionRecord::toLine() const
{
    QStringList fields{QString::number(code)};
    for (std::int32_t e : elements)
        fields << QString::number(e);
    fields << QString::number(strokes) << kanji;
    return fields.join(u',');
}

DecompositionRecord fillerRecord(int row)
{
    DecompositionRecord record;
    record.code = 100000 + row;
    return record;
}

QByteArray toCp932(const QString &text)
{
    QStringEncoder encoder("windows-932");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        qFatal("text not representable in code page 932");
    return bytes;
}

DataFixture::DataFixture() : previous_(QDir::currentPath())
{
    if (!dir_.isValid() || !QDir::setCurrent(dir_.path()))
        qFatal("cannot make a temporary current directory");
}

DataFixture::~DataFixture()
{
    QDir::setCurrent(previous_);
}

void DataFixture::writeBytes(const QString &name, const QByteArray &bytes) const
{
    QFile file(dir_.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write a fixture file");
}

void DataFixture::writeDecomposition(const std::function<std::optional<DecompositionRecord>(int)> &rows,
                                     int count) const
{
    QString text;
    for (int r = 1; r <= count; ++r) {
        const std::optional<DecompositionRecord> given = rows ? rows(r) : std::nullopt;
        text += (given ? *given : fillerRecord(r)).toLine() + QStringLiteral("\r\n");
    }
    writeText(kDecompositionFile, text);
}

void DataFixture::writeElementForms(const QStringList &lines) const
{
    writeText(kElementFormsFile, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

std::optional<RuntimeFailure> failureOf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const RuntimeFailure &failure) {
        return failure;
    }
    return std::nullopt;
}

} // namespace quorvel::test
