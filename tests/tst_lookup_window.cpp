// The lookup window's layout, start-up, element palette and element selection.
#include "element_look.h"
#include "form1_fixture.h"
#include "layout_twips.h"
#include "palette_pages.h"

#include <QComboBox>
#include <QPushButton>

using namespace quorvel;
using namespace quorvel::test;

namespace {

bool pageShown(LookupFixture &f, int k)
{
    return !f.widget(QStringLiteral("Picture1(%1)").arg(k)).isHidden();
}

QList<int> shownPages(LookupFixture &f)
{
    QList<int> pages;
    for (int k = 0; k < kPaletteCount; ++k)
        if (pageShown(f, k))
            pages << k;
    return pages;
}

QList<std::int16_t> selection(LookupFixture &f)
{
    QList<std::int16_t> s;
    for (int k = 1; k <= 5; ++k)
        s << f.form().selectedElements()(k);
    return s;
}

const std::map<int, DecompositionRecord> kRows = {
    {1, row(11, {3, 205})}, {2, row(12, {3, 205, 302, 401, 501})}, {3, row(13, {205})}};

} // namespace

class TestLookupWindow : public QObject {
    Q_OBJECT

private slots:
    void windowAndControls_data();
    void windowAndControls();
    void familiesAtTheirPlaces();
    void paletteGrid_data();
    void paletteGrid();
    void startUpState();
    void startUpFailureLeavesPageZeroChosen();
    void tabOrderAndFocus();
    void elementGroupShowsItsPage();
    void selectionSortedBySlotAndLook();
    void sixthElementIsRefused();
    void deselectInTheMiddle();
    void deselectingTheLastElement_data();
    void deselectingTheLastElement();
    void selectionSurvivesPageSwitch();
    void mouseClickOnAHiddenPageDoesNothing();
};

void TestLookupWindow::windowAndControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label1(1)") << "Label1(1)" << tw(240, 240, 855, 255) << "総画数";
    QTest::newRow("ComboTotal") << "ComboTotal" << tw(240, 600, 975, 300) << "なし";
    QTest::newRow("Label1(0)") << "Label1(0)" << tw(2280, 240, 975, 255) << "検索条件";
    QTest::newRow("LabelKakusuu") << "LabelKakusuu" << tw(2235, 600, 675, 375) << "";
    QTest::newRow("Label1(2)") << "Label1(2)" << tw(240, 1080, 1335, 255) << "文字要素種類";
    QTest::newRow("ComboElement") << "ComboElement" << tw(240, 1440, 1455, 300) << "";
    QTest::newRow("BtnReset") << "BtnReset" << tw(240, 1920, 1455, 615) << "リセット";
    QTest::newRow("BtnEnd") << "BtnEnd" << tw(240, 2640, 1455, 615) << "終了";
    QTest::newRow("LabelTantai") << "LabelTantai" << tw(240, 4680, 735, 255) << "";
    QTest::newRow("LabelComment") << "LabelComment" << tw(240, 6000, 3135, 255) << "";
}

void TestLookupWindow::windowAndControls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    LookupFixture f;
    f.start();
    Form1 &form = f.form();
    QCOMPARE(form.windowTitle(), QStringLiteral("Quorvel文字検索プログラム"));
    QCOMPARE(form.geometry(), QRect(4, 30, 1016, 679));
    QWidget &w = f.widget(name);
    QCOMPARE(w.geometry(), geometry);
    QVERIFY(!w.isHidden());
    if (auto *label = qobject_cast<QLabel *>(&w))
        QCOMPARE(label->text(), text);
    else if (auto *button = qobject_cast<QPushButton *>(&w))
        QCOMPARE(button->text(), text);
    else if (auto *combo = qobject_cast<QComboBox *>(&w); combo && combo->isEditable())
        QCOMPARE(combo->currentText(), text);
    // Every control lies inside the client area.
    QVERIFY(QRect(QPoint(0, 0), form.size()).contains(w.geometry()));
}

void TestLookupWindow::familiesAtTheirPlaces()
{
    LookupFixture f;
    f.start();
    // Selection slots: a row of five, three-dimensional frames, no picture.
    for (int k = 1; k <= 5; ++k) {
        const ImageControl &slot = f.image(QStringLiteral("Image3(%1)").arg(k));
        QCOMPARE(slot.geometry(), tw(3000 + 720 * (k - 1), 600, 675, 675));
        QVERIFY(slot.isVisible() && slot.picture().isNull() && slot.appearance() == ImageControl::ThreeD &&
                slot.borderStyle() == ImageControl::FixedSingle);
    }
    const ImageControl &blank = f.image("Image2(0)");
    QCOMPARE(blank.geometry(), tw(6600, 600, 735, 735));
    QVERIFY(!blank.isVisible() && blank.picture().isNull());
    for (int k = 0; k <= 1; ++k) {
        const ImageControl &slot = f.image(QStringLiteral("Image4(%1)").arg(k));
        QCOMPARE(slot.geometry(), tw(240 + 720 * k, 5040, 735, 735));
        QVERIFY(!slot.isVisible() && slot.borderStyle() == ImageControl::FixedSingle &&
                slot.appearance() == ImageControl::Flat);
    }
    struct Cell {
        int k, left, top;
    };
    for (const Cell c :
         {Cell{1, 240, 6360}, Cell{20, 13920, 6360}, Cell{21, 240, 7080}, Cell{100, 13920, 9240}}) {
        const ImageControl &cell = f.image(QStringLiteral("Image2(%1)").arg(c.k));
        QCOMPARE(cell.geometry(), tw(c.left, c.top, 735, 735));
        QVERIFY(!cell.isVisible());
        QVERIFY(QRect(QPoint(0, 0), f.form().size()).contains(cell.geometry()));
    }
    auto &total = static_cast<QComboBox &>(f.widget("ComboTotal"));
    QCOMPARE(total.count(), 28);
    QCOMPARE(total.itemText(0), QStringLiteral("なし"));
    QCOMPARE(total.itemText(1), QStringLiteral("4"));
    QCOMPARE(total.itemText(27), QStringLiteral("30"));
    auto &groups = static_cast<QComboBox &>(f.widget("ComboElement"));
    const QStringList names{"冠・たれ", "ノ･メ･人系", "ヒ系", "かまえ系①", "かまえ系②", "縦線系",
                            "ｈ系",     "水系",       "る系", "反系",      "組み合わせ"};
    QCOMPARE(groups.count(), 11);
    for (int k = 0; k < 11; ++k)
        QCOMPARE(groups.itemText(k), names[k]);
}

void TestLookupWindow::paletteGrid_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("page 0 first") << 0 << 35 << 1575 << 1 << 0 << 0;
    QTest::newRow("page 10 last") << 10 << 50 << 2295 << 1601 << 2 << 13;
    QTest::newRow("page 7 one row") << 7 << 13 << 855 << 821 << 0 << 12;
    QTest::newRow("page 5 104th") << 5 << 104 << 4455 << 1018 << 5 << 13;
    QTest::newRow("page 1 99th") << 1 << 99 << 4455 << 5000 << 5 << 8;
    QTest::newRow("page 6 unsorted") << 6 << 27 << 1575 << 5001 << 0 << 10;
}

void TestLookupWindow::paletteGrid()
{
    QFETCH(int, page);
    QFETCH(int, count);
    QFETCH(int, height);
    QFETCH(int, id);
    QFETCH(int, row);
    QFETCH(int, column);
    LookupFixture f;
    f.start();
    auto &container = static_cast<ImageHost &>(f.widget(QStringLiteral("Picture1(%1)").arg(page)));
    QCOMPARE(container.geometry(), tw(2040, 1440, 13095, height));
    QCOMPARE(container.images().size(), count);
    const ImageControl &element = f.image(QStringLiteral("Image1(%1)").arg(id));
    QCOMPARE(element.host(), &container);
    QCOMPARE(element.geometry(), tw(720 * column, 720 * row, 675, 675));
    QVERIFY(showsLook(element, ElementLook::Plain) && element.isVisible() && !element.picture().isNull());
    // Element pictures are the palette's own two-colour pictures, not decoded copies.
    QVERIFY(element.picture().format() == QImage::Format_Mono ||
            element.picture().format() == QImage::Format_Indexed8);
}

void TestLookupWindow::startUpState()
{
    LookupFixture f;
    QVERIFY(!f.start());
    Form1 &form = f.form();
    QCOMPARE(static_cast<QComboBox &>(f.widget("ComboElement")).currentText(), QStringLiteral("冠・たれ"));
    QCOMPARE(shownPages(f), QList<int>{0});
    QCOMPARE(static_cast<QLabel &>(f.widget("LabelKakusuu")).font().pointSize(), 12);
    QCOMPARE(selection(f), (QList<std::int16_t>{9999, 9999, 9999, 9999, 9999}));
    int elements = 0;
    for (int k = 0; k < kPaletteCount; ++k)
        for (std::int16_t id : paletteIds(k)) {
            QVERIFY(showsLook(f.image(QStringLiteral("Image1(%1)").arg(id)), ElementLook::Plain));
            ++elements;
        }
    QCOMPARE(elements, 551);
    for (const char *missing : {"Image1(0)", "Image1(6)", "Image1(301)", "Image1(414)", "Image1(5003)"})
        QVERIFY(form.findChild<ImageControl *>(missing) == nullptr);
    QVERIFY(f.status().isEmpty() && f.caption("LabelTantai").isEmpty() &&
            f.caption("LabelKakusuu").isEmpty());
}

void TestLookupWindow::startUpFailureLeavesPageZeroChosen()
{
    LookupFixture f;
    QFile::remove(f.filePath(kElementFormsFile));
    const auto failure = f.start();
    QVERIFY(failure);
    QCOMPARE(failure->kind(), FailureKind::FileNotFound);
    QVERIFY(failure->message().contains(kElementFormsFile));
    // The element group was chosen before any file was opened.
    QCOMPARE(shownPages(f), QList<int>{0});
}

void TestLookupWindow::tabOrderAndFocus()
{
    LookupFixture f;
    f.start();
    Form1 &form = f.form();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), &f.widget("BtnReset"));
    // Tab moves through the controls that take the focus; labels never do, hidden pages are skipped.
    auto walk = [&] {
        QStringList order;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *w = QApplication::focusWidget();
            while (w != nullptr && w->objectName().isEmpty())
                w = w->parentWidget(); // the edit field of the stroke-count box
            order << (w ? w->objectName() : QString());
        }
        return order;
    };
    QCOMPARE(walk(), (QStringList{"ComboElement", "ComboTotal", "Picture1(0)", "BtnEnd", "BtnReset"}));
    static_cast<DropDownList &>(f.widget("ComboElement")).setListIndex(4);
    QCOMPARE(walk(), (QStringList{"ComboElement", "ComboTotal", "BtnEnd", "Picture1(4)", "BtnReset"}));
}

void TestLookupWindow::elementGroupShowsItsPage()
{
    LookupFixture f;
    f.start();
    auto &groups = static_cast<DropDownList &>(f.widget("ComboElement"));
    // A choice by the user, through the keyboard.
    groups.setFocus();
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(&groups, Qt::Key_Down);
    QCOMPARE(groups.currentText(), QStringLiteral("組み合わせ"));
    QCOMPARE(shownPages(f), QList<int>{10});
    groups.setListIndex(5);
    QCOMPARE(shownPages(f), QList<int>{5});
    groups.setListIndex(5);
    QCOMPARE(shownPages(f), QList<int>{5});
    groups.setListIndex(-1);
    QCOMPARE(shownPages(f), QList<int>{});
}

void TestLookupWindow::selectionSortedBySlotAndLook()
{
    LookupFixture f(kRows);
    f.start();
    f.clickElement(205);
    f.clickElement(3);
    QCOMPARE(selection(f), (QList<std::int16_t>{3, 205, 9999, 9999, 9999}));
    QVERIFY(showsLook(f.image("Image1(3)"), ElementLook::Selected) &&
            showsLook(f.image("Image1(205)"), ElementLook::Selected));
    // The selected look, attribute by attribute: three-dimensional with a single frame.
    QCOMPARE(f.image("Image1(3)").appearance(), ImageControl::ThreeD);
    QCOMPARE(f.image("Image1(3)").borderStyle(), ImageControl::FixedSingle);
    // The slots share the palette's own pictures, in ascending order of id.
    QCOMPARE(f.image("Image3(1)").picture().cacheKey(), f.image("Image1(3)").picture().cacheKey());
    QCOMPARE(f.image("Image3(2)").picture().cacheKey(), f.image("Image1(205)").picture().cacheKey());
    for (int k = 3; k <= 5; ++k)
        QVERIFY(f.image(QStringLiteral("Image3(%1)").arg(k)).picture().isNull());
    QCOMPARE(f.shownCodes(), (QList<std::int32_t>{11, 12}));
}

void TestLookupWindow::sixthElementIsRefused()
{
    LookupFixture f(kRows);
    f.start();
    for (int id : {3, 205, 302, 401, 501})
        f.form().Image1_Click(std::int16_t(id));
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{12});
    const QString status = f.status();
    f.clickElement(1601);
    QVERIFY(showsLook(f.image("Image1(1601)"), ElementLook::Plain));
    QCOMPARE(selection(f), (QList<std::int16_t>{3, 205, 302, 401, 501}));
    QCOMPARE(f.status(), status);
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{12});
    // Deselecting one of the five makes room again.
    f.clickElement(302);
    f.clickElement(1601);
    QCOMPARE(selection(f), (QList<std::int16_t>{3, 205, 401, 501, 1601}));
}

void TestLookupWindow::deselectInTheMiddle()
{
    LookupFixture f(kRows);
    f.start();
    for (int id : {3, 205, 302, 401, 501})
        f.form().Image1_Click(std::int16_t(id));
    f.form().Image1_Click(205);
    QCOMPARE(selection(f), (QList<std::int16_t>{3, 302, 401, 501, 9999}));
    QCOMPARE(f.image("Image3(3)").picture().cacheKey(), f.image("Image1(401)").picture().cacheKey());
    QVERIFY(f.image("Image3(5)").picture().isNull());
    QVERIFY(showsLook(f.image("Image1(205)"), ElementLook::Plain));
    QCOMPARE(f.shownCodes(), QList<std::int32_t>{12});
}

void TestLookupWindow::deselectingTheLastElement_data()
{
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<bool>("reset");
    QTest::newRow("なし resets") << "なし" << true;
    QTest::newRow("a stroke count looks up") << "12" << false;
    QTest::newRow("empty box looks up") << "" << false;
    QTest::newRow("なし and a blank looks up") << "なし " << false;
}

void TestLookupWindow::deselectingTheLastElement()
{
    QFETCH(QString, boxText);
    QFETCH(bool, reset);
    // Rows 4 and 5 have 12 strokes and an empty element column; the fillers have 99 strokes.
    auto rows = kRows;
    rows[4] = row(14, {3}, 12);
    rows[5] = row(15, {1, 2, 3, 4, 5, 201, 202, 203, 204}, 12);
    LookupFixture f(rows);
    f.start();
    f.form().Image1_Click(3);
    static_cast<EditableCombo &>(f.widget("ComboTotal")).setText(boxText);
    f.form().Image1_Click(3);
    QCOMPARE(selection(f), (QList<std::int16_t>{9999, 9999, 9999, 9999, 9999}));
    QVERIFY(showsLook(f.image("Image1(3)"), ElementLook::Plain));
    for (int k = 1; k <= 5; ++k)
        QVERIFY(f.image(QStringLiteral("Image3(%1)").arg(k)).picture().isNull());
    if (reset) {
        QVERIFY(f.status().isEmpty());
        QCOMPARE(f.visibleCells(), 0);
    } else {
        // An empty selection: the rows with that stroke count and at least one empty column.
        QCOMPARE(f.shownCodes(), boxText == u"12" ? QList<std::int32_t>{14} : QList<std::int32_t>{});
        QCOMPARE(f.status(), boxText == u"12" ? QStringLiteral(" 1字の候補がヒットしました。")
                                              : QStringLiteral("候補がありません。"));
    }
}

void TestLookupWindow::selectionSurvivesPageSwitch()
{
    LookupFixture f(kRows);
    f.start();
    auto &groups = static_cast<DropDownList &>(f.widget("ComboElement"));
    groups.setListIndex(7); // 水系 holds element 3 and 205
    f.clickElement(3);
    groups.setListIndex(3);
    QVERIFY(showsLook(f.image("Image1(3)"), ElementLook::Selected));
    groups.setListIndex(7);
    QVERIFY(showsLook(f.image("Image1(3)"), ElementLook::Selected));
    QCOMPARE(selection(f)[0], std::int16_t(3));
}

void TestLookupWindow::mouseClickOnAHiddenPageDoesNothing()
{
    LookupFixture f(kRows);
    f.start();
    Form1 &form = f.form();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(shownPages(f), QList<int>{0});
    // Clicks through the window where elements of the hidden page 5 lie: at the end of page 0's
    // second row, which page 0 leaves empty, and on its fourth row, below page 0. Every page is
    // taller than page 0 at one of the two, so a page that took clicks while hidden would select.
    const auto hidden = paletteIds(5);
    for (const int index : {2 * kPaletteColumns - 1, 3 * kPaletteColumns}) {
        ImageControl &element = f.image(QStringLiteral("Image1(%1)").arg(hidden[index]));
        ImageHost *page = element.host();
        QVERIFY(!page->isVisible());
        const QPoint at = page->mapTo(&form, element.geometry().center() + page->clientOrigin());
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(showsLook(element, ElementLook::Plain));
        QCOMPARE(selection(f), (QList<std::int16_t>{9999, 9999, 9999, 9999, 9999}));
    }
    QCOMPARE(shownPages(f), QList<int>{0});
    // A press on one element released over another is no click.
    ImageControl &a = f.image("Image1(1)");
    ImageControl &b = f.image("Image1(203)");
    ImageHost *page = a.host();
    QTest::mousePress(page, Qt::LeftButton, {}, a.geometry().center() + page->clientOrigin());
    QTest::mouseRelease(page, Qt::LeftButton, {}, b.geometry().center() + page->clientOrigin());
    QVERIFY(showsLook(a, ElementLook::Plain) && showsLook(b, ElementLook::Plain));
    // A click between elements selects nothing.
    QTest::mouseClick(page, Qt::LeftButton, {},
                      QPoint(a.geometry().right() + 2, a.geometry().center().y()) + page->clientOrigin());
    QCOMPARE(selection(f)[0], std::int16_t(9999));
}

QTEST_MAIN(TestLookupWindow)
#include "tst_lookup_window.moc"
