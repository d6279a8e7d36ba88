// Draws the palette's element pictures: one two-colour GIF per element id.
#include "elements.h"
#include "gif_writer.h"
#include "palette_pages.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_element_pictures <outdir>\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "draw_element_pictures: cannot create %s\n", argv[1]);
        return 1;
    }
    try {
        int written = 0;
        for (int page = 0; page < quorvel::kPaletteCount; ++page) {
            const auto ids = quorvel::paletteIds(page);
            for (std::size_t i = 0; i < ids.size(); ++i) {
                const QImage picture = quorvel::art::drawElement(ids[i], page, static_cast<int>(i));
                quorvel::tools::writeGif(QDir(outDir).filePath(QString::number(ids[i]) + ".gif"), picture);
                ++written;
            }
        }
        std::printf("draw_element_pictures: wrote %d pictures to %s\n", written, argv[1]);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "draw_element_pictures: %s\n", error.what());
        return 1;
    }
    return 0;
}
