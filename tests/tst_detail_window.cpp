// The detail window: its layout and single instance, and its filling from a result cell or a
// standalone-form slot of the lookup window.
#include "form1_fixture.h"
#include "form2.h"
#include "layout_twips.h"

#include <QFile>
#include <QPointer>

using namespace quorvel;
using namespace quorvel::test;

namespace {

const QList<std::int32_t> kAllNine{1, 2, 3, 4, 5, 201, 202, 203, 204};

// The nine element columns of a character, NoEntry after the given ones.
QList<int> columns(const QList<int> &ids)
{
    QList<int> all = ids;
    while (all.size() < 9)
        all << NoEntry;
    return all;
}

ImageControl &detailImage(const QString &name)
{
    auto *control = Form2::loaded() ? Form2::loaded()->findChild<ImageControl *>(name) : nullptr;
    if (control == nullptr)
        qFatal("no detail window control %s", qPrintable(name));
    return *control;
}

ImageControl &elementCell(int j)
{
    return detailImage(QStringLiteral("Image2(%1)").arg(j));
}

// What the detail window shows, read back from its controls.
struct DetailView {
    qint64 glyph = 0;     // the large glyph's picture
    QList<int> elements;  // columns 2 to 10: the id of the palette element shown, NoEntry when hidden
    QStringList captions; // Label1(0), Label1(1), Label1(3), Label1(2)
    bool shown = false;

    bool operator==(const DetailView &) const = default;
};

char *toString(const DetailView &v)
{
    QStringList elements;
    for (int id : v.elements)
        elements << QString::number(id);
    return qstrdup(QStringLiteral("glyph %1, elements [%2], captions [%3], %4")
                       .arg(v.glyph)
                       .arg(elements.join(u' '), v.captions.join(u'|'), v.shown ? u"shown" : u"hidden")
                       .toUtf8()
                       .constData());
}

// A visible cell whose picture is no palette element's reads as -1.
DetailView view(LookupFixture &f)
{
    Form2 *w = Form2::loaded();
    if (w == nullptr)
        qFatal("no detail window loaded");
    QHash<qint64, int> palette;
    for (const ImageControl *element : f.form().findChildren<ImageControl *>())
        if (element->objectName().startsWith(u"Image1(") && !element->picture().isNull())
            palette.insert(element->picture().cacheKey(), element->index());
    DetailView v;
    v.glyph = detailImage("Image1").picture().cacheKey();
    for (int j = 2; j <= 10; ++j) {
        const ImageControl &cell = elementCell(j);
        v.elements << (cell.isVisible() ? palette.value(cell.picture().cacheKey(), -1) : int(NoEntry));
    }
    for (const char *name : {"Label1(0)", "Label1(1)", "Label1(3)", "Label1(2)"})
        v.captions << w->findChild<QLabel *>(name)->text();
    v.shown = w->isVisible();
    return v;
}

QStringList detailCaptions(const QString &code, const QString &strokes, const QString &kanji)
{
    return {code, strokes, kanji, QStringLiteral("構成文字要素")};
}

// A lookup on a stroke count alone: the rows of that count that leave an element column empty.
void lookUpStrokes(LookupFixture &f, const QString &count)
{
    static_cast<EditableCombo &>(f.widget("ComboTotal")).setText(count);
    f.form().ComboTotal_Change();
}

qint64 pictureOf(const LookupFixture &f, const QString &name)
{
    return f.image(name).picture().cacheKey();
}

// Two characters that share element 3: A, in cell 1, with all nine columns; B, in cell 2, with two.
const std::map<int, DecompositionRecord> kTwoCharacters = {
    {1, row(41, {1, 2, 3, 4, 5, 201, 202, 203, 204}, 20, QStringLiteral("甲"))},
    {2, row(42, {3, 205}, 8, QStringLiteral("乙"))}};

} // namespace

class TestDetailWindow : public QObject {
    Q_OBJECT

private slots:
    // The window is a top-level window without a parent: none may outlive its test.
    void cleanup() { delete Form2::loaded(); }

    void windowAndItsSingleInstance();
    void controlsOfANewWindow_data();
    void controlsOfANewWindow();
    void elementRow_data();
    void elementRow();
    void captions_data();
    void captions();
    void sameCodeInTwoRows_data();
    void sameCodeInTwoRows();
    void refilledInPlace();
    void createdAnewAfterClose();
    void untouchedByTheMainWindow_data();
    void untouchedByTheMainWindow();
    void standaloneForm_data();
    void standaloneForm();
    void codeZeroFindsNoCharacter();
    void clicksThroughEvents();
    void badElementIdStopsTheFill_data();
    void badElementIdStopsTheFill();
    void candidateIndexFailsAfterTheGlyph();
    void elementFormValueThatIsNoCode_data();
    void elementFormValueThatIsNoCode();
};

void TestDetailWindow::windowAndItsSingleInstance()
{
    QVERIFY(Form2::loaded() == nullptr);
    Form2 &w = Form2::load();
    QCOMPARE(Form2::loaded(), &w);
    QCOMPARE(&Form2::load(), &w);
    QVERIFY(w.isHidden());
    QCOMPARE(w.objectName(), QStringLiteral("Form2"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Quorvel文字表示"));
    QCOMPARE(w.size(), QSize(540, 462));
    QVERIFY(w.isWindow() && w.parentWidget() == nullptr);
    QVERIFY(w.testAttribute(Qt::WA_DeleteOnClose));
    // None is added later: a large glyph, nine element cells and four labels.
    QCOMPARE(w.images().size(), 10);
    QCOMPARE(w.findChildren<QLabel *>().size(), 4);

    // Filled and shown: still no position of its own, and it blocks nothing.
    LookupFixture f({{1, row(11, {3})}});
    f.start();
    f.form().Image1_Click(3);
    f.form().Image2_Click(1);
    QCOMPARE(Form2::loaded(), &w);
    QVERIFY(w.isVisible());
    QVERIFY(!w.testAttribute(Qt::WA_Moved));
    QCOMPARE(w.windowModality(), Qt::NonModal);
    QVERIFY(w.parentWidget() == nullptr);
}

void TestDetailWindow::controlsOfANewWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption"); // labels only
    QTest::addColumn<bool>("shown");
    QTest::newRow("Image1") << "Image1" << tw(240, 240, 4500, 4500) << "" << true;
    QTest::newRow("Label1(0)") << "Label1(0)" << tw(5640, 240, 2175, 255) << "コード：" << true;
    QTest::newRow("Label1(1)") << "Label1(1)" << tw(5640, 720, 2175, 255) << "総画数：" << true;
    QTest::newRow("Label1(3)") << "Label1(3)" << tw(5640, 1200, 2175, 255) << "対応漢字：" << true;
    QTest::newRow("Label1(2)") << "Label1(2)" << tw(240, 5640, 1335, 255) << "構成文字要素" << true;
    for (int j = 2; j <= 10; ++j) {
        const QString name = QStringLiteral("Image2(%1)").arg(j);
        QTest::newRow(qPrintable(name)) << name << tw(240 + 720 * (j - 2), 6000, 735, 735) << "" << false;
    }
}

void TestDetailWindow::controlsOfANewWindow()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(bool, shown);
    Form2 &w = Form2::load();
    const QRect client(QPoint(0, 0), w.size());
    if (auto *label = w.findChild<QLabel *>(name)) {
        QCOMPARE(label->geometry(), geometry);
        QCOMPARE(label->text(), caption);
        QCOMPARE(!label->isHidden(), shown);
        QVERIFY(client.contains(label->geometry()));
        return;
    }
    const ImageControl &image = detailImage(name);
    QCOMPARE(image.geometry(), geometry);
    QCOMPARE(image.isVisible(), shown);
    QVERIFY(image.picture().isNull());
    QVERIFY(image.stretch());
    QCOMPARE(image.borderStyle(), ImageControl::NoBorder);
    QCOMPARE(image.appearance(), ImageControl::ThreeD);
    QVERIFY(client.contains(image.geometry()));
}

void TestDetailWindow::elementRow_data()
{
    QTest::addColumn<QList<int>>("elements");
    QTest::newRow("all nine columns") << kAllNine;
    QTest::newRow("no column") << QList<int>{};
    QTest::newRow("a gap in column 4") << QList<int>{1, 2, NoEntry, 3, 4, 5, 201, 202, 203};
}

void TestDetailWindow::elementRow()
{
    QFETCH(QList<int>, elements);
    DecompositionRecord character = row(21, {}, 13);
    for (int i = 0; i < elements.size(); ++i)
        character.elements.at(std::size_t(i)) = elements[i];
    LookupFixture f({{7, character}});
    f.start();
    if (elements.isEmpty())
        lookUpStrokes(f, "13");
    else
        f.form().Image1_Click(std::int16_t(elements[0]));
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{21});

    f.form().Image2_Click(1);
    const DetailView v = view(f);
    QCOMPARE(v.elements, columns(elements));
    // The cells stay at their own places, left to right in column order, gaps included.
    for (int j = 2; j <= 10; ++j)
        QCOMPARE(elementCell(j).geometry().topLeft(), QPoint(16 + 48 * (j - 2), 400));
    QCOMPARE(v.captions.last(), QStringLiteral("構成文字要素"));
    QVERIFY(!Form2::loaded()->findChild<QLabel *>("Label1(2)")->isHidden());
}

void TestDetailWindow::captions_data()
{
    QTest::addColumn<std::int32_t>("code");
    QTest::addColumn<int>("strokes");
    QTest::addColumn<QString>("kanjiField"); // as the decomposition file holds it
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("no kanji") << 25 << 12 << "9999"
                              << detailCaptions("コード： 25", "総画数： 12", "対応漢字：");
    QTest::newRow("empty kanji") << 26 << 12 << ""
                                 << detailCaptions("コード： 26", "総画数： 12", "対応漢字：");
    QTest::newRow("9999 and a blank")
        << 27 << 12 << "\"9999 \"" << detailCaptions("コード： 27", "総画数： 12", "対応漢字：9999 ");
    QTest::newRow("kanji") << 28 << 12 << "漢字"
                           << detailCaptions("コード： 28", "総画数： 12", "対応漢字：漢字");
    QTest::newRow("code 9999") << 9999 << 5 << "甲"
                               << detailCaptions("コード： 9999", "総画数： 5", "対応漢字：甲");
    QTest::newRow("stroke count 0") << 29 << 0 << "9999"
                                    << detailCaptions("コード： 29", "総画数： 0", "対応漢字：");
}

void TestDetailWindow::captions()
{
    QFETCH(std::int32_t, code);
    QFETCH(int, strokes);
    QFETCH(QString, kanjiField);
    QFETCH(QStringList, expected);
    LookupFixture f({{3, row(code, {3, 205}, std::int16_t(strokes), kanjiField)}});
    f.start();
    f.form().Image1_Click(3);
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{code});

    f.form().Image2_Click(1);
    const DetailView v = view(f);
    QCOMPARE(v.captions, expected);
    QCOMPARE(v.elements, columns({3, 205}));
    // The large glyph is the cell's own picture, handed over.
    QCOMPARE(v.glyph, pictureOf(f, "Image2(1)"));
    QCOMPARE(codeShownBy(detailImage("Image1").picture()), code);
    QVERIFY(v.shown);
}

void TestDetailWindow::sameCodeInTwoRows_data()
{
    QTest::addColumn<int>("cell");
    QTest::newRow("the earlier row's cell") << 1;
    QTest::newRow("the later row's cell") << 2;
}

void TestDetailWindow::sameCodeInTwoRows()
{
    QFETCH(int, cell);
    LookupFixture f(
        {{1, row(30, {3}, 12, QStringLiteral("甲"))}, {2, row(30, {3, 205}, 14, QStringLiteral("乙"))}});
    f.start();
    f.form().Image1_Click(3);
    QCOMPARE(f.shownCodes(), (QList<std::int32_t>{30, 30}));
    // Each cell loaded its glyph file itself, so their pictures tell the cells apart.
    QVERIFY(pictureOf(f, "Image2(1)") != pictureOf(f, "Image2(2)"));

    f.form().Image2_Click(std::int16_t(cell));
    const DetailView v = view(f);
    QCOMPARE(v.elements, columns({3}));
    QCOMPARE(v.captions, detailCaptions("コード： 30", "総画数： 12", "対応漢字：甲"));
    QCOMPARE(v.glyph, pictureOf(f, QStringLiteral("Image2(%1)").arg(cell)));
}

void TestDetailWindow::refilledInPlace()
{
    LookupFixture f(kTwoCharacters);
    f.start();
    f.form().Image1_Click(3);
    QCOMPARE(f.shownCodes(), (QList<std::int32_t>{41, 42}));
    f.form().Image2_Click(1);
    QPointer<Form2> w = Form2::loaded();
    QCOMPARE(view(f).elements, kAllNine);
    // Where the user moved and sized it.
    w->setGeometry(QRect(w->geometry().topLeft() + QPoint(37, 21), QSize(600, 500)));
    const QRect where = w->geometry();

    f.form().Image2_Click(2);
    QCOMPARE(Form2::loaded(), w.data());
    QCOMPARE(w->geometry(), where);
    const DetailView second = view(f);
    QCOMPARE(second.elements, columns({3, 205}));
    QCOMPARE(second.captions, detailCaptions("コード： 42", "総画数： 8", "対応漢字：乙"));
    QCOMPARE(second.glyph, pictureOf(f, "Image2(2)"));
    QVERIFY(second.shown);

    // The same candidate again: the same content.
    f.form().Image2_Click(2);
    QCOMPARE(view(f), second);
    QCOMPARE(Form2::loaded(), w.data());
}

void TestDetailWindow::createdAnewAfterClose()
{
    LookupFixture f(kTwoCharacters);
    f.start();
    f.form().Image1_Click(3);
    f.form().Image2_Click(1);
    QPointer<Form2> first = Form2::loaded();
    first->move(first->pos() + QPoint(50, 50));
    QVERIFY(first->close());
    QTRY_VERIFY(first.isNull());
    QVERIFY(Form2::loaded() == nullptr);

    f.form().Image2_Click(2);
    Form2 *second = Form2::loaded();
    QVERIFY(second != nullptr);
    QVERIFY(second->isVisible());
    QCOMPARE(second->size(), QSize(540, 462));
    QVERIFY(!second->testAttribute(Qt::WA_Moved));
    QCOMPARE(view(f).elements, columns({3, 205}));
    QCOMPARE(view(f).captions, detailCaptions("コード： 42", "総画数： 8", "対応漢字：乙"));
    // Nothing of the first character remains, not even in the hidden cells.
    for (int j = 4; j <= 10; ++j)
        QVERIFY(elementCell(j).picture().isNull());
}

void TestDetailWindow::untouchedByTheMainWindow_data()
{
    QTest::addColumn<bool>("reset");
    QTest::newRow("a new lookup") << false;
    QTest::newRow("a reset") << true;
}

void TestDetailWindow::untouchedByTheMainWindow()
{
    QFETCH(bool, reset);
    LookupFixture f(kTwoCharacters);
    f.start();
    f.form().Image1_Click(3);
    f.form().Image2_Click(1);
    const DetailView before = view(f);
    QCOMPARE(before.elements, kAllNine);

    if (reset) {
        f.form().BtnReset_Click();
        QCOMPARE(f.visibleCells(), 0);
    } else {
        f.form().Image1_Click(205);
        QCOMPARE(f.shownCodes(), QList<std::int32_t>{42});
    }
    QCOMPARE(view(f), before);
}

void TestDetailWindow::standaloneForm_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("elementSelected"); // else a stroke count alone, with the last record's forms
    QTest::addColumn<std::int32_t>("code");
    QTest::addColumn<bool>("hasRow");
    QTest::newRow("first form, code above 32767") << 0 << true << 40000 << true;
    QTest::newRow("second form, held by no row") << 1 << true << 50 << false;
    QTest::newRow("no element selected, the last record's second form") << 1 << false << 40000 << true;
    QTest::newRow("no element selected, the last record's first form") << 0 << false << 50 << false;
}

void TestDetailWindow::standaloneForm()
{
    QFETCH(int, slot);
    QFETCH(bool, elementSelected);
    QFETCH(std::int32_t, code);
    QFETCH(bool, hasRow);
    LookupFixture f({{1, row(40000, {205, 3}, 7, QStringLiteral("乙"))}},
                    {QStringLiteral("3,40000,50"), QStringLiteral("9999,50,40000")});
    f.writeGlyphs({50});
    f.start();
    if (elementSelected)
        f.form().Image1_Click(3);
    else
        lookUpStrokes(f, "7");
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{40000});
    const QString slotName = QStringLiteral("Image4(%1)").arg(slot);
    QVERIFY(f.image(slotName).isVisible());
    QCOMPARE(codeShownBy(f.image(slotName).picture()), code);
    // Open for the candidate first, so that every cell and caption must be replaced.
    f.form().Image2_Click(1);
    QPointer<Form2> w = Form2::loaded();
    QCOMPARE(view(f).elements, columns({205, 3}));

    f.form().Image4_Click(std::int16_t(slot));
    QCOMPARE(Form2::loaded(), w.data());
    const DetailView v = view(f);
    QCOMPARE(v.glyph, pictureOf(f, slotName));
    QVERIFY(v.shown);
    const QString codeCaption = QStringLiteral("コード： %1").arg(code);
    if (hasRow) {
        QCOMPARE(v.elements, columns({205, 3}));
        QCOMPARE(v.captions, detailCaptions(codeCaption, "総画数： 7", "対応漢字：乙"));
    } else {
        QCOMPARE(v.elements, columns({}));
        QCOMPARE(v.captions, detailCaptions(codeCaption, "総画数：", "対応漢字："));
    }
    // The main window is as it was.
    QVERIFY(f.image(slotName).isVisible());
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{40000});
    QCOMPARE(f.form().selectedElements()(1), std::int16_t(elementSelected ? 3 : NoEntry));
}

void TestDetailWindow::codeZeroFindsNoCharacter()
{
    // Code 0 is also that of every row past the loaded ones; none of them is a character.
    LookupFixture f({{1, row(40000, {205, 3}, 7, QStringLiteral("乙"))}},
                    {QStringLiteral("3,40000,"), QStringLiteral("9999,0,0")});
    f.start();
    f.form().Image1_Click(3);
    QVERIFY(!f.image("Image4(1)").isVisible());
    f.form().Image2_Click(1);

    // The empty value's slot is hidden; run its handler directly.
    const auto failure = failureOf([&] { f.form().Image4_Click(1); });
    QVERIFY2(!failure, failure ? qPrintable(failure->message()) : "");
    const DetailView v = view(f);
    QCOMPARE(v.elements, columns({}));
    QCOMPARE(v.captions, detailCaptions("コード： 0", "総画数：", "対応漢字："));
    QCOMPARE(v.glyph, pictureOf(f, "Image4(1)"));
}

void TestDetailWindow::clicksThroughEvents()
{
    LookupFixture f({{1, row(40000, {205, 3}, 7, QStringLiteral("乙"))}},
                    {QStringLiteral("3,40000,50"), QStringLiteral("9999,0,0")});
    f.writeGlyphs({50});
    f.start();
    Form1 &form = f.form();
    auto click = [](ImageHost *host, const ImageControl &image) {
        QTest::mouseClick(host, Qt::LeftButton, {}, image.geometry().center() + host->clientOrigin());
    };
    // Hidden cells take no click.
    click(&form, f.image("Image2(1)"));
    QVERIFY(Form2::loaded() == nullptr);

    form.Image1_Click(3);
    click(&form, f.image("Image2(1)"));
    QVERIFY(Form2::loaded() != nullptr);
    DetailView v = view(f);
    QVERIFY(v.shown);
    QCOMPARE(v.captions[0], QStringLiteral("コード： 40000"));
    QCOMPARE(v.glyph, pictureOf(f, "Image2(1)"));

    click(&form, f.image("Image4(1)"));
    v = view(f);
    QCOMPARE(v.captions[0], QStringLiteral("コード： 50"));
    QCOMPARE(v.glyph, pictureOf(f, "Image4(1)"));

    // The detail window's own controls do nothing.
    click(&form, f.image("Image4(0)"));
    const DetailView before = view(f);
    click(Form2::loaded(), elementCell(2));
    click(Form2::loaded(), detailImage("Image1"));
    QCOMPARE(view(f), before);
}

void TestDetailWindow::badElementIdStopsTheFill_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<FailureKind>("kind");
    QTest::addColumn<QString>("named");
    QTest::newRow("beyond 16 bits") << 70000 << FailureKind::Overflow << "70000";
    QTest::newRow("no palette element") << 6 << FailureKind::IndexOutOfRange << "Image1(6)";
    QTest::newRow("element id 0") << 0 << FailureKind::IndexOutOfRange << "Image1(0)";
}

void TestDetailWindow::badElementIdStopsTheFill()
{
    QFETCH(int, id);
    QFETCH(FailureKind, kind);
    QFETCH(QString, named);
    LookupFixture f({{1, row(51, {3, 205, id, 302})}});
    f.start();
    f.form().Image1_Click(3);
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{51});

    const auto failure = failureOf([&] { f.form().Image2_Click(1); });
    QVERIFY(failure);
    QCOMPARE(failure->kind(), kind);
    QVERIFY2(failure->message().contains(named), qPrintable(failure->message()));
    // Loaded and given the glyph and the earlier columns; neither captioned nor shown.
    const DetailView v = view(f);
    QCOMPARE(v.glyph, pictureOf(f, "Image2(1)"));
    QCOMPARE(v.elements, columns({3, 205}));
    QCOMPARE(v.captions, detailCaptions("コード：", "総画数：", "対応漢字："));
    QVERIFY(!v.shown);
}

void TestDetailWindow::candidateIndexFailsAfterTheGlyph()
{
    LookupFixture f(kTwoCharacters);
    f.start();
    f.form().Image1_Click(3);
    f.form().Image2_Click(2);
    const DetailView before = view(f);

    // Cell 0 is the blank picture source, never visible; its index has no candidate.
    const auto failure = failureOf([&] { f.form().Image2_Click(0); });
    QVERIFY(failure);
    QCOMPARE(failure->kind(), FailureKind::IndexOutOfRange);
    QVERIFY2(failure->message().contains(u"HitCodes(0)"), qPrintable(failure->message()));
    // The glyph was handed over before the code was read; the rest still shows the former character.
    const DetailView v = view(f);
    QVERIFY(detailImage("Image1").picture().isNull());
    QCOMPARE(v.elements, before.elements);
    QCOMPARE(v.captions, before.captions);
}

void TestDetailWindow::elementFormValueThatIsNoCode_data()
{
    QTest::addColumn<QString>("value"); // as the standalone-form file holds it
    QTest::addColumn<FailureKind>("kind");
    QTest::addColumn<bool>("open");
    QTest::newRow("a text, not loaded") << "\"abc\"" << FailureKind::TypeMismatch << false;
    QTest::newRow("a text, open") << "\"abc\"" << FailureKind::TypeMismatch << true;
    QTest::newRow("beyond 32 bits, not loaded") << "3000000000" << FailureKind::Overflow << false;
    QTest::newRow("beyond 32 bits, open") << "3000000000" << FailureKind::Overflow << true;
}

void TestDetailWindow::elementFormValueThatIsNoCode()
{
    QFETCH(QString, value);
    QFETCH(FailureKind, kind);
    QFETCH(bool, open);
    LookupFixture f({{1, row(11, {3})}}, {QStringLiteral("3,%1,0").arg(value), QStringLiteral("9999,0,0")});
    // A glyph for the large number, so that its slot is shown as any other.
    QVERIFY(QFile::copy(f.glyphPath(11), f.filePath(QStringLiteral("文字/Quorvelコード/3000000000.gif"))));
    f.start();
    // A text that holds no number already stops the lookup at the slot, which then stays hidden;
    // its handler is run directly.
    const auto lookupFailure = failureOf([&] { f.form().Image1_Click(3); });
    QCOMPARE(lookupFailure.has_value(), kind == FailureKind::TypeMismatch);
    QCOMPARE(f.image("Image4(0)").isVisible(), kind == FailureKind::Overflow);
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{11});
    std::optional<DetailView> before;
    if (open) {
        f.form().Image2_Click(1);
        before = view(f);
    }

    const auto failure = failureOf([&] { f.form().Image4_Click(0); });
    QVERIFY(failure);
    QCOMPARE(failure->kind(), kind);
    if (open) {
        QCOMPARE(view(f), *before);
        QCOMPARE(before->captions[0], QStringLiteral("コード： 11"));
    } else {
        QVERIFY(Form2::loaded() == nullptr);
    }
}

QTEST_MAIN(TestDetailWindow)
#include "tst_detail_window.moc"
