#include "scaled_picture.h"

#include <QHash>

namespace quorvel {
namespace {

struct Key {
    qint64 picture;
    int width;
    int height;
    bool operator==(const Key &) const = default;
};

size_t qHash(const Key &key, size_t seed = 0)
{
    return qHashMulti(seed, key.picture, key.width, key.height);
}

QHash<Key, QImage> &registered()
{
    static QHash<Key, QImage> pictures;
    return pictures;
}

} // namespace

QImage scaledPicture(const Picture &picture, const QSize &size)
{
    const auto it = registered().constFind(Key{picture.cacheKey(), size.width(), size.height()});
    if (it != registered().constEnd())
        return *it;
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void registerScaledPicture(const Picture &picture, const QImage &scaled)
{
    registered().insert(Key{picture.cacheKey(), scaled.width(), scaled.height()}, scaled);
}

} // namespace quorvel
