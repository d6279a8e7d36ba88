// Drives the real program in a real X window on the demo data set, as a person would.
#include "demo_data_facts.h"
#include "palette_pages.h"
#include "x11_session.h"

#include <QProcess>
#include <QTest>

#include <memory>

namespace {

const QString kMainCaption = QStringLiteral("Quorvel文字検索プログラム");

// Places in the main window's client area, in pixels, from its layout.
QPoint elementCentre(int id)
{
    const auto ids = quorvel::paletteIds(0);
    const int p = static_cast<int>(std::find(ids.begin(), ids.end(), id) - ids.begin());
    return QPoint(136 + 2 + 48 * (p % 18) + 22, 96 + 2 + 48 * (p / 18) + 22);
}
QRect resultCell(int k)
{
    return QRect(16 + 48 * ((k - 1) % 20), 424 + 48 * ((k - 1) / 20), 49, 49);
}
QRect standaloneSlot(int k)
{
    return QRect(16 + 48 * k, 336, 49, 49);
}
const QRect kStatusLine(16, 400, 209, 17);
const QPoint kResetButton(16 + 48, 128 + 20);
const QPoint kEndButton(16 + 48, 176 + 20);
const QPoint kStrokeBox(16 + 20, 40 + 10);

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

private:
    QImage shot() const { return session_->screenshot(); }
    QPoint onScreen(const QPoint &client) const { return client + origin_; }
    QRect onScreen(const QRect &client) const { return client.translated(origin_); }
    int cellsShowingGlyphs() const;

    std::unique_ptr<X11Session> session_;
    QProcess program_;
    QPoint origin_;
};

void TestEndToEnd::initTestCase()
{
    session_ = std::make_unique<X11Session>();
    QVERIFY2(session_->isReady(), "Xvfb did not start");
}

void TestEndToEnd::init()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), session_->displayName());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program_.setProcessEnvironment(env);
    program_.setWorkingDirectory(QStringLiteral(QUORVEL_DEMO_DIR));
    program_.setProcessChannelMode(QProcess::ForwardedChannels);
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
    if (program_.state() != QProcess::NotRunning) {
        program_.kill();
        program_.waitForFinished();
    }
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

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
