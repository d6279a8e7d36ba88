#include "input_file.h"

#include "runtime_failure.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {
namespace {

QString kindOfNode(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("フォルダー");
    if (S_ISFIFO(mode))
        return QStringLiteral("FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("ソケット");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("デバイス");
    return QStringLiteral("特殊ファイル");
}

[[noreturn]] void notRegular(const QString &path, mode_t mode)
{
    raiseFailure(FailureKind::PathFileAccess,
                 QStringLiteral("\"%1\" は通常のファイルではありません (%2)").arg(path, kindOfNode(mode)));
}

[[noreturn]] void failOpen(int error, const QString &path)
{
    const QString where = QStringLiteral("\"%1\"").arg(path);
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        raiseFailure(FailureKind::FileNotFound, where);
    case EACCES:
    case EPERM:
        raiseFailure(FailureKind::PermissionDenied, where);
    default:
        // A socket, for one, cannot be opened at all: say what stands there.
        if (struct stat node{};
            ::stat(QFile::encodeName(path).constData(), &node) == 0 && !S_ISREG(node.st_mode))
            notRegular(path, node.st_mode);
        raiseFailure(FailureKind::PathFileAccess, where + QStringLiteral(" (エラー番号 %1)").arg(error));
    }
}

} // namespace

void openInputFile(QFile &file, const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    // Non-blocking, so that a FIFO without a writer cannot hold the open; the node is then looked
    // at through the descriptor, so nothing can swap it between the test and the read.
    int fd = -1;
    do {
        fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        failOpen(errno, path);
    struct stat node {};
    if (::fstat(fd, &node) != 0) {
        const int error = errno;
        ::close(fd);
        failOpen(error, path);
    }
    if (!S_ISREG(node.st_mode)) {
        ::close(fd);
        notRegular(path, node.st_mode);
    }
    // Regular files never block; plain reads from here on.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // Unbuffered: both readers read in blocks of their own, and nothing is read past what they ask.
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        failOpen(EIO, path);
    }
}

} // namespace quorvel
