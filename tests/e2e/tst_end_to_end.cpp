// Drives the real program in a real X window on the demo data set, as a person would.
#include "demo_data_facts.h"
#include "palette_pages.h"
#include "window_places.h"
#include "x11_session.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace quorvel::places;

namespace {

const QString kMainCaption = QStringLiteral("Quorvel文字検索プログラム");
const QString kDetailCaption = QStringLiteral("Quorvel文字表示");

int darkPixels(const QImage &shot, const QRect &area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(shot.pixel(x, y)) < 80)
                ++n;
    return n;
}

// A glyph shows as dark strokes inside the frame of the cell.
bool showsGlyph(const QImage &shot, const QRect &cell)
{
    return darkPixels(shot, cell.adjusted(3, 3, -3, -3)) > 30;
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void lookUpResetAndEnd();
    void typedStrokeCountAndStandaloneForms();
    void doubleClickOnAnElementSelectsIt();
    void detailWindowOpensClosesAndOpensAgain();
    void closingTheMainWindowLeavesTheDetailWindow();
    void startUpFailureShowsTheErrorBox();

private:
    QImage shot() const { return session_->screenshot(); }
    QPoint onScreen(const QPoint &client) const { return client + origin_; }
    QRect onScreen(const QRect &client) const { return client.translated(origin_); }
    int cellsShowingGlyphs() const;
    // Opens the detail window for result cell k and moves it beside the main window.
    unsigned long openDetail(int k);

    std::unique_ptr<X11Session> session_;
    QProcess program_;
    QPoint origin_;
};

void TestEndToEnd::initTestCase()
{
    QVERIFY(QFile::exists(QStringLiteral(QUORVEL_PROGRAM)));
}

void TestEndToEnd::init()
{
    // A fresh X server for each test: typing into one program's window left the next program
    // started on the same server deaf to xdotool's clicks.
    session_ = std::make_unique<X11Session>();
    QVERIFY2(session_->isReady(), "Xvfb did not start");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), session_->displayName());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program_.setProcessEnvironment(env);
    program_.setWorkingDirectory(QStringLiteral(QUORVEL_DEMO_DIR));
    program_.setProcessChannelMode(QProcess::ForwardedChannels);
    if (QByteArray(QTest::currentTestFunction()) == "startUpFailureShowsTheErrorBox")
        return; // it starts the program itself, elsewhere
    program_.start(QStringLiteral(QUORVEL_PROGRAM), {});
    QVERIFY(program_.waitForStarted());
    const unsigned long window = session_->findWindow(kMainCaption);
    QVERIFY2(window != 0, "the main window did not appear");
    const QRect geometry = session_->geometry(window);
    QCOMPARE(geometry.size(), QSize(1016, 679));
    origin_ = geometry.topLeft();
    // Wait until the palette page is drawn.
    QTRY_VERIFY_WITH_TIMEOUT(
        showsGlyph(shot(), onScreen(QRect(elementCentre(1) - QPoint(22, 22), QSize(45, 45)))), 10000);
}

void TestEndToEnd::cleanup()
{
    // Close the windows as a user would; kill only a program that does not end by itself.
    for (const QString &caption : {kDetailCaption, kMainCaption})
        if (const unsigned long window = session_->findWindow(caption, 0))
            session_->closeWindow(window);
    if (program_.state() != QProcess::NotRunning && !program_.waitForFinished(5000)) {
        program_.kill();
        program_.waitForFinished();
    }
    session_.reset();
}

int TestEndToEnd::cellsShowingGlyphs() const
{
    const QImage s = shot();
    int n = 0;
    for (int k = 1; k <= 100; ++k)
        n += showsGlyph(s, onScreen(resultCell(k))) ? 1 : 0;
    return n;
}

void TestEndToEnd::lookUpResetAndEnd()
{
    QCOMPARE(cellsShowingGlyphs(), 0);
    QCOMPARE(darkPixels(shot(), onScreen(kStatusLine)), 0);

    session_->click(onScreen(elementCentre(quorvel::demo::kCommonElement)));
    QTRY_COMPARE_WITH_TIMEOUT(cellsShowingGlyphs(), 100, 10000);
    QVERIFY(darkPixels(shot(), onScreen(kStatusLine)) > 0);

    session_->click(onScreen(kResetButton));
    QTRY_COMPARE_WITH_TIMEOUT(cellsShowingGlyphs(), 0, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(darkPixels(shot(), onScreen(kStatusLine)), 0, 10000);

    session_->click(onScreen(elementCentre(quorvel::demo::kRareElement)));
    QTRY_COMPARE_WITH_TIMEOUT(cellsShowingGlyphs(), 1, 10000);
    QVERIFY(showsGlyph(shot(), onScreen(resultCell(1))));

    session_->click(onScreen(kEndButton));
    QVERIFY(program_.waitForFinished(10000));
    QCOMPARE(program_.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program_.exitCode(), 0);
}

void TestEndToEnd::doubleClickOnAnElementSelectsIt()
{
    session_->doubleClick(onScreen(elementCentre(quorvel::demo::kCommonElement)));
    QTRY_COMPARE_WITH_TIMEOUT(cellsShowingGlyphs(), 100, 10000);
    // Nothing follows that would take the element back and reset the window.
    QTest::qWait(500);
    QCOMPARE(cellsShowingGlyphs(), 100);
}

void TestEndToEnd::typedStrokeCountAndStandaloneForms()
{
    // A stroke count typed into the box with nothing picked: the rows of that count with an empty
    // element column.
    session_->click(onScreen(kStrokeBox));
    session_->xdotool({"key", "--clearmodifiers", "ctrl+a", "BackSpace"});
    session_->xdotool({"type", "--delay", "50", QString::number(quorvel::demo::kStrokeCountForTyping)});
    QTRY_COMPARE_WITH_TIMEOUT(cellsShowingGlyphs(), quorvel::demo::kStrokeCountForTypingHits, 10000);

    // Back to なし, then one element with two standalone forms.
    session_->click(onScreen(kResetButton));
    QTRY_COMPARE_WITH_TIMEOUT(cellsShowingGlyphs(), 0, 10000);
    session_->click(onScreen(elementCentre(quorvel::demo::kElementWithTwoForms)));
    QTRY_VERIFY_WITH_TIMEOUT(showsGlyph(shot(), onScreen(standaloneSlot(0))), 10000);
    QVERIFY(showsGlyph(shot(), onScreen(standaloneSlot(1))));
    // A second element hides them.
    session_->click(onScreen(elementCentre(quorvel::demo::kCommonElement)));
    QTRY_VERIFY_WITH_TIMEOUT(!showsGlyph(shot(), onScreen(standaloneSlot(0))), 10000);
    QVERIFY(!showsGlyph(shot(), onScreen(standaloneSlot(1))));
}

unsigned long TestEndToEnd::openDetail(int k)
{
    session_->click(onScreen(resultCell(k).center()));
    const unsigned long detail = session_->findWindow(kDetailCaption);
    if (detail == 0)
        return 0;
    // The window system places it over the main window; the user moves it aside.
    session_->xdotool({"windowmove", "--sync", QString::number(detail), "1040", "0"});
    return detail;
}

void TestEndToEnd::detailWindowOpensClosesAndOpensAgain()
{
    session_->click(onScreen(elementCentre(quorvel::demo::kCommonElement)));
    QTRY_COMPARE_WITH_TIMEOUT(cellsShowingGlyphs(), 100, 10000);
    unsigned long detail = openDetail(1);
    QVERIFY2(detail != 0, "the detail window did not appear");
    const QRect where = session_->geometry(detail);
    QCOMPARE(where.size(), QSize(540, 462));
    QTRY_VERIFY_WITH_TIMEOUT(darkPixels(shot(), kLargeGlyph.translated(where.topLeft())) > 500, 10000);

    session_->closeWindow(detail);
    QTRY_VERIFY_WITH_TIMEOUT(!session_->windowExists(kDetailCaption), 10000);
    QCOMPARE(program_.state(), QProcess::Running);

    detail = openDetail(2);
    QVERIFY2(detail != 0, "the detail window did not open again");
    QTRY_VERIFY_WITH_TIMEOUT(
        darkPixels(shot(), kLargeGlyph.translated(session_->geometry(detail).topLeft())) > 500, 10000);

    // The exit button ends the program with the detail window open.
    session_->click(onScreen(kEndButton));
    QVERIFY(program_.waitForFinished(10000));
    QCOMPARE(program_.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program_.exitCode(), 0);
    QVERIFY(!session_->windowExists(kDetailCaption));
}

void TestEndToEnd::closingTheMainWindowLeavesTheDetailWindow()
{
    session_->click(onScreen(elementCentre(quorvel::demo::kRareElement)));
    QTRY_COMPARE_WITH_TIMEOUT(cellsShowingGlyphs(), 1, 10000);
    const unsigned long detail = openDetail(1);
    QVERIFY(detail != 0);
    session_->closeWindow(session_->findWindow(kMainCaption));
    QTRY_VERIFY_WITH_TIMEOUT(!session_->windowExists(kMainCaption), 10000);
    QTest::qWait(300);
    QCOMPARE(program_.state(), QProcess::Running);
    QVERIFY(session_->windowExists(kDetailCaption));
    // The program ends when its last window is closed.
    session_->closeWindow(detail);
    QVERIFY(program_.waitForFinished(10000));
    QCOMPARE(program_.exitCode(), 0);
}

void TestEndToEnd::startUpFailureShowsTheErrorBox()
{
    // Started in a folder without the data files: the error box names the missing file, the main
    // window never shows, and the program ends with a failure status once the box is closed.
    QTemporaryDir empty;
    program_.setWorkingDirectory(empty.path());
    program_.setProcessChannelMode(QProcess::SeparateChannels);
    program_.start(QStringLiteral(QUORVEL_PROGRAM), {});
    QVERIFY(program_.waitForStarted());
    const unsigned long box = session_->findWindow(kMainCaption);
    QVERIFY2(box != 0, "no error box");
    QVERIFY(session_->geometry(box).size() != QSize(1016, 679));
    session_->closeWindow(box);
    QVERIFY(program_.waitForFinished(10000));
    QCOMPARE(program_.exitCode(), 1);
    const QString errors = QString::fromUtf8(program_.readAllStandardError());
    QVERIFY2(errors.contains(QStringLiteral("ファイルが見つかりません")) &&
                 errors.contains(QStringLiteral("文字分解表.csv")),
             qPrintable(errors));
}

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
