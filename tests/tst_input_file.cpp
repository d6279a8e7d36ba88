// Opening data and glyph files: only regular files are read, and nothing waits on a FIFO.
#include "data_fixture.h"
#include "input_file.h"

#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quorvel;
using quorvel::test::DataFixture;
using quorvel::test::failureOf;

class TestInputFile : public QObject {
    Q_OBJECT

private slots:
    void opensARegularFileAndReadsIt();
    void refusesWhatIsNoRegularFile_data();
    void refusesWhatIsNoRegularFile();
    void aFileThatMayNotBeReadSaysSo();
};

void TestInputFile::opensARegularFileAndReadsIt()
{
    DataFixture fixture;
    fixture.writeBytes(QStringLiteral("a.csv"), "1,2\r\n");
    QFile file;
    openInputFile(file, QStringLiteral("./a.csv"));
    QCOMPARE(file.readAll(), QByteArray("1,2\r\n"));
}

void TestInputFile::refusesWhatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<FailureKind>("kind");
    QTest::addColumn<QString>("detail");
    QTest::newRow("missing") << "missing" << FailureKind::FileNotFound << "\"./x\"";
    QTest::newRow("missing folder") << "missing folder" << FailureKind::FileNotFound << "\"./x\"";
    QTest::newRow("folder") << "folder" << FailureKind::PathFileAccess << "フォルダー";
    QTest::newRow("FIFO without a writer") << "fifo" << FailureKind::PathFileAccess << "FIFO";
    QTest::newRow("link to /dev/zero") << "device" << FailureKind::PathFileAccess << "デバイス";
    QTest::newRow("socket") << "socket" << FailureKind::PathFileAccess << "ソケット";
}

void TestInputFile::refusesWhatIsNoRegularFile()
{
    QFETCH(QString, node);
    QFETCH(FailureKind, kind);
    QFETCH(QString, detail);
    DataFixture fixture;
    QString path = QStringLiteral("./x");
    int socketFd = -1;
    if (node == u"missing folder") {
        fixture.writeBytes(QStringLiteral("file"), "");
        path = QStringLiteral("./file/x");
        detail = QStringLiteral("\"./file/x\"");
    } else if (node == u"folder") {
        QVERIFY(QDir().mkdir(QStringLiteral("x")));
    } else if (node == u"fifo") {
        QCOMPARE(::mkfifo("x", 0600), 0);
    } else if (node == u"device") {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), QStringLiteral("x")));
    } else if (node == u"socket") {
        socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(fixture.filePath(QStringLiteral("x")));
        QVERIFY(name.size() < qsizetype(sizeof address.sun_path));
        std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
        QCOMPARE(::bind(socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    }
    QFile file;
    const auto failure = failureOf([&] { openInputFile(file, path); });
    if (socketFd >= 0)
        ::close(socketFd);
    QVERIFY(failure);
    QCOMPARE(failure->kind(), kind);
    QVERIFY2(failure->where().contains(detail), qPrintable(failure->message()));
    QVERIFY(!file.isOpen());
}

// Root reads every file, so the check runs in a child that has given up root where it can.
void TestInputFile::aFileThatMayNotBeReadSaysSo()
{
    DataFixture fixture;
    fixture.writeBytes(QStringLiteral("secret.csv"), "1\r\n");
    // The folder open to all, so that only the file itself is refused.
    QVERIFY(QFile::setPermissions(fixture.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                      QFileDevice::ExeOther));
    QVERIFY(QFile::setPermissions(fixture.filePath(QStringLiteral("secret.csv")), QFileDevice::WriteOwner));
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            ::_exit(3);
        QFile file;
        const auto failure = failureOf([&] { openInputFile(file, QStringLiteral("./secret.csv")); });
        ::_exit(failure && failure->kind() == FailureKind::PermissionDenied &&
                        failure->where().contains(u"secret.csv")
                    ? 0
                    : 1);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
}

QTEST_GUILESS_MAIN(TestInputFile)
#include "tst_input_file.moc"
