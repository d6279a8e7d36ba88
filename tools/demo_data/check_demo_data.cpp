#include "check_demo_data.h"

#include "demo_data_facts.h"
#include "palette_pages.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <map>
#include <set>

namespace quorvel::demo {
namespace {

class Problems {
public:
    void expect(bool ok, const std::string &what)
    {
        if (!ok)
            list_.push_back(what);
    }
    template <typename T> void expectEqual(const T &got, const T &want, const std::string &what)
    {
        if (!(got == want))
            list_.push_back(what + ": " + std::to_string(got) + " instead of " + std::to_string(want));
    }
    std::vector<std::string> take() { return std::move(list_); }

private:
    std::vector<std::string> list_;
};

QByteArray readAll(const QString &path, Problems &problems)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problems.expect(false, "cannot read " + path.toStdString());
        return {};
    }
    return file.readAll();
}

// The records of a CRLF file, as raw bytes; every line must end with CRLF and hold no lone CR or LF.
std::vector<QByteArray> crlfRecords(const QByteArray &bytes, const std::string &name, Problems &problems)
{
    std::vector<QByteArray> records;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            records.push_back(bytes.mid(start, i - start));
            start = i + 2;
            ++i;
        } else if (bytes[i] == '\r' || bytes[i] == '\n') {
            problems.expect(false, name + ": a lone CR or LF at byte " + std::to_string(i));
            return {};
        }
    }
    problems.expect(start == bytes.size(), name + ": the last line does not end with CRLF");
    return records;
}

bool isNumber(const QString &field, int *value)
{
    if (field.isEmpty() || field.size() > 9 ||
        !std::all_of(field.begin(), field.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    *value = field.toInt();
    return true;
}

// Lead bytes of the double-byte characters in a code page 932 byte string.
std::vector<unsigned char> leadBytes(const QByteArray &bytes, std::vector<unsigned char> *trails)
{
    std::vector<unsigned char> leads;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
            leads.push_back(b);
            if (i + 1 < bytes.size())
                trails->push_back(static_cast<unsigned char>(bytes[i + 1]));
            ++i;
        }
    }
    return leads;
}

bool isKanji(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF);
}

struct Row {
    int code = 0;
    std::vector<int> elements; // before the padding
    int strokes = 0;
    QString kanji;
    QByteArray raw;
};

} // namespace

std::vector<std::string> checkDemoData(const QString &outDir, const Cp932Kanji &kanji)
{
    Problems problems;
    std::set<int> palette;
    for (int page = 0; page < kPaletteCount; ++page)
        for (const std::int16_t id : paletteIds(page))
            palette.insert(id);

    // 文字分解表.csv
    std::vector<Row> rows;
    std::map<int, const Row *> byCode;
    {
        const QByteArray bytes = readAll(QDir(outDir).filePath(QStringLiteral("文字分解表.csv")), problems);
        const auto records = crlfRecords(bytes, "文字分解表.csv", problems);
        problems.expectEqual(static_cast<int>(records.size()), kRowCount, "decomposition records");
        for (std::size_t r = 0; r < records.size(); ++r) {
            const std::string where = "decomposition record " + std::to_string(r + 1);
            bool ok = false;
            const QString text = decodeCp932(records[r], &ok);
            problems.expect(ok, where + ": not valid code page 932");
            const QStringList fields = text.split(u',');
            if (fields.size() != 12) {
                problems.expect(false, where + ": " + std::to_string(fields.size()) + " fields");
                continue;
            }
            Row row;
            row.raw = records[r];
            std::vector<int> numbers;
            for (int f = 0; f < 11; ++f) {
                int value = 0;
                problems.expect(isNumber(fields[f], &value), where + ": field " + std::to_string(f + 1));
                numbers.push_back(value);
            }
            row.code = numbers[0];
            row.strokes = numbers[10];
            bool padding = false;
            for (int c = 1; c <= 9; ++c) {
                const int e = numbers[static_cast<std::size_t>(c)];
                if (e == kNoEntry) {
                    padding = true;
                    continue;
                }
                problems.expect(!padding, where + ": an element after 9999");
                problems.expect(palette.count(e) == 1,
                                where + ": element " + std::to_string(e) + " not in the palette");
                row.elements.push_back(e);
            }
            problems.expect(!row.elements.empty(), where + ": no element");
            problems.expect(row.code > 0, where + ": code not positive");
            problems.expect(row.strokes >= 1, where + ": stroke count below 1");
            row.kanji = fields[11];
            if (row.kanji != QStringLiteral("9999"))
                problems.expect(row.kanji.size() >= 1 && row.kanji.size() <= 3 &&
                                    std::all_of(row.kanji.begin(), row.kanji.end(), isKanji),
                                where + ": kanji field");
            rows.push_back(row);
        }
        for (const Row &row : rows)
            problems.expect(byCode.emplace(row.code, &row).second,
                            "code " + std::to_string(row.code) + " twice");
        problems.expect(std::is_sorted(rows.begin(), rows.end(),
                                       [](const Row &a, const Row &b) { return a.code < b.code; }),
                        "rows not sorted by code");
    }

    const auto holds = [](const Row &row, int e) {
        return std::find(row.elements.begin(), row.elements.end(), e) != row.elements.end();
    };
    const auto countRows = [&](auto keep) {
        return static_cast<int>(std::count_if(rows.begin(), rows.end(), keep));
    };
    const auto rowText = [&](int code) { return byCode.count(code) ? byCode.at(code)->kanji : QString(); };

    problems.expectEqual(countRows([&](const Row &r) { return holds(r, kCommonElement); }),
                         kCommonElementHits, "hits of the common element");
    problems.expectEqual(countRows([&](const Row &r) { return holds(r, kMiddlingElement); }),
                         kMiddlingElementHits, "hits of the middling element");
    problems.expectEqual(
        countRows([&](const Row &r) { return holds(r, kCommonElement) && holds(r, kMiddlingElement); }),
        kCommonAndMiddlingHits, "hits of the common and the middling element");
    problems.expect(kCommonElementHits > 100 && kMiddlingElementHits <= 100, "common and middling counts");
    problems.expectEqual(countRows([&](const Row &r) { return holds(r, kRareElement); }), 1,
                         "hits of the rare element");
    problems.expect(byCode.count(kRareElementCode) && holds(*byCode.at(kRareElementCode), kRareElement),
                    "the rare element's row");
    problems.expectEqual(countRows([&](const Row &r) { return holds(r, kElementWithoutHits); }), 0,
                         "hits of the element without hits");
    for (int e : {kCommonElement, kMiddlingElement, kRareElement, kElementWithoutHits, kElementWithTwoForms,
                  kElementWithOneForm, kElementWithFormWithoutRow})
        problems.expect(pageOfElement(e) == 0, "fact element " + std::to_string(e) + " not on page 0");

    const auto withNoEntry = [](const Row &r) { return r.elements.size() < 9; };
    problems.expectEqual(
        countRows([&](const Row &r) { return withNoEntry(r) && r.strokes == kStrokeCountForTyping; }),
        kStrokeCountForTypingHits, "typed stroke count hits");
    problems.expectEqual(countRows([&](const Row &r) { return r.strokes == kStrokeCountForTyping; }),
                         kStrokeCountForTypingRows, "rows with the typed stroke count");
    problems.expectEqual(countRows([](const Row &r) { return r.elements.size() == 9; }), kFullRows,
                         "full rows");
    problems.expect(byCode.count(kFullRowCode) && byCode.at(kFullRowCode)->elements.size() == 9,
                    "the full row");
    problems.expectEqual(countRows([](const Row &r) { return r.elements.size() == 1; }), kSingleElementRows,
                         "single-element rows");
    problems.expectEqual(
        countRows([](const Row &r) { return !std::is_sorted(r.elements.begin(), r.elements.end()); }),
        kUnsortedRows, "unsorted rows");
    problems.expectEqual(countRows([](const Row &r) {
                             return std::set<int>(r.elements.begin(), r.elements.end()).size() !=
                                    r.elements.size();
                         }),
                         kRowsWithRepeatedElement, "rows with a repeated element");
    problems.expectEqual(countRows([](const Row &r) { return r.code > 32767; }), kRowsWithCodeAbove32767,
                         "codes above 32767");
    problems.expectEqual(rows.empty() ? 0 : rows.back().code, kLargestCode, "largest code");
    const int usualStrokes = countRows([](const Row &r) { return r.strokes >= 4 && r.strokes <= 30; });
    problems.expect(usualStrokes * 100 >= kRowCount * 95 && usualStrokes < kRowCount,
                    "stroke counts mostly 4 to 30");

    problems.expectEqual(countRows([](const Row &r) { return r.kanji == QStringLiteral("9999"); }),
                         kRowsWithoutKanji, "rows without kanji");
    problems.expect(rowText(kRowWithoutKanjiCode) == QStringLiteral("9999"), "the row without kanji");
    const std::set<char16_t> ibm(kanji.ibm.begin(), kanji.ibm.end());
    problems.expectEqual(countRows([&](const Row &r) {
                             return std::any_of(r.kanji.begin(), r.kanji.end(),
                                                [&](QChar c) { return ibm.count(c.unicode()) != 0; });
                         }),
                         kIbmExtensionRows, "rows with IBM extension kanji");
    problems.expect(rowText(kIbmExtensionRowCode) == QString::fromUtf16(kIbmExtensionRowText),
                    "the IBM row's text");
    problems.expect(rowText(kNecSelectedRowCode) == QString::fromUtf16(kNecSelectedRowText),
                    "the NEC row's text");
    problems.expect(rowText(kBackslashTrailRowCode) == QString::fromUtf16(kBackslashTrailRowText),
                    "the backslash row's text");
    int necRows = 0;
    for (const Row &row : rows) {
        std::vector<unsigned char> trails;
        const auto leads = leadBytes(row.raw, &trails);
        const bool nec =
            std::any_of(leads.begin(), leads.end(), [](unsigned char b) { return b == 0xED || b == 0xEE; });
        necRows += nec ? 1 : 0;
        if (row.code == kNecSelectedRowCode)
            problems.expect(nec, "the NEC row is not written with NEC-selected codes");
        if (row.code == kIbmExtensionRowCode)
            problems.expect(
                std::any_of(leads.begin(), leads.end(), [](unsigned char b) { return b >= 0xFA; }),
                "the IBM row is not written with IBM codes");
        if (row.code == kBackslashTrailRowCode)
            problems.expect(std::count(trails.begin(), trails.end(), 0x5C) == 2,
                            "the backslash row's trail bytes");
    }
    problems.expectEqual(necRows, kNecSelectedRows, "rows with NEC-selected codes");

    // 文字要素.csv
    std::set<int> formCodes;
    {
        const QByteArray bytes = readAll(QDir(outDir).filePath(QStringLiteral("文字要素.csv")), problems);
        const auto records = crlfRecords(bytes, "文字要素.csv", problems);
        problems.expectEqual(static_cast<int>(records.size()), kElementRecords, "element records");
        std::map<int, std::pair<int, int>> forms;
        int withForms = 0;
        int withTwo = 0;
        bool large = false;
        for (std::size_t r = 0; r < records.size(); ++r) {
            const std::string where = "element record " + std::to_string(r + 1);
            bool ok = false;
            const QStringList fields = decodeCp932(records[r], &ok).split(u',');
            problems.expect(ok, where + ": not valid code page 932");
            if (fields.size() != 3) {
                problems.expect(false, where + ": " + std::to_string(fields.size()) + " fields");
                continue;
            }
            int e = 0;
            int codes[2] = {0, 0};
            problems.expect(isNumber(fields[0], &e), where + ": element id");
            for (int k = 0; k < 2; ++k)
                problems.expect(fields[k + 1].isEmpty() || isNumber(fields[k + 1], &codes[k]),
                                where + ": form code");
            problems.expect(palette.count(e) == 1 || (e == kNoEntry && r + 1 == records.size()),
                            where + ": element " + std::to_string(e));
            problems.expect(forms.emplace(e, std::make_pair(codes[0], codes[1])).second,
                            where + ": element twice");
            problems.expect(codes[0] != 0 || codes[1] == 0, where + ": a second form without a first");
            if (e != kNoEntry) {
                withForms += codes[0] != 0 ? 1 : 0;
                withTwo += codes[1] != 0 ? 1 : 0;
            }
            for (int code : codes) {
                if (code == 0)
                    continue;
                formCodes.insert(code);
                large = large || code > 32767;
                // A standalone form is a character that holds its element.
                if (e != kNoEntry && byCode.count(code))
                    problems.expect(holds(*byCode.at(code), e), where + ": form row without the element");
            }
            if (e != kNoEntry && codes[0] != 0 && byCode.count(codes[0]))
                problems.expect(byCode.at(codes[0])->elements.size() == 1,
                                where + ": first form row not alone");
        }
        problems.expect(!records.empty() && forms.count(kNoEntry) &&
                            forms.at(kNoEntry) == std::make_pair(kFormsOfNoEntry[0], kFormsOfNoEntry[1]),
                        "the record 9999");
        problems.expect(forms.count(kElementWithTwoForms) &&
                            forms.at(kElementWithTwoForms) ==
                                std::make_pair(kTwoFormsFirstCode, kTwoFormsSecondCode),
                        "the element with two forms");
        problems.expect(forms.count(kElementWithOneForm) &&
                            forms.at(kElementWithOneForm) == std::make_pair(kOneFormCode, 0),
                        "the element with one form");
        problems.expect(forms.count(kElementWithFormWithoutRow) &&
                            forms.at(kElementWithFormWithoutRow) == std::make_pair(kFormCodeWithoutRow, 0),
                        "the element whose form has no row");
        problems.expect(kTwoFormsSecondCode > 32767 && large, "a form code above 32767");
        problems.expectEqual(withForms, kElementsWithForms, "elements with forms");
        problems.expectEqual(withTwo, kElementsWithTwoForms, "elements with two forms");
        int rowless = 0;
        for (int code : formCodes)
            rowless += byCode.count(code) ? 0 : 1;
        problems.expectEqual(rowless, 1, "form codes without a row");
        problems.expect(byCode.count(kFormCodeWithoutRow) == 0, "the rowless form code has a row");
    }

    // 文字/Quorvelコード/<code>.gif
    {
        const QDir glyphs(QDir(outDir).filePath(QStringLiteral("文字/Quorvelコード")));
        std::set<int> codes = formCodes;
        for (const Row &row : rows)
            codes.insert(row.code);
        for (int code : codes) {
            QImageReader reader(glyphs.filePath(QString::number(code) + QStringLiteral(".gif")));
            problems.expect(reader.size() == QSize(kGlyphSide, kGlyphSide),
                            "glyph " + std::to_string(code) + ".gif missing or not " +
                                std::to_string(kGlyphSide) + " square");
        }
        problems.expectEqual(static_cast<int>(codes.size()), kGlyphFiles, "glyph codes");
        problems.expectEqual(
            static_cast<int>(glyphs.entryList({QStringLiteral("*.gif")}, QDir::Files).size()), kGlyphFiles,
            "glyph files");
    }
    return problems.take();
}

} // namespace quorvel::demo
