// GIF pictures, the image control that shows them, and the element pictures compiled in.
#include "data_fixture.h"
#include "gif_picture.h"
#include "gif_writer.h"
#include "image_control.h"
#include "palette_pictures.h"
#include "palette_pictures_data.h"

#include <QFile>
#include <QPainter>
#include <QTest>

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
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("why"); // a part of the message, where the reason matters
    const QByteArray good = quorvel::tools::encodeGif(twoColour(300, 300));
    QTest::newRow("missing") << QByteArray("missing") << int(FailureKind::FileNotFound) << QString();
    QTest::newRow("not a GIF") << QByteArray("GIF? no, a text file") << int(FailureKind::BadPicture)
                               << QString();
    QTest::newRow("empty") << QByteArray() << int(FailureKind::BadPicture) << QString();
    QTest::newRow("header only") << good.left(13) << int(FailureKind::BadPicture) << QString();
    QTest::newRow("cut in half") << good.left(good.size() / 2) << int(FailureKind::BadPicture) << QString();
    QTest::newRow("cut near the end")
        << good.left(good.size() - 12) << int(FailureKind::BadPicture) << QString();
    QTest::newRow("no image") << QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff;", 20)
                              << int(FailureKind::BadPicture) << QString();
    QTest::newRow("beyond the allocation limit") << hugeHeader(65535, 65535) << int(FailureKind::BadPicture)
                                                 << QStringLiteral("65535 x 65535 は大きすぎます");
    // A screen without width takes the frame's width; with the screen's height that is too large.
    QTest::newRow("zero-width screen, tall canvas")
        << QByteArray::fromBase64("R0lGODlhAAD+/4AAAAAHAP///ywAAAAAAoMAAgAAAgKEUQA6")
        << int(FailureKind::BadPicture) << QStringLiteral("33538 x 65534 は大きすぎます");
}

void TestPictures::rejectsBadFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, kind);
    QFETCH(QString, why);
    DataFixture fixture;
    if (bytes != "missing")
        fixture.writeBytes("bad.gif", bytes);
    const auto failure = failureOf([&] { loadGifPicture(fixture.filePath("bad.gif")); });
    QVERIFY(failure);
    QCOMPARE(int(failure->kind()), kind);
    QVERIFY2(failure->message().contains(fixture.filePath("bad.gif")), qPrintable(failure->message()));
    QVERIFY2(failure->message().contains(why), qPrintable(failure->message()));
}

void TestPictures::loadsManyAtOnceInOrder()
{
    DataFixture fixture;
    fixture.writeGlyphs({1, 2, 3, 5});
    QStringList paths;
    for (int code : {3, 1, 4, 2, 5, 3})
        paths << fixture.glyphPath(code);
    const std::vector<LoadedPicture> loaded = loadGifPictures(paths);
    QCOMPARE(loaded.size(), std::size_t(6));
    const int expected[] = {3, 1, -1, 2, 5, 3};
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        if (expected[i] < 0) {
            const auto failure = failureOf([&] { loaded[i].take(); });
            QVERIFY(failure && failure->message().contains(QStringLiteral("4.gif")));
        } else {
            QCOMPARE(quorvel::test::codeShownBy(loaded[i].take()), expected[i]);
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
