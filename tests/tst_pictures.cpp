// GIF pictures, the image control that shows them, and the element pictures compiled in.
#include "data_fixture.h"
#include "gif_picture.h"
#include "gif_writer.h"
#include "image_control.h"
#include "palette_pictures.h"
#include "palette_pictures_data.h"
#include "scaled_picture.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gif_lib.h>

using namespace quorvel;
using quorvel::test::DataFixture;
using quorvel::test::failureOf;

namespace {

QImage twoColour(int w, int h)
{
    QImage image(w, h, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x * 7 + y * 3) % 5 == 0)
                image.setPixel(x, y, 1);
    return image;
}

bool samePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

int writeToArray(GifFileType *gif, const GifByteType *data, int size)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), size);
    return size;
}

// An interlaced GIF of `image` (8-bit indexes into a grey ramp), written row pass by row pass.
QByteArray interlacedGif(const QImage &image)
{
    QByteArray bytes;
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, writeToArray, &error);
    ColorMapObject *map = GifMakeMapObject(4, nullptr);
    for (int i = 0; i < 4; ++i)
        map->Colors[i] = GifColorType{GifByteType(i * 80), GifByteType(i * 80), GifByteType(i * 80)};
    EGifPutScreenDesc(gif, image.width(), image.height(), 2, 0, map);
    EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), true, nullptr);
    static constexpr int kStart[] = {0, 4, 2, 1};
    static constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < image.height(); y += kStep[pass])
            EGifPutLine(gif, const_cast<GifPixelType *>(image.constScanLine(y)), image.width());
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return bytes;
}

// A header that claims a huge logical screen, followed by almost nothing.
QByteArray hugeHeader(int w, int h)
{
    QByteArray bytes("GIF89a");
    bytes += char(w & 0xff);
    bytes += char(w >> 8);
    bytes += char(h & 0xff);
    bytes += char(h >> 8);
    bytes += QByteArray("\x80\x00\x00\x00\x00\x00\xff\xff\xff", 9);
    bytes += QByteArray(",\x00\x00\x00\x00", 5);
    bytes += char(w & 0xff);
    bytes += char(w >> 8);
    bytes += char(h & 0xff);
    bytes += char(h >> 8);
    bytes += QByteArray("\x00\x02\x02\x84\x51\x00;", 7);
    return bytes;
}

// A host painted with the window colour `background`, as the windows are.
void paintBackground(ImageHost &host, const QColor &background)
{
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, background);
    host.setPalette(palette);
    host.setAutoFillBackground(true);
}

// One-pixel black strokes on white, 300 pixels square: at these columns and rows, and a diagonal.
constexpr int kStrokeColumns[] = {37, 100, 151, 222, 290};
constexpr int kStrokeRows[] = {20, 149, 260};

QImage thinStrokes()
{
    QImage image(300, 300, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    for (int x : kStrokeColumns)
        for (int y = 0; y < 300; ++y)
            image.setPixel(x, y, 1);
    for (int y : kStrokeRows)
        for (int x = 0; x < 300; ++x)
            image.setPixel(x, y, 1);
    for (int i = 0; i < 300; ++i)
        image.setPixel(i, i, 1);
    return image;
}

int greyLevels(const QImage &image, const QRect &area)
{
    QSet<int> levels;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            levels.insert(qGray(image.pixel(x, y)));
    return int(levels.size());
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void decodesPalettePictures();
    void decodesInterlacedAndTransparent();
    void rejectsBadFiles_data();
    void rejectsBadFiles();
    void loadsManyAtOnceInOrder();
    void handingOverSharesThePicture();
    void drawsFramesAndStretchedPicture();
    void clicksGoToTheTopmostVisibleImage();
    void transparentPixelsShowTheBackground();
    void stretchedPicturesAreSmoothAndKeepThinStrokes();
    void twoColourPicturesScaleAsTheirEightBitCopies_data();
    void twoColourPicturesScaleAsTheirEightBitCopies();
    void aDoubleClickIsOneClick();
    void refusesGlyphsThatAreNoRegularFileOrTooLong_data();
    void refusesGlyphsThatAreNoRegularFileOrTooLong();
    void embeddedPicturesAreTheAssetsUncopied();
};

void TestPictures::decodesPalettePictures()
{
    DataFixture fixture;
    const QImage mono = twoColour(300, 300);
    quorvel::tools::writeGif(fixture.filePath("mono.gif"), mono);
    const Picture loaded = loadGifPicture(fixture.filePath("mono.gif"));
    QCOMPARE(loaded.format(), QImage::Format_Mono); // one bit a pixel, not 32
    QVERIFY(samePixels(loaded, mono));

    QImage four(37, 11, QImage::Format_Indexed8);
    four.setColorTable({qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(9, 9, 9)});
    for (int y = 0; y < four.height(); ++y)
        for (int x = 0; x < four.width(); ++x)
            four.setPixel(x, y, uint((x + y) % 4));
    quorvel::tools::writeGif(fixture.filePath("four.gif"), four);
    const Picture indexed = loadGifPicture(fixture.filePath("four.gif"));
    QCOMPARE(indexed.format(), QImage::Format_Indexed8);
    QVERIFY(samePixels(indexed, four));
}

void TestPictures::decodesInterlacedAndTransparent()
{
    QImage ramp(13, 23, QImage::Format_Indexed8);
    ramp.setColorTable({qRgb(0, 0, 0), qRgb(80, 80, 80), qRgb(160, 160, 160), qRgb(240, 240, 240)});
    for (int y = 0; y < ramp.height(); ++y)
        for (int x = 0; x < ramp.width(); ++x)
            ramp.setPixel(x, y, uint((y * 3 + x) % 4));
    const Picture interlaced = decodeGifPicture(interlacedGif(ramp), "interlaced");
    QVERIFY(samePixels(interlaced, ramp));

    QImage holes(8, 8, QImage::Format_ARGB32);
    holes.fill(Qt::black);
    holes.setPixel(3, 4, qRgba(0, 0, 0, 0));
    const Picture transparent = decodeGifPicture(quorvel::tools::encodeGif(holes), "transparent");
    QCOMPARE(qAlpha(transparent.pixel(3, 4)), 0);
    QCOMPARE(transparent.pixel(0, 0), qRgb(0, 0, 0));
}

void TestPictures::rejectsBadFiles_data()
{
    QTest::addColumn<QByteArray>("bytes"); // "missing": no file
    QTest::addColumn<FailureKind>("kind");
    QTest::addColumn<QString>("why"); // a part of the message, where the reason matters
    const QByteArray good = quorvel::tools::encodeGif(twoColour(300, 300));
    QTest::newRow("missing") << QByteArray("missing") << FailureKind::FileNotFound << QString();
    QTest::newRow("not a GIF") << QByteArray("a text file, no picture") << FailureKind::BadPicture
                               << QStringLiteral("GIF ファイルではありません");
    QTest::newRow("empty") << QByteArray() << FailureKind::BadPicture
                           << QStringLiteral("読み込めません (途中で終わっています)");
    QTest::newRow("header only") << good.left(13) << FailureKind::BadPicture
                                 << QStringLiteral("画面の記述がありません");
    QTest::newRow("cut in half") << good.left(good.size() / 2) << FailureKind::BadPicture
                                 << QStringLiteral("途中で切れているか壊れています");
    QTest::newRow("cut near the end") << good.left(good.size() - 12) << FailureKind::BadPicture
                                      << QStringLiteral("途中で切れているか壊れています");
    QTest::newRow("no image") << QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff;", 20)
                              << FailureKind::BadPicture << QString();
    QTest::newRow("beyond the allocation limit") << hugeHeader(65535, 65535) << FailureKind::BadPicture
                                                 << QStringLiteral("65535 x 65535 は大きすぎます");
    // A screen without width takes the frame's width; with the screen's height that is too large.
    QTest::newRow("zero-width screen, tall canvas")
        << QByteArray::fromBase64("R0lGODlhAAD+/4AAAAAHAP///ywAAAAAAAgBAAAAAgKEUQA6")
        << FailureKind::BadPicture << QStringLiteral("2048 x 65534 は大きすぎます");
    // Small files that claim a canvas of a gigabyte.
    QTest::newRow("65535 x 4096") << hugeHeader(65535, 4096) << FailureKind::BadPicture
                                  << QStringLiteral("65535 x 4096 は大きすぎます (上限 4194304 画素)");
    QTest::newRow("one row past the limit")
        << hugeHeader(2048, 2049) << FailureKind::BadPicture << QStringLiteral("2048 x 2049 は大きすぎます");
}

void TestPictures::rejectsBadFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(FailureKind, kind);
    QFETCH(QString, why);
    DataFixture fixture;
    if (bytes != "missing")
        fixture.writeBytes("bad.gif", bytes);
    const auto failure = failureOf([&] { loadGifPicture(fixture.filePath("bad.gif")); });
    QVERIFY(failure);
    QCOMPARE(failure->kind(), kind);
    QVERIFY2(failure->message().contains(fixture.filePath("bad.gif")), qPrintable(failure->message()));
    QVERIFY2(failure->message().contains(why), qPrintable(failure->message()));
    // The whole message is in Japanese: no English reason from the decoder.
    QString rest = failure->message();
    rest.remove(fixture.filePath("bad.gif")).remove(QStringLiteral("GIF"));
    QVERIFY2(!rest.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2,}"))), qPrintable(rest));
}

void TestPictures::loadsManyAtOnceInOrder()
{
    DataFixture fixture;
    fixture.writeGlyphs({1, 2, 3, 5});
    QStringList paths;
    for (int code : {3, 1, 4, 2, 5, 3})
        paths << fixture.glyphPath(code);
    const std::vector<LoadedPicture> loaded = loadGifPictures(paths, QSize(47, 41));
    QCOMPARE(loaded.size(), std::size_t(6));
    const int expected[] = {3, 1, -1, 2, 5, 3};
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        if (expected[i] < 0) {
            const auto failure = failureOf([&] { loaded[i].take(); });
            QVERIFY(failure && failure->message().contains(QStringLiteral("4.gif")));
        } else {
            QCOMPARE(quorvel::test::codeShownBy(loaded[i].take()), expected[i]);
            // Scaled there too, as the control would scale it.
            QVERIFY(samePixels(loaded[i].scaled, scaledPicture(loaded[i].picture, QSize(47, 41))));
        }
    }
}

void TestPictures::handingOverSharesThePicture()
{
    ImageHost host(nullptr);
    ImageControl a(&host, "a", 1, QRect(0, 0, 45, 45), {});
    ImageControl b(&host, "b", 2, QRect(50, 0, 45, 45), {});
    a.setPicture(twoColour(300, 300));
    b.setPicture(a.picture());
    QCOMPARE(b.picture().cacheKey(), a.picture().cacheKey());
    QCOMPARE(b.picture().constBits(), a.picture().constBits());
    b.setPicture(Picture());
    QVERIFY(b.picture().isNull());
}

void TestPictures::drawsFramesAndStretchedPicture()
{
    ImageHost host(nullptr);
    host.resize(200, 60);
    QImage black(10, 10, QImage::Format_Mono);
    black.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    black.fill(1);
    ImageControl plain(&host, "plain", 1, QRect(0, 0, 45, 45),
                       {true, ImageControl::NoBorder, ImageControl::Flat, true});
    ImageControl flat(&host, "flat", 2, QRect(50, 0, 45, 45),
                      {true, ImageControl::FixedSingle, ImageControl::Flat, true});
    ImageControl sunken(&host, "sunken", 3, QRect(100, 0, 45, 45),
                        {true, ImageControl::FixedSingle, ImageControl::ThreeD, true});
    ImageControl hidden(&host, "hidden", 4, QRect(150, 0, 45, 45),
                        {true, ImageControl::NoBorder, ImageControl::Flat, false});
    for (ImageControl *c : {&plain, &flat, &sunken, &hidden})
        c->setPicture(black);
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::red);
    palette.setColor(QPalette::Light, Qt::green);
    host.setPalette(palette);
    host.setAutoFillBackground(true);
    const QImage shot = host.grab().toImage();
    // Stretched to the whole control, without a frame.
    QCOMPARE(shot.pixelColor(0, 0), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(44, 44), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(46, 10), QColor(Qt::white));
    // A flat single frame is a plain line; inside it the picture.
    QCOMPARE(shot.pixelColor(50, 20), QColor(Qt::red));
    QCOMPARE(shot.pixelColor(51, 20), QColor(Qt::black));
    // A three-dimensional frame is a sunken bevel: light at the bottom right.
    QCOMPARE(shot.pixelColor(144, 44), QColor(Qt::green));
    QVERIFY(shot.pixelColor(100, 0) != QColor(Qt::black) && shot.pixelColor(100, 0) != QColor(Qt::green));
    QCOMPARE(shot.pixelColor(120, 20), QColor(Qt::black));
    // A hidden control draws nothing.
    QCOMPARE(shot.pixelColor(170, 20), QColor(Qt::white));
}

void TestPictures::clicksGoToTheTopmostVisibleImage()
{
    ImageHost host(nullptr, ImageHost::Frame::Sunken3D);
    host.resize(120, 60);
    ImageControl under(&host, "under", 1, QRect(0, 0, 49, 49), {});
    ImageControl over(&host, "over", 2, QRect(48, 0, 49, 49), {});
    QList<int> clicks;
    for (ImageControl *c : {&under, &over})
        connect(c, &ImageControl::clicked, [&](int index) { clicks << index; });
    const QPoint origin = host.clientOrigin();
    QCOMPARE(origin, QPoint(2, 2));
    QTest::mouseClick(&host, Qt::LeftButton, {}, origin + QPoint(48, 10)); // the overlap
    QTest::mouseClick(&host, Qt::LeftButton, {}, origin + QPoint(10, 10));
    over.setVisible(false);
    QTest::mouseClick(&host, Qt::LeftButton, {}, origin + QPoint(48, 10));
    QTest::mouseClick(&host, Qt::LeftButton, {}, origin + QPoint(60, 10)); // nothing there now
    QTest::mouseClick(&host, Qt::RightButton, {}, origin + QPoint(10, 10));
    QCOMPARE(clicks, (QList<int>{2, 1, 1}));
}

void TestPictures::transparentPixelsShowTheBackground()
{
    // As `convert in.gif -transparent white out.gif` writes it: black and transparent black.
    QImage glyph(300, 300, QImage::Format_Mono);
    glyph.setColorTable({qRgb(0, 0, 0), qRgba(0, 0, 0, 0)});
    glyph.fill(1);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 30; ++x)
            glyph.setPixel(x, y, 0); // a black band down the left side
    const Picture loaded = decodeGifPicture(quorvel::tools::encodeGif(glyph), "transparent");
    QCOMPARE(qAlpha(loaded.pixel(200, 200)), 0);

    ImageHost host(nullptr);
    host.resize(400, 320);
    const QColor background(200, 220, 240);
    paintBackground(host, background);
    ImageControl stretched(&host, "stretched", 1, QRect(0, 0, 45, 45), {});
    ImageControl framed(&host, "framed", 2, QRect(50, 0, 45, 45),
                        {true, ImageControl::FixedSingle, ImageControl::ThreeD, true});
    ImageControl actualSize(&host, "actualSize", 3, QRect(100, 0, 300, 300),
                            {false, ImageControl::NoBorder, ImageControl::Flat, true});
    for (ImageControl *c : {&stretched, &framed, &actualSize})
        c->setPicture(loaded);
    const QImage shot = host.grab().toImage();
    QCOMPARE(shot.pixelColor(30, 30), background);
    QCOMPARE(shot.pixelColor(80, 30), background);
    QCOMPARE(shot.pixelColor(300, 200), background);
    // The black band is still drawn.
    QCOMPARE(shot.pixelColor(1, 30), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(53, 30), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(110, 200), QColor(Qt::black));
}

void TestPictures::stretchedPicturesAreSmoothAndKeepThinStrokes()
{
    ImageHost host(nullptr);
    host.resize(45, 45);
    paintBackground(host, Qt::white);
    ImageControl cell(&host, "cell", 1, QRect(0, 0, 45, 45), {});
    cell.setPicture(thinStrokes());
    const QImage shot = host.grab().toImage();
    // Each stroke darkens the cell's column or row it falls in, away from the crossing strokes.
    const auto onAStroke = [](int t, const int *strokes, int n) {
        for (int i = 0; i < n; ++i)
            if (strokes[i] * 45 / 300 == t)
                return true;
        return false;
    };
    for (int x : kStrokeColumns)
        for (int y = 0; y < 45; ++y)
            if (!onAStroke(y, kStrokeRows, 3))
                QVERIFY2(qGray(shot.pixel(x * 45 / 300, y)) < 250,
                         qPrintable(QStringLiteral("column %1").arg(x)));
    for (int y : kStrokeRows)
        for (int x = 0; x < 45; ++x)
            if (!onAStroke(x, kStrokeColumns, 5))
                QVERIFY2(qGray(shot.pixel(x, y * 45 / 300)) < 250,
                         qPrintable(QStringLiteral("row %1").arg(y)));
    for (int t = 0; t < 45; ++t)
        QVERIFY(qGray(shot.pixel(t, t)) < 250);
    // Grey levels between black and white at the edges, not two colours.
    QVERIFY(greyLevels(shot, shot.rect()) > 3);

    // The palette's pictures come scaled in advance the same way, and are as smooth.
    for (int id : {1, 203, 5002}) {
        const Picture embedded = paletteElementPicture(id);
        for (int side : kScaledPictureSides) {
            const QImage ready = scaledPicture(embedded, QSize(side, side));
            QVERIFY(samePixels(ready, scaledPicture(embedded.copy(), QSize(side, side))));
            QVERIFY2(greyLevels(ready, ready.rect()) > 3, qPrintable(QString::number(id)));
        }
    }
}

void TestPictures::twoColourPicturesScaleAsTheirEightBitCopies_data()
{
    QTest::addColumn<QSize>("from");
    QTest::addColumn<QSize>("to");
    QTest::addColumn<QRgb>("zero");
    QTest::addColumn<QRgb>("one");
    QTest::newRow("glyph to cell") << QSize(300, 300) << QSize(45, 45) << qRgb(255, 255, 255)
                                   << qRgb(0, 0, 0);
    QTest::newRow("ink as colour 0") << QSize(300, 300) << QSize(41, 41) << qRgb(0, 0, 0)
                                     << qRgb(255, 255, 255);
    QTest::newRow("odd width, wide") << QSize(301, 7) << QSize(45, 3) << qRgb(10, 200, 30)
                                     << qRgb(250, 5, 90);
    QTest::newRow("enlarged") << QSize(37, 11) << QSize(45, 45) << qRgb(255, 255, 255) << qRgb(0, 0, 0);
    QTest::newRow("transparent ground")
        << QSize(300, 300) << QSize(45, 45) << qRgba(255, 255, 255, 0) << qRgb(40, 40, 40);
}

void TestPictures::twoColourPicturesScaleAsTheirEightBitCopies()
{
    QFETCH(QSize, from);
    QFETCH(QSize, to);
    QFETCH(QRgb, zero);
    QFETCH(QRgb, one);
    QImage mono = twoColour(from.width(), from.height());
    mono.setColorTable({zero, one});
    // An empty band of rows, as a glyph's margins are.
    for (int y = 0; y < from.height() / 3; ++y)
        for (int x = 0; x < from.width(); ++x)
            mono.setPixel(x, y, 0);
    const QImage scaled = scaledPicture(mono, to);
    const QImage reference = scaledPicture(mono.convertToFormat(QImage::Format_Indexed8), to);
    QCOMPARE(scaled.size(), to);
    int worst = 0;
    for (int y = 0; y < to.height(); ++y)
        for (int x = 0; x < to.width(); ++x) {
            const QRgb a = scaled.pixel(x, y), b = reference.pixel(x, y);
            worst = std::max({worst, std::abs(qAlpha(a) - qAlpha(b)), std::abs(qRed(a) - qRed(b)),
                              std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
        }
    QVERIFY2(worst <= 1, qPrintable(QString::number(worst))); // rounding only
}

void TestPictures::aDoubleClickIsOneClick()
{
    ImageHost host(nullptr);
    host.resize(60, 60);
    ImageControl image(&host, "image", 7, QRect(0, 0, 49, 49), {});
    int clicks = 0;
    connect(&image, &ImageControl::clicked, [&] { ++clicks; });
    // A real double click: press, release, then a double-click event for the second press, release.
    QTest::mouseClick(&host, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseDClick(&host, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&host, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicks, 1);
    // The next click after it counts again.
    QTest::mouseClick(&host, Qt::LeftButton, {}, QPoint(10, 10), 600);
    QCOMPARE(clicks, 2);
}

void TestPictures::refusesGlyphsThatAreNoRegularFileOrTooLong_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("why");
    QTest::newRow("FIFO without a writer") << "fifo" << QStringLiteral("通常のファイルではありません (FIFO)");
    QTest::newRow("link to /dev/zero")
        << "device" << QStringLiteral("通常のファイルではありません (デバイス)");
    QTest::newRow("one byte past the limit") << "long" << QStringLiteral("ファイルが大きすぎます");
    QTest::newRow("a gigabyte of nothing") << "huge" << QStringLiteral("ファイルが大きすぎます");
}

void TestPictures::refusesGlyphsThatAreNoRegularFileOrTooLong()
{
    QFETCH(QString, what);
    QFETCH(QString, why);
    DataFixture fixture;
    const QString path = fixture.filePath("glyph.gif");
    if (what == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (what == "device") {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    } else {
        // A valid GIF at its head, then sparse nothing: it costs no disk.
        fixture.writeBytes("glyph.gif", quorvel::tools::encodeGif(twoColour(30, 30)));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(what == "long" ? kPictureFileByteLimit + 1 : 1LL << 30));
    }
    // On a pool thread, so that a load that blocks fails the test instead of hanging it.
    QFuture<std::optional<RuntimeFailure>> load =
        QtConcurrent::run([&] { return failureOf([&] { loadGifPicture(path); }); });
    QDeadlineTimer deadline(10000);
    while (!load.isFinished() && !deadline.hasExpired())
        QThread::msleep(5);
    if (!load.isFinished()) {
        // A load that reads without end cannot be waited for: it would eat the machine's memory.
        if (what != "fifo")
            qFatal("the load of a %s glyph did not end at once", qPrintable(what));
        // Let the blocked open go.
        const int writer = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
        load.waitForFinished();
        QFAIL("the load did not end at once");
    }
    const std::optional<RuntimeFailure> failure = load.result();
    QVERIFY(failure);
    QVERIFY2(failure->message().contains(path) && failure->message().contains(why),
             qPrintable(failure->message()));
}

void TestPictures::embeddedPicturesAreTheAssetsUncopied()
{
    for (int id : {1, 203, 1601, 5000, 5001, 5002}) {
        const Picture embedded = paletteElementPicture(id);
        QVERIFY(!embedded.isNull());
        const Picture asset =
            loadGifPicture(QStringLiteral(QUORVEL_SOURCE_DIR "/assets/palette/%1.gif").arg(id));
        QVERIFY(samePixels(embedded, asset));
        const auto *bits = embedded.constBits();
        const auto *last = quorvel_palette_blob + kEmbeddedPictures[kEmbeddedPictureCount - 1].pixelsOffset;
        QVERIFY2(bits >= quorvel_palette_blob && bits <= last, "the picture's pixels were copied");
    }
    QVERIFY(paletteElementPicture(6).isNull());
    QCOMPARE(kEmbeddedPictureCount, 551);
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
