// Writes the demo data set: the two character tables and a glyph for every character code, in the
// layout the program reads from its current directory.
#include "check_demo_data.h"
#include "cp932.h"
#include "demo_data_facts.h"
#include "demo_rows.h"
#include "gif_writer.h"
#include "glyph_composer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <exception>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>

namespace {

using namespace quorvel::demo;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.flush())
        throw std::runtime_error(path.toStdString() + ": " + file.errorString().toStdString());
}

// The kanji field; a NEC-selected row uses the 0xED/0xEE codes where a kanji has one.
QByteArray kanjiBytes(const DemoRow &row, const Cp932Kanji &kanji)
{
    if (!row.necSelected)
        return encodeCp932(row.kanji);
    QByteArray out;
    for (const QChar c : row.kanji) {
        const auto nec = kanji.necSelected.find(c.unicode());
        out += nec != kanji.necSelected.end() ? nec->second : encodeCp932(QString(c));
    }
    return out;
}

// Writes bytes to path after checking that they read back as text.
void writeTable(const QString &path, const QByteArray &bytes, const QString &text)
{
    bool ok = false;
    if (decodeCp932(bytes, &ok) != text || !ok)
        throw std::runtime_error(path.toStdString() +
                                 ": the code page 932 bytes do not read back as written");
    writeFile(path, bytes);
}

void writeDecomposition(const QString &path, const DemoData &data, const Cp932Kanji &kanji)
{
    QByteArray bytes;
    QString text;
    for (const DemoRow &row : data.rows) {
        QString head = QString::number(row.code);
        for (int c = 0; c < 9; ++c)
            head += u',' + QString::number(c < static_cast<int>(row.elements.size())
                                               ? row.elements[static_cast<std::size_t>(c)]
                                               : kNoEntry);
        head += u',' + QString::number(row.strokes) + u',';
        bytes += encodeCp932(head) + kanjiBytes(row, kanji) + "\r\n";
        text += head + row.kanji + QStringLiteral("\r\n");
    }
    writeTable(path, bytes, text);
}

void writeElementForms(const QString &path, const DemoData &data)
{
    QString text;
    for (const ElementRecord &record : data.forms)
        text += QString::number(record.element) + u',' + record.first + u',' + record.second +
                QStringLiteral("\r\n");
    writeTable(path, encodeCp932(text), text);
}

// Writes every glyph and removes glyph files of codes the data set no longer has.
int writeGlyphs(const QString &dir, const DemoData &data, const GlyphComposer &composer)
{
    if (!QDir().mkpath(dir))
        throw std::runtime_error("cannot create " + dir.toStdString());
    std::vector<Glyph> glyphs = data.glyphsWithoutRow;
    for (const DemoRow &row : data.rows)
        glyphs.push_back({row.code, row.elements});
    std::set<QString> names;
    for (const Glyph &glyph : glyphs)
        names.insert(QString::number(glyph.code) + QStringLiteral(".gif"));

    // Each glyph is independent, so worker threads share them out; the bytes do not depend on which.
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex failureLock;
    std::string failure;
    const auto work = [&] {
        try {
            for (std::size_t i = next++; i < glyphs.size() && !failed; i = next++) {
                const Glyph &glyph = glyphs[i];
                const unsigned seed = static_cast<unsigned>(glyph.code) * 2654435761u;
                quorvel::tools::writeGif(
                    QDir(dir).filePath(QString::number(glyph.code) + QStringLiteral(".gif")),
                    composer.compose(glyph.elements, seed, kGlyphSide));
            }
        } catch (const std::exception &error) {
            const std::lock_guard lock(failureLock);
            if (!failed.exchange(true))
                failure = error.what();
        }
    };
    const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    std::vector<std::thread> threads;
    try {
        for (unsigned t = 1; t < workers; ++t)
            threads.emplace_back(work);
    } catch (const std::system_error &) {
        // Fewer threads only make it slower.
    }
    work();
    for (std::thread &thread : threads)
        thread.join();
    if (failed)
        throw std::runtime_error(failure);

    static const QRegularExpression glyphName(QStringLiteral("^[0-9]+\\.gif$"));
    for (const QString &name : QDir(dir).entryList(QDir::Files))
        if (glyphName.match(name).hasMatch() && names.count(name) == 0 &&
            !QFile::remove(QDir(dir).filePath(name)))
            throw std::runtime_error("cannot remove the stale glyph " + name.toStdString());
    return static_cast<int>(glyphs.size());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_demo_data <palette_dir> <outdir>\n");
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    const QString paletteDir = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    try {
        if (!QDir().mkpath(out.path()))
            throw std::runtime_error("cannot create " + out.path().toStdString());
        const GlyphComposer composer(paletteDir);
        const Cp932Kanji kanji = collectCp932Kanji();
        const DemoData data = buildDemoData(kanji);
        writeDecomposition(out.filePath(QStringLiteral("文字分解表.csv")), data, kanji);
        writeElementForms(out.filePath(QStringLiteral("文字要素.csv")), data);
        const int glyphs = writeGlyphs(out.filePath(QStringLiteral("文字/Quorvelコード")), data, composer);

        const std::vector<std::string> problems = checkDemoData(out.path(), kanji);
        for (const std::string &problem : problems)
            std::fprintf(stderr, "make_demo_data: %s\n", problem.c_str());
        if (!problems.empty())
            return 1;
        std::printf("make_demo_data: %zu rows, %zu element records, %d glyphs in %s (%lld ms)\n",
                    data.rows.size(), data.forms.size(), glyphs, qPrintable(out.path()),
                    static_cast<long long>(timer.elapsed()));
    } catch (const std::exception &error) {
        std::fprintf(stderr, "make_demo_data: %s\n", error.what());
        return 1;
    }
    return 0;
}
