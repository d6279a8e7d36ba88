// The candidate lookup and result grid, the reset, the stroke-count filter and the standalone forms.
#include "element_look.h"
#include "form1_fixture.h"
#include "gif_picture.h"
#include "gif_writer.h"
#include "run_locale.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>

using namespace quorvel;
using namespace quorvel::test;

namespace {

// What stands in place of a glyph file that the display is about to read.
enum class BrokenGlyph { Missing, Text, TruncatedGif };

EditableCombo &strokeBox(LookupFixture &f)
{
    return static_cast<EditableCombo &>(f.widget("ComboTotal"));
}

// `count` rows from row `first` on, each holding element 1, codes from `code` on.
std::map<int, DecompositionRecord> manyRows(int first, int count, std::int32_t code)
{
    std::map<int, DecompositionRecord> rows;
    for (int i = 0; i < count; ++i)
        rows[first + i] = row(code + i, {1, 203});
    return rows;
}

QList<std::int32_t> codesFrom(std::int32_t code, int count)
{
    QList<std::int32_t> codes;
    for (int i = 0; i < count; ++i)
        codes << code + i;
    return codes;
}

QString countText(int h)
{
    return QStringLiteral(" %1字の候補がヒットしました。").arg(h);
}

// Types into the stroke-count box as a user does: each character one edit.
void typeInto(EditableCombo &box, const QString &text)
{
    QLineEdit *edit = box.lineEdit();
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(edit, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QCoreApplication::sendEvent(edit, &commit);
        }
    }
}

void clearBox(EditableCombo &box)
{
    box.lineEdit()->selectAll();
    QTest::keyClick(box.lineEdit(), Qt::Key_Backspace);
}

} // namespace

class TestCandidateLookup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QUORVEL_CHECK_RUN_LOCALE(); }
    void elementTest_data();
    void elementTest();
    void hitCountLimits_data();
    void hitCountLimits();
    void strokeCountTest_data();
    void strokeCountTest();
    void codeZeroEndsTheList();
    void fewerHitsHideSurplusCells();
    void aDoubleClickOnAnElementSelectsIt();
    void hundredGlyphsOfTheLargestCanvasFillTheGrid();
    void missingGlyphEndsDuringTheDisplay_data();
    void missingGlyphEndsDuringTheDisplay();
    void resetClearsEverythingWithoutALookup();
    void resetKeepsThePageAndHitCodes();
    void typedStrokeCounts_data();
    void typedStrokeCounts();
    void typingOneCharacterAtATime();
    void choosingFromTheList();
    void finishingAnEditRunsNoSecondLookup();
    void standaloneForms_data();
    void standaloneForms();
    void standaloneFormsOfNoEntryAndOfTwoElements();
    void standaloneFormFailureAtSlotOne();
    void standaloneFormWithAFraction();
};

void TestCandidateLookup::elementTest_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QList<std::int32_t>>("codes");
    QTest::newRow("columns out of order are no hit") << QList<int>{3, 205} << QList<std::int32_t>{2, 3, 5};
    QTest::newRow("one element anywhere") << QList<int>{205} << QList<std::int32_t>{1, 2, 3, 5, 6};
    QTest::newRow("five in column order") << QList<int>{3, 4, 205, 302, 1601} << QList<std::int32_t>{5};
    QTest::newRow("a column stands for one element only")
        << QList<int>{4, 205} << QList<std::int32_t>{2, 3, 5};
    QTest::newRow("no hit") << QList<int>{1601, 5002} << QList<std::int32_t>{};
}

void TestCandidateLookup::elementTest()
{
    QFETCH(QList<int>, selected);
    QFETCH(QList<std::int32_t>, codes);
    LookupFixture f({{1, row(1, {205, 3})},
                     {2, row(2, {3, 4, 205})},
                     {3, row(3, {4, 3, 205})},
                     {4, row(4, {3})},
                     {5, row(5, {1, 3, 4, 205, 9999, 302, 1601})},
                     {6, row(6, {205, 205})}});
    f.start();
    for (int id : selected)
        f.form().Image1_Click(std::int16_t(id));
    QCOMPARE(f.shownCodes(), codes);
    QCOMPARE(f.visibleCells(), codes.size());
    QCOMPARE(f.status(),
             codes.isEmpty() ? QStringLiteral("候補がありません。") : countText(int(codes.size())));
    for (int k = 1; k <= 100; ++k)
        QCOMPARE(f.form().hitCodes()(k), k <= codes.size() ? codes[k - 1] : 0);
    QCOMPARE(mousePointer(&f.form()), MousePointer::Default);
}

void TestCandidateLookup::hitCountLimits_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("status");
    QTest::newRow("exactly one") << 1 << countText(1);
    QTest::newRow("exactly 100") << 100 << countText(100);
    QTest::newRow("101") << 101 << QStringLiteral("101字以上の候補があります。");
    QTest::newRow("all rows") << kLoadedRows << QStringLiteral("101字以上の候補があります。");
}

void TestCandidateLookup::hitCountLimits()
{
    QFETCH(int, rows);
    QFETCH(QString, status);
    LookupFixture f(manyRows(kLoadedRows - rows + 1, rows, 1000));
    f.start();
    f.clickElement(203);
    const int stored = std::min(rows, 100);
    QCOMPARE(f.status(), status);
    QCOMPARE(f.shownCodes(), codesFrom(1000, stored));
    QCOMPARE(f.visibleCells(), stored);
    for (int k = 1; k <= 100; ++k)
        QCOMPARE(f.form().hitCodes()(k), k <= stored ? 1000 + k - 1 : 0);
}

void TestCandidateLookup::strokeCountTest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<std::int32_t>>("codes");
    QTest::newRow("なし: no condition") << "なし" << QList<std::int32_t>{1, 2, 3, 4};
    QTest::newRow("12") << "12" << QList<std::int32_t>{2};
    QTest::newRow("12.5 matches nothing") << "12.5" << QList<std::int32_t>{};
    QTest::newRow("empty counts as 0") << "" << QList<std::int32_t>{3};
    QTest::newRow("letters count as 0") << "abc" << QList<std::int32_t>{3};
    QTest::newRow("なし and a blank counts as 0") << "なし " << QList<std::int32_t>{3};
    QTest::newRow("blanks before 7") << "  7" << QList<std::int32_t>{1};
    QTest::newRow("7.0") << "7.0" << QList<std::int32_t>{1};
    QTest::newRow("007") << "007" << QList<std::int32_t>{1};
    QTest::newRow("beyond the double range")
        << QStringLiteral("1") + QString(400, u'0') << QList<std::int32_t>{};
    QTest::newRow("negative") << "-4" << QList<std::int32_t>{4};
}

void TestCandidateLookup::strokeCountTest()
{
    QFETCH(QString, text);
    QFETCH(QList<std::int32_t>, codes);
    LookupFixture f(
        {{1, row(1, {203}, 7)}, {2, row(2, {203}, 12)}, {3, row(3, {203}, 0)}, {4, row(4, {203}, -4)}});
    f.start();
    f.form().Image1_Click(203);
    strokeBox(f).setText(text);
    f.form().ComboTotal_Change();
    QCOMPARE(f.shownCodes(), codes);
    QCOMPARE(f.caption("LabelKakusuu"), text == u"なし" ? QString() : text);
}

void TestCandidateLookup::codeZeroEndsTheList()
{
    LookupFixture f({{1, row(7, {203})}, {2, row(0, {203})}, {3, row(8, {203})}});
    f.start();
    f.clickElement(203);
    QCOMPARE(f.status(), countText(3));
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{7});
    QCOMPARE(f.visibleCells(), 1);
    QCOMPARE(f.form().hitCodes()(3), 8);
}

void TestCandidateLookup::fewerHitsHideSurplusCells()
{
    auto rows = manyRows(1, 30, 500);
    rows[40] = row(900, {1, 203, 302});
    LookupFixture f(rows);
    f.start();
    f.clickElement(203);
    QCOMPARE(f.visibleCells(), 31);
    const qint64 keyOfCell5 = f.image("Image2(5)").picture().cacheKey();
    f.clickElement(302);
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{900});
    QCOMPARE(f.visibleCells(), 1);
    // Hidden cells keep their pictures; a cell shown again gets its glyph loaded anew.
    QCOMPARE(f.image("Image2(5)").picture().cacheKey(), keyOfCell5);
    QCOMPARE(codeShownBy(f.image("Image2(5)").picture()), 504);
    f.clickElement(302);
    QCOMPARE(f.visibleCells(), 31);
    QVERIFY(f.image("Image2(5)").picture().cacheKey() != keyOfCell5);
    QCOMPARE(codeShownBy(f.image("Image2(5)").picture()), 504);
}

void TestCandidateLookup::aDoubleClickOnAnElementSelectsIt()
{
    LookupFixture f(manyRows(1, 3, 700));
    f.start();
    ImageControl &element = f.image(QStringLiteral("Image1(203)"));
    ImageHost *page = element.host();
    const QPoint centre = element.geometry().center() + page->clientOrigin();
    // As the platform delivers it: press, release, double-click (the second press), release.
    QTest::mouseClick(page, Qt::LeftButton, {}, centre);
    QTest::mouseDClick(page, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(page, Qt::LeftButton, {}, centre);
    QCOMPARE(f.form().selectedElements()(1), std::int16_t(203));
    QCOMPARE(f.shownCodes(), codesFrom(700, 3));
}

void TestCandidateLookup::hundredGlyphsOfTheLargestCanvasFillTheGrid()
{
    // Four colours, so that each is held at one byte a pixel: the costliest accepted glyph.
    QImage largest(2048, int(kPictureAllocationLimit / 2048), QImage::Format_Indexed8);
    largest.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(64, 64, 64)});
    largest.fill(0);
    for (int y = 0; y < largest.height(); ++y)
        largest.scanLine(y)[y % largest.width()] = uchar(1 + y % 3);
    const QByteArray bytes = quorvel::tools::encodeGif(largest);
    LookupFixture f(manyRows(1, 100, 2000));
    for (int k = 0; k < 100; ++k)
        f.writeBytes(QStringLiteral("文字/Quorvelコード/%1.gif").arg(2000 + k), bytes);
    f.start();
    f.clickElement(203);
    QCOMPARE(f.status(), countText(100));
    QCOMPARE(f.visibleCells(), 100);
    QCOMPARE(f.image("Image2(100)").picture().size(), largest.size());
    QCOMPARE(f.image("Image2(100)").picture().format(), QImage::Format_Indexed8);
    // The last cell is painted with the scaled glyph: its diagonal shows as a grey line.
    ImageControl &last = f.image("Image2(100)");
    const QImage shot = last.host()->grab(last.geometry().translated(last.host()->clientOrigin())).toImage();
    QVERIFY(qGray(shot.pixel(20, 20)) < qGray(shot.pixel(40, 5)));
}

void TestCandidateLookup::missingGlyphEndsDuringTheDisplay_data()
{
    QTest::addColumn<BrokenGlyph>("glyph");
    QTest::addColumn<FailureKind>("kind");
    QTest::newRow("missing") << BrokenGlyph::Missing << FailureKind::FileNotFound;
    QTest::newRow("not a GIF") << BrokenGlyph::Text << FailureKind::BadPicture;
    QTest::newRow("truncated") << BrokenGlyph::TruncatedGif << FailureKind::BadPicture;
}

void TestCandidateLookup::missingGlyphEndsDuringTheDisplay()
{
    QFETCH(BrokenGlyph, glyph);
    QFETCH(FailureKind, kind);
    LookupFixture f(manyRows(1, 6, 300));
    f.start();
    f.clickElement(1); // the grid shows all six
    QFile::remove(f.glyphPath(303));
    if (glyph == BrokenGlyph::TruncatedGif) {
        f.writeGlyphs({303});
        QFile file(f.glyphPath(303));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() / 2));
    } else if (glyph == BrokenGlyph::Text) {
        QFile file(f.glyphPath(303));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is text");
    }
    const qint64 oldKeyOfCell3 = f.image("Image2(3)").picture().cacheKey();
    const qint64 oldKeyOfCell4 = f.image("Image2(4)").picture().cacheKey(); // shows 303
    const qint64 oldKeyOfCell5 = f.image("Image2(5)").picture().cacheKey();
    FailureRecorder recorder;
    // Through the real click, which takes the failure path.
    f.clickElement(203);
    QVERIFY(recorder.failure());
    QCOMPARE(recorder.failure()->kind(), kind);
    QVERIFY2(recorder.failure()->message().contains(QStringLiteral("文字/Quorvelコード/303.gif")),
             qPrintable(recorder.failure()->message()));
    // The status line already holds the final message, the cells before it show their new
    // glyphs, the failing cell and those after it are untouched, and the pointer is still busy.
    QCOMPARE(f.status(), countText(6));
    QVERIFY(f.image("Image2(3)").picture().cacheKey() != oldKeyOfCell3);
    QCOMPARE(codeShownBy(f.image("Image2(3)").picture()), 302);
    QCOMPARE(f.image("Image2(4)").picture().cacheKey(), oldKeyOfCell4);
    QCOMPARE(f.image("Image2(5)").picture().cacheKey(), oldKeyOfCell5);
    QCOMPARE(mousePointer(&f.form()), MousePointer::Busy);
}

void TestCandidateLookup::resetClearsEverythingWithoutALookup()
{
    LookupFixture f(manyRows(1, 3, 10), {QStringLiteral("3,10,11"), QStringLiteral("9999,0,0")});
    f.start();
    for (int id : {1, 203, 3})
        f.form().Image1_Click(std::int16_t(id));
    typeInto(strokeBox(f), QStringLiteral("1"));
    f.form().BtnReset_Click();
    QCOMPARE(strokeBox(f).text(), QStringLiteral("なし"));
    QVERIFY(f.caption("LabelKakusuu").isEmpty());
    QVERIFY(f.caption("LabelTantai").isEmpty());
    QVERIFY(f.status().isEmpty()); // no lookup ran: it would say 候補がありません。
    QCOMPARE(f.visibleCells(), 0);
    for (int id : {1, 203, 3})
        QVERIFY(showsLook(f.image(QStringLiteral("Image1(%1)").arg(id)), ElementLook::Plain));
    for (int k = 1; k <= 5; ++k) {
        QCOMPARE(f.form().selectedElements()(k), NoEntry);
        QVERIFY(f.image(QStringLiteral("Image3(%1)").arg(k)).picture().isNull());
    }
    QVERIFY(!f.image("Image4(0)").isVisible() && !f.image("Image4(1)").isVisible());

    // One element with its standalone forms shown, then the reset button by a real click.
    f.form().Image1_Click(3);
    QVERIFY(f.image("Image4(0)").isVisible());
    QTest::mouseClick(&f.widget("BtnReset"), Qt::LeftButton);
    QVERIFY(f.caption("LabelTantai").isEmpty());
    QVERIFY(!f.image("Image4(0)").isVisible() && !f.image("Image4(1)").isVisible());
    // A second reset changes nothing.
    f.form().BtnReset_Click();
    QVERIFY(f.status().isEmpty());
}

void TestCandidateLookup::resetKeepsThePageAndHitCodes()
{
    LookupFixture f(manyRows(1, 3, 10));
    f.start();
    static_cast<DropDownList &>(f.widget("ComboElement")).setListIndex(5);
    f.form().Image1_Click(1);
    f.form().BtnReset_Click();
    QCOMPARE(static_cast<QComboBox &>(f.widget("ComboElement")).currentText(), QStringLiteral("縦線系"));
    QVERIFY(!f.widget("Picture1(5)").isHidden());
    QCOMPARE(f.form().hitCodes()(1), 10);
    // The hidden cells take no clicks.
    ImageControl &cell = f.image("Image2(1)");
    QCOMPARE(f.form().imageAt(cell.geometry().center()), nullptr);
}

void TestCandidateLookup::typedStrokeCounts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<std::int32_t>>("codes");
    QTest::newRow("12") << "12" << QList<std::int32_t>{2};
    QTest::newRow("12.5") << "12.5" << QList<std::int32_t>{};
    QTest::newRow(".5 is no 0") << ".5" << QList<std::int32_t>{};
    QTest::newRow("abc") << "abc" << QList<std::int32_t>{3};
    QTest::newRow("blank then 7") << " 7" << QList<std::int32_t>{1};
    QTest::newRow("007") << "007" << QList<std::int32_t>{1};
    QTest::newRow("なし and a blank") << "なし " << QList<std::int32_t>{3};
    QTest::newRow("katakana ナシ") << "ナシ" << QList<std::int32_t>{3};
}

void TestCandidateLookup::typedStrokeCounts()
{
    QFETCH(QString, typed);
    QFETCH(QList<std::int32_t>, codes);
    LookupFixture f({{1, row(1, {203}, 7)}, {2, row(2, {203}, 12)}, {3, row(3, {203}, 0)}});
    f.start();
    f.form().Image1_Click(203);
    EditableCombo &box = strokeBox(f);
    clearBox(box);
    QCOMPARE(f.caption("LabelKakusuu"), QString());
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{3}); // the empty text counts as 0
    typeInto(box, typed);
    QCOMPARE(box.text(), typed); // nothing completed, nothing added to the list
    QCOMPARE(box.count(), 28);
    QCOMPARE(f.caption("LabelKakusuu"), typed);
    QCOMPARE(f.shownCodes(), codes);
}

void TestCandidateLookup::typingOneCharacterAtATime()
{
    // With nothing selected the lookup lists rows of that stroke count with an empty column.
    LookupFixture f({{1, row(1, {203}, 1)}, {2, row(2, {203}, 12)}, {3, row(3, {203}, 0)}});
    f.start();
    EditableCombo &box = strokeBox(f);
    clearBox(box);
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{3});
    typeInto(box, QStringLiteral("1"));
    QCOMPARE(f.caption("LabelKakusuu"), QStringLiteral("1"));
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{1});
    typeInto(box, QStringLiteral("2"));
    QCOMPARE(f.caption("LabelKakusuu"), QStringLiteral("12"));
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{2});

    // "なし" typed one character at a time: な alone is another text, the second completes it and,
    // with nothing selected, resets the window.
    clearBox(box);
    typeInto(box, QStringLiteral("な"));
    QCOMPARE(f.caption("LabelKakusuu"), QStringLiteral("な"));
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{3});
    typeInto(box, QStringLiteral("し"));
    QCOMPARE(box.text(), QStringLiteral("なし"));
    QVERIFY(f.caption("LabelKakusuu").isEmpty());
    QVERIFY(f.status().isEmpty());
    QCOMPARE(f.visibleCells(), 0);
}

void TestCandidateLookup::choosingFromTheList()
{
    LookupFixture f({{1, row(1, {203}, 4)}, {2, row(2, {203}, 5)}});
    f.start();
    EditableCombo &box = strokeBox(f);
    box.setFocus();
    // Down from なし chooses "4": a click of the list, nothing selected, so a lookup of an empty
    // selection; then "5".
    QTest::keyClick(&box, Qt::Key_Down);
    QCOMPARE(box.text(), QStringLiteral("4"));
    QCOMPARE(f.caption("LabelKakusuu"), QStringLiteral("4"));
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{1});
    QTest::keyClick(&box, Qt::Key_Down);
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{2});
    // Back up to なし with elements selected: the display empties and the lookup has no filter.
    f.form().Image1_Click(203);
    QTest::keyClick(&box, Qt::Key_Up);
    QTest::keyClick(&box, Qt::Key_Up);
    QCOMPARE(box.text(), QStringLiteral("なし"));
    QVERIFY(f.caption("LabelKakusuu").isEmpty());
    QCOMPARE(f.shownCodes(), (QList<std::int32_t>{1, 2}));
    // なし chosen with nothing selected resets the window instead.
    QTest::keyClick(&box, Qt::Key_Down);
    f.form().Image1_Click(203); // deselected while the box reads "4": a lookup, no reset
    QCOMPARE(f.status(), countText(1));
    QTest::keyClick(&box, Qt::Key_Up);
    QVERIFY(f.status().isEmpty());
    QCOMPARE(f.visibleCells(), 0);
}

void TestCandidateLookup::finishingAnEditRunsNoSecondLookup()
{
    LookupFixture f({{1, row(1, {203}, 12)}});
    f.start();
    f.form().Image1_Click(203);
    EditableCombo &box = strokeBox(f);
    int runs = 0;
    QObject::connect(&box, &EditableCombo::clicked, [&] { ++runs; });
    QObject::connect(&box, &EditableCombo::changed, [&] { ++runs; });
    clearBox(box);
    typeInto(box, QStringLiteral("12"));
    QCOMPARE(runs, 3);
    // Return and leaving the box would pick the matching item "12"; that is no choice of the user.
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    f.widget("BtnReset").setFocus();
    QCOMPARE(runs, 3);
    QCOMPARE(box.text(), QStringLiteral("12"));
}

void TestCandidateLookup::standaloneForms_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<std::int32_t>("first");  // code shown by Image4(0), 0: hidden
    QTest::addColumn<std::int32_t>("second"); // code shown by Image4(1), 0: hidden
    QTest::newRow("none") << "3,0," << 0 << 0;
    QTest::newRow("first only") << "3,41,0" << 41 << 0;
    QTest::newRow("second only") << "3,,42" << 0 << 42;
    QTest::newRow("both") << "3,41,42" << 41 << 42;
    QTest::newRow("same code twice") << "3,41,41" << 41 << 41;
    QTest::newRow("above 32767") << "3,70001,0" << 70001 << 0;
    QTest::newRow("unlisted element") << "4,41,42" << 0 << 0;
}

void TestCandidateLookup::standaloneForms()
{
    QFETCH(QString, record);
    QFETCH(std::int32_t, first);
    QFETCH(std::int32_t, second);
    LookupFixture f({{1, row(1, {3})}}, {record, QStringLiteral("9999,0,0")});
    f.writeGlyphs({41, 42, 70001});
    f.start();
    f.form().Image1_Click(3);
    const ImageControl &slot0 = f.image("Image4(0)");
    const ImageControl &slot1 = f.image("Image4(1)");
    QCOMPARE(slot0.isVisible(), first != 0);
    QCOMPARE(slot1.isVisible(), second != 0);
    if (first != 0)
        QCOMPARE(codeShownBy(slot0.picture()), first);
    if (second != 0)
        QCOMPARE(codeShownBy(slot1.picture()), second);
    QCOMPARE(f.caption("LabelTantai"), first != 0 || second != 0 ? QStringLiteral("単体字") : QString());
}

void TestCandidateLookup::standaloneFormsOfNoEntryAndOfTwoElements()
{
    LookupFixture f({{1, row(1, {3, 205}, 12)}}, {QStringLiteral("3,41,42"), QStringLiteral("9999,43,0")});
    f.writeGlyphs({41, 42, 43});
    f.start();
    f.form().Image1_Click(3);
    QVERIFY(f.image("Image4(1)").isVisible());
    f.form().Image1_Click(205);
    QVERIFY(!f.image("Image4(0)").isVisible() && !f.image("Image4(1)").isVisible());
    QVERIFY(f.caption("LabelTantai").isEmpty());
    f.form().Image1_Click(205);
    QCOMPARE(codeShownBy(f.image("Image4(1)").picture()), 42);
    // No element selected but a stroke count: the forms stored under 9999 are shown.
    f.form().BtnReset_Click();
    clearBox(strokeBox(f));
    typeInto(strokeBox(f), QStringLiteral("12"));
    QVERIFY(f.image("Image4(0)").isVisible() && !f.image("Image4(1)").isVisible());
    QCOMPARE(codeShownBy(f.image("Image4(0)").picture()), 43);
    QCOMPARE(f.caption("LabelTantai"), QStringLiteral("単体字"));
}

void TestCandidateLookup::standaloneFormFailureAtSlotOne()
{
    LookupFixture f({{1, row(1, {3})}}, {QStringLiteral("3,41,42"), QStringLiteral("9999,0,0")});
    f.writeGlyphs({41});
    f.start();
    FailureRecorder recorder;
    f.clickElement(3);
    QVERIFY(recorder.failure());
    QCOMPARE(recorder.failure()->kind(), FailureKind::FileNotFound);
    QVERIFY(recorder.failure()->message().contains(QStringLiteral("42.gif")));
    // Slot 0 was handled, the grid and the status line were shown, the pointer is still busy.
    QVERIFY(f.image("Image4(0)").isVisible());
    QCOMPARE(f.caption("LabelTantai"), QStringLiteral("単体字"));
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{1});
    QCOMPARE(f.status(), countText(1));
    QCOMPARE(mousePointer(&f.form()), MousePointer::Busy);
}

// The fraction is kept whatever the locale: its glyph file is looked for under that name.
void TestCandidateLookup::standaloneFormWithAFraction()
{
    LookupFixture f({{1, row(1, {3})}}, {QStringLiteral("3,32347.4,0"), QStringLiteral("9999,0,0")});
    f.writeGlyphs({32347});
    f.start();
    FailureRecorder recorder;
    f.clickElement(3);
    QVERIFY(recorder.failure());
    QCOMPARE(recorder.failure()->kind(), FailureKind::FileNotFound);
    QVERIFY2(recorder.failure()->message().contains(QStringLiteral("32347.4.gif")),
             qPrintable(recorder.failure()->message()));
}

QTEST_MAIN(TestCandidateLookup)
#include "tst_candidate_lookup.moc"
