// Reading the decomposition file and the standalone-form file into the character tables.
#include "character_tables.h"
#include "data_fixture.h"

#include <QTest>

#include <QTemporaryFile>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace quorvel;
using quorvel::test::DataFixture;
using quorvel::test::DecompositionRecord;
using quorvel::test::failureOf;

namespace {

const QStringList kOnlyClosingRecord{QStringLiteral("9999,0,0")};

DecompositionRecord sample()
{
    DecompositionRecord r;
    r.code = 40001;
    r.elements = {3, 205, 1601, 9999, 9999, 9999, 9999, 9999, 9999};
    r.strokes = 12;
    r.kanji = QStringLiteral("漢纊");
    return r;
}

std::optional<RuntimeFailure> loadFailure()
{
    auto tables = std::make_unique<CharacterTables>();
    return failureOf([&] { loadCharacterTables(*tables); });
}

} // namespace

class TestCharacterTables : public QObject {
    Q_OBJECT

private slots:
    void tablesStartEmpty();
    void readsRowsAndIgnoresWhatFollows();
    void recordsAreJustTheNextTwelveFields();
    void elementFormsUpToTheClosingRecord();
    void laterRecordReplacesEarlierOne();
    void failures_data();
    void failures();
    void startUpRefusesWhatIsNoRegularFile_data();
    void startUpRefusesWhatIsNoRegularFile();
    void standaloneFormsFailWhenUsedNamingTheirPlace();
};

void TestCharacterTables::tablesStartEmpty()
{
    auto tables = std::make_unique<CharacterTables>();
    QCOMPARE(tables->DecompositionTable(1, 1), 0);
    QCOMPARE(tables->DecompositionTable(10, 10000), 0);
    QCOMPARE(tables->StrokeCounts(10000), std::int16_t(0));
    QVERIFY(tables->KanjiEquivalents(1).isEmpty());
    QVERIFY(tables->ElementForms(2, 9999).isEmpty());
    QCOMPARE(failureOf([&] { tables->ElementForms(3, 1); })->kind(), FailureKind::IndexOutOfRange);
    QCOMPARE(failureOf([&] { tables->ElementForms(1, 10000); })->kind(), FailureKind::IndexOutOfRange);
}

void TestCharacterTables::readsRowsAndIgnoresWhatFollows()
{
    DataFixture fixture;
    fixture.writeDecomposition([](int r) -> std::optional<DecompositionRecord> {
        if (r == 1 || r == kLoadedRows)
            return sample();
        return std::nullopt;
    });
    // Whatever follows record 2199 is never read, even when it could not be read.
    QFile file(fixture.filePath(kDecompositionFile));
    QVERIFY(file.open(QIODevice::Append));
    file.write("99999999999,x,\"unterminated\r\n");
    file.close();
    fixture.writeElementForms(kOnlyClosingRecord);

    auto tables = std::make_unique<CharacterTables>();
    const auto failure = failureOf([&] { loadCharacterTables(*tables); });
    QVERIFY2(!failure, failure ? qPrintable(failure->message()) : "");
    for (int row : {1, kLoadedRows}) {
        QCOMPARE(tables->DecompositionTable(1, row), 40001);
        QCOMPARE(tables->DecompositionTable(2, row), 3);
        QCOMPARE(tables->DecompositionTable(4, row), 1601);
        QCOMPARE(tables->DecompositionTable(10, row), 9999);
        QCOMPARE(tables->StrokeCounts(row), std::int16_t(12));
        QCOMPARE(tables->KanjiEquivalents(row), QStringLiteral("漢纊"));
    }
    QCOMPARE(tables->DecompositionTable(1, 2), 100002);
    QCOMPARE(tables->KanjiEquivalents(2), QStringLiteral("9999"));
    // Rows beyond the loaded ones keep code 0, element ids 0, stroke count 0 and the empty text.
    for (int c = 1; c <= 10; ++c)
        QCOMPARE(tables->DecompositionTable(c, kLoadedRows + 1), 0);
    QCOMPARE(tables->StrokeCounts(kLoadedRows + 1), std::int16_t(0));
    QVERIFY(tables->KanjiEquivalents(kLoadedRows + 1).isEmpty());
}

void TestCharacterTables::recordsAreJustTheNextTwelveFields()
{
    DataFixture fixture;
    // Record 1 over two lines reads as on one; line 3 has a thirteenth field, which becomes the
    // first field of record 3 and shifts every later record by one field.
    QString text = QStringLiteral("1,2,3,4,5,6\r\n7,8,9,10,11,一\r\n");
    text += QStringLiteral("2,9999,9999,9999,9999,9999,9999,9999,9999,9999,20,二,77\r\n");
    for (int r = 3; r <= kLoadedRows + 1; ++r)
        text += QStringLiteral("%1,9999,9999,9999,9999,9999,9999,9999,9999,9999,30,5\r\n").arg(r);
    fixture.writeText(kDecompositionFile, text);
    fixture.writeElementForms(kOnlyClosingRecord);

    auto tables = std::make_unique<CharacterTables>();
    const auto failure = failureOf([&] { loadCharacterTables(*tables); });
    QVERIFY2(!failure, failure ? qPrintable(failure->message()) : "");
    QCOMPARE(tables->DecompositionTable(1, 1), 1);
    QCOMPARE(tables->DecompositionTable(10, 1), 10);
    QCOMPARE(tables->StrokeCounts(1), std::int16_t(11));
    QCOMPARE(tables->KanjiEquivalents(1), QStringLiteral("一"));
    QCOMPARE(tables->KanjiEquivalents(2), QStringLiteral("二"));
    QCOMPARE(tables->DecompositionTable(1, 3), 77);
    QCOMPARE(tables->DecompositionTable(2, 3), 3);
    QCOMPARE(tables->StrokeCounts(3), std::int16_t(9999));
    QCOMPARE(tables->KanjiEquivalents(3), QStringLiteral("30"));
    QCOMPARE(tables->DecompositionTable(1, 4), 5);
}

void TestCharacterTables::elementFormsUpToTheClosingRecord()
{
    struct Case {
        const char *name;
        QStringList lines;
        std::int16_t id;
        UntypedValue first, second;
    };
    const Case cases[] = {
        {"closing record first: only it is stored", {"9999,40001,17", "3,5,6"}, 3, {}, {}},
        {"closing record stored under 9999",
         {"9999,40001,17", "3,5,6"},
         9999,
         UntypedValue::number(40001),
         UntypedValue::number(17)},
        {"records after the closing one are ignored", {"3,5,6", "9999,,", "4,7,8", "junk"}, 4, {}, {}},
        {"an ordinary record", {"3,5,6", "9999,,"}, 3, UntypedValue::number(5), UntypedValue::number(6)},
        {"empty fields are empty values", {"3,,0", "9999,,"}, 3, {}, UntypedValue::number(0)},
        {"an unlisted element has no forms", {"3,5,6", "9999,1,2"}, 205, {}, {}},
        {"a quoted value is a text",
         {"3,\"88\",6", "9999,,"},
         3,
         UntypedValue::text("88"),
         UntypedValue::number(6)},
    };
    for (const Case &c : cases) {
        DataFixture fixture;
        fixture.writeDecomposition();
        fixture.writeElementForms(c.lines);
        auto tables = std::make_unique<CharacterTables>();
        const auto failure = failureOf([&] { loadCharacterTables(*tables); });
        QVERIFY2(!failure, c.name);
        QVERIFY2(tables->ElementForms(1, c.id) == c.first, c.name);
        QVERIFY2(tables->ElementForms(2, c.id) == c.second, c.name);
    }
}

void TestCharacterTables::laterRecordReplacesEarlierOne()
{
    DataFixture fixture;
    fixture.writeDecomposition();
    fixture.writeElementForms({"3,5,6", "205,1,2", "3,,70000", "9999,0,0"});
    auto tables = std::make_unique<CharacterTables>();
    QVERIFY(!failureOf([&] { loadCharacterTables(*tables); }));
    QVERIFY(tables->ElementForms(1, 3).isEmpty());
    QVERIFY(tables->ElementForms(2, 3) == UntypedValue::number(70000));
    QVERIFY(tables->ElementForms(1, 205) == UntypedValue::number(1));
}

void TestCharacterTables::failures_data()
{
    QTest::addColumn<int>("records");       // decomposition records written; -1: no file
    QTest::addColumn<int>("badRow");        // a row given `badField`, 0: none
    QTest::addColumn<QString>("badField");  // the row's line
    QTest::addColumn<QStringList>("forms"); // standalone-form lines; empty: no file
    QTest::addColumn<FailureKind>("kind");
    QTest::addColumn<QString>("where");

    const QStringList fine = kOnlyClosingRecord;
    const QString nine = QStringLiteral(",9999,9999,9999,9999,9999,9999,9999,9999,9999");
    QTest::newRow("no decomposition file")
        << -1 << 0 << "" << fine << FailureKind::FileNotFound << "文字分解表.csv";
    QTest::newRow("short decomposition file")
        << kLoadedRows - 1 << 0 << "" << fine << FailureKind::PastEndOfFile
        << "\"文字分解表.csv\" 2199 件目の 1 番目";
    QTest::newRow("code beyond 32 bits")
        << kLoadedRows << 5 << QStringLiteral("2147483648") + nine + ",4,x" << fine << FailureKind::Overflow
        << "\"文字分解表.csv\" 5 件目の 1 番目";
    QTest::newRow("element id beyond 32 bits")
        << kLoadedRows << 7 << "1,2,-2147483649,9999,9999,9999,9999,9999,9999,9999,4,x" << fine
        << FailureKind::Overflow << "7 件目の 3 番目";
    QTest::newRow("stroke count beyond 16 bits")
        << kLoadedRows << 2199 << QStringLiteral("1") + nine + ",32768,x" << fine << FailureKind::Overflow
        << "2199 件目の 11 番目";
    QTest::newRow("no standalone-form file")
        << kLoadedRows << 0 << "" << QStringList() << FailureKind::FileNotFound << "文字要素.csv";
    QTest::newRow("no closing record") << kLoadedRows << 0 << "" << QStringList{"3,5,6", "4,7,8"}
                                       << FailureKind::PastEndOfFile << "\"文字要素.csv\" 3 件目の 1 番目";
    QTest::newRow("closing record cut short") << kLoadedRows << 0 << "" << QStringList{"3,5,6", "9999,1"}
                                              << FailureKind::PastEndOfFile << "2 件目の 3 番目";
    QTest::newRow("element id beyond 16 bits") << kLoadedRows << 0 << "" << QStringList{"40000,1,2", "9999,,"}
                                               << FailureKind::Overflow << "1 件目の 1 番目";
    // The id is tested before its values are read: a last record of just "0" fails on the index.
    QTest::newRow("element id 0") << kLoadedRows << 0 << "" << QStringList{"3,5,6", "0"}
                                  << FailureKind::IndexOutOfRange
                                  << "\"文字要素.csv\" 2 件目の 1 番目の項目 (2 行目): 要素番号 0";
    QTest::newRow("negative element id")
        << kLoadedRows << 0 << "" << QStringList{"-3,5,6", "9999,,"} << FailureKind::IndexOutOfRange
        << "1 件目の 1 番目の項目 (1 行目): 要素番号 -3";
    QTest::newRow("element id 10000") << kLoadedRows << 0 << "" << QStringList{"10000,5,6", "9999,,"}
                                      << FailureKind::IndexOutOfRange << "要素番号 10000";

    // Broken or planted files fail at once where the fault stands, and quote only a field's head.
    QTest::newRow("10 MB line of digits without a comma")
        << kLoadedRows << 1 << QString(10'000'000, u'7') << fine << FailureKind::Overflow
        << "\"文字分解表.csv\" 1 件目の 1 番目の項目 (1 行目): \"" + QString(40, u'7') + "…\"";
    QTest::newRow("huge text field") << kLoadedRows << 1
                                     << QStringLiteral("1") + nine + ",4," + QString(1'000'000, u'字') << fine
                                     << FailureKind::Overflow
                                     << "1 件目の 12 番目の項目 (1 行目): 項目が 4096 文字を超えています";
    QTest::newRow("unclosed quote at record 10")
        << kLoadedRows << 10 << QStringLiteral("1") + nine + ",4,\"abc" << fine << FailureKind::Overflow
        << "10 件目の 12 番目の項目 (10 行目): 引用符が閉じられないまま 4096 文字を超えています";
    QTest::newRow("letter in a code")
        << kLoadedRows << 3 << QStringLiteral("12x45") + nine + ",4,x" << fine << FailureKind::TypeMismatch
        << "3 件目の 1 番目の項目 (3 行目): \"12x45\" は整数ではありません (3 文字目の \"x\")";
}

void TestCharacterTables::failures()
{
    QFETCH(int, records);
    QFETCH(int, badRow);
    QFETCH(QString, badField);
    QFETCH(QStringList, forms);
    QFETCH(FailureKind, kind);
    QFETCH(QString, where);

    DataFixture fixture;
    if (records >= 0) {
        fixture.writeText(kDecompositionFile, QString());
        QString text;
        for (int r = 1; r <= records; ++r)
            text +=
                (r == badRow ? badField : quorvel::test::fillerRecord(r).toLine()) + QStringLiteral("\r\n");
        fixture.writeText(kDecompositionFile, text);
    }
    if (!forms.isEmpty())
        fixture.writeElementForms(forms);

    const auto failure = loadFailure();
    QVERIFY(failure);
    QCOMPARE(failure->kind(), kind);
    QVERIFY2(failure->message().contains(where), qPrintable(failure->message().left(300)));
    QVERIFY2(failure->message().size() < 300, qPrintable(failure->message().left(300)));
}

void TestCharacterTables::startUpRefusesWhatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("node");
    QTest::newRow("FIFO as the decomposition file") << kDecompositionFile << "fifo";
    QTest::newRow("FIFO as the standalone-form file") << kElementFormsFile << "fifo";
    QTest::newRow("/dev/zero as the decomposition file") << kDecompositionFile << "device";
}

// Start-up must fail at once: a reader waiting for a FIFO's writer, or reading a device without
// end, would hang the program before its window is shown.
void TestCharacterTables::startUpRefusesWhatIsNoRegularFile()
{
    QFETCH(QString, file);
    QFETCH(QString, node);
    DataFixture fixture;
    fixture.writeDecomposition();
    fixture.writeElementForms(kOnlyClosingRecord);
    const QByteArray path = QFile::encodeName(fixture.filePath(file));
    QVERIFY(QFile::remove(fixture.filePath(file)));
    if (node == u"fifo")
        QCOMPARE(::mkfifo(path.constData(), 0600), 0);
    else
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), fixture.filePath(file)));

    auto loading = std::async(std::launch::async, [] { return loadFailure(); });
    if (loading.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        if (node == u"fifo") {
            // Release the reader so that the test can end and report.
            const int writer = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0)
                ::close(writer);
            loading.wait();
            QFAIL("start-up waited for the FIFO");
        }
        qFatal("start-up still reads the device after 20 s");
    }
    const auto failure = loading.get();
    QVERIFY(failure);
    QCOMPARE(failure->kind(), FailureKind::PathFileAccess);
    QVERIFY2(failure->message().contains(file), qPrintable(failure->message()));
}

void TestCharacterTables::standaloneFormsFailWhenUsedNamingTheirPlace()
{
    DataFixture fixture;
    fixture.writeDecomposition();
    fixture.writeElementForms({"3,5,6", "205,\"abc\",3000000000", "\r\n206,\"\",0", "9999,,"});
    auto tables = std::make_unique<CharacterTables>();
    const auto loading = failureOf([&] { loadCharacterTables(*tables); });
    QVERIFY2(!loading, loading ? qPrintable(loading->message()) : ""); // nothing fails at start-up

    struct Case {
        const char *name;
        std::function<void()> use;
        FailureKind kind;
        QString where;
    };
    const Case cases[] = {
        {"a text compared with 0", [&] { tables->ElementForms(1, 205).equalsZero(); },
         FailureKind::TypeMismatch,
         "\"文字要素.csv\" 2 件目の 2 番目の項目 (2 行目): \"abc\" は数値ではありません"},
        {"a number beyond 32 bits", [&] { tables->ElementForms(2, 205).toInt32(); }, FailureKind::Overflow,
         "\"文字要素.csv\" 2 件目の 3 番目の項目 (2 行目): 3000000000 は32ビット整数に収まりません"},
        {"an empty quoted text", [&] { tables->ElementForms(1, 206).toNumberText(); },
         FailureKind::TypeMismatch,
         "\"文字要素.csv\" 3 件目の 2 番目の項目 (4 行目): \"\" は数値ではありません"},
    };
    for (const Case &c : cases) {
        const auto failure = failureOf(c.use);
        QVERIFY2(failure, c.name);
        QCOMPARE(failure->kind(), c.kind);
        QVERIFY2(failure->message().contains(c.where), qPrintable(failure->message()));
    }
    // Where a value came from plays no part in comparing it.
    QVERIFY(tables->ElementForms(1, 3) == UntypedValue::number(5));
}

QTEST_GUILESS_MAIN(TestCharacterTables)
#include "tst_character_tables.moc"
