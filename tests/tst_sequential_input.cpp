// Sequential input of comma-separated fields in code page 932.
#include "data_fixture.h"
#include "run_locale.h"
#include "sequential_input.h"

#include <QTest>

#include <atomic>
#include <cstdlib>
#include <new>

using namespace quorvel;
using quorvel::test::DataFixture;
using quorvel::test::failureOf;

// Global allocation, which a test can make fail once, as when memory runs out.
namespace {
std::atomic<bool> failNextAllocation{false};
}

void *operator new(std::size_t size)
{
    if (failNextAllocation.exchange(false))
        throw std::bad_alloc();
    if (void *p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void *p) noexcept
{
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

// Reads `plan` (one letter a field: i = 32-bit, s = 16-bit, t = text, u = untyped) and renders
// each value: a number as digits, a text as [text], an untyped value as empty, n:number or t:text.
QStringList readPlan(SequentialInput &input, const QString &plan)
{
    QStringList values;
    int field = 0;
    for (QChar kind : plan) {
        const FieldPlace place{1, ++field};
        if (kind == u'i') {
            values << QString::number(input.readInt32(place));
        } else if (kind == u's') {
            values << QString::number(input.readInt16(place));
        } else if (kind == u't') {
            values << u'[' + input.readText(place) + u']';
        } else {
            const UntypedValue v = input.readUntyped(place);
            values << (v.isEmpty()    ? QStringLiteral("empty")
                       : v.isNumber() ? QStringLiteral("n:") + v.toNumberText().trimmed()
                                      : QStringLiteral("t:") + v.textValue());
        }
    }
    return values;
}

} // namespace

class TestSequentialInput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QUORVEL_CHECK_RUN_LOCALE(); }
    void fieldSyntax_data();
    void fieldSyntax();
    void decodesCodePage932();
    void decodesAcrossChunkBoundaries();
    void failures_data();
    void failures();
    void missingFile();
    void runningOutOfMemoryNamesThePlace();
};

void TestSequentialInput::fieldSyntax_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("plan");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("CRLF ends a line")
        << QByteArray("1,2\r\n3,4\r\n") << "iiii" << QStringList{"1", "2", "3", "4"};
    QTest::newRow("LF ends a line") << QByteArray("1,2\n3") << "iii" << QStringList{"1", "2", "3"};
    QTest::newRow("CR alone ends a line") << QByteArray("1,2\r3") << "iii" << QStringList{"1", "2", "3"};
    QTest::newRow("blank lines are skipped")
        << QByteArray("1\r\n\r\n  \r\n\n2") << "ii" << QStringList{"1", "2"};
    QTest::newRow("records need not follow lines")
        << QByteArray("1,2,\r\n3\r\n4,5") << "iiiii" << QStringList{"1", "2", "0", "3", "4"};
    QTest::newRow("blanks around unquoted fields")
        << QByteArray("  5 ,\t6\t, a b  \r\n") << "iit" << QStringList{"5", "6", "[a b]"};
    QTest::newRow("empty numeric field reads 0")
        << QByteArray(",7,,") << "iiii" << QStringList{"0", "7", "0", "0"};
    QTest::newRow("signs and leading zeros") << QByteArray("-2147483648,+12,007,-32768") << "iiis"
                                             << QStringList{"-2147483648", "12", "7", "-32768"};
    QTest::newRow("quoted text holds commas")
        << QByteArray("\"a,b\",c") << "tt" << QStringList{"[a,b]", "[c]"};
    QTest::newRow("doubled quote is one quote")
        << QByteArray("\"say \"\"hi\"\"\",x") << "tt" << QStringList{"[say \"hi\"]", "[x]"};
    QTest::newRow("quoted text keeps blanks and line ends")
        << QByteArray("\" a\r\nb \",1") << "ti" << QStringList{"[ a\r\nb ]", "1"};
    QTest::newRow("quoted number in a numeric place")
        << QByteArray("\"12\",\"\"") << "ii" << QStringList{"12", "0"};
    QTest::newRow("untyped values") << QByteArray("12,,\"34\",abc,-1.5, \"\"") << "uuuuuu"
                                    << QStringList{"n:12", "empty", "t:34", "t:abc", "n:-1.5", "t:"};
    QTest::newRow("untyped fraction")
        << QByteArray("32347.4,.5") << "uu" << QStringList{"n:32347.4", "n:0.5"};
    QTest::newRow("text 9999 stays text") << QByteArray("9999") << "t" << QStringList{"[9999]"};
    QTest::newRow("leading zeros are not significant")
        << QByteArray("00000000002147483647,-0000032768") << "is" << QStringList{"2147483647", "-32768"};
    QTest::newRow("a field of the bound's length")
        << QByteArray(SequentialInput::kFieldBound, 'a') + ",\"" +
               QByteArray(SequentialInput::kFieldBound - 1, 'b') + "\"\"\""
        << "tt"
        << QStringList{u'[' + QString(SequentialInput::kFieldBound, u'a') + u']',
                       u'[' + QString(SequentialInput::kFieldBound - 1, u'b') + QStringLiteral("\"]")};
    QTest::newRow("blank lines up to the bound between records")
        << "1\r\n" + QByteArray(SequentialInput::kFieldBound, '\n') + "2"
        << "ii" << QStringList{"1", "2"};
}

void TestSequentialInput::fieldSyntax()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, plan);
    QFETCH(QStringList, values);
    DataFixture fixture;
    fixture.writeBytes("in.csv", bytes);
    SequentialInput input("./in.csv");
    QStringList got;
    const auto failure = failureOf([&] { got = readPlan(input, plan); });
    QVERIFY2(!failure, failure ? qPrintable(failure->message()) : "");
    QCOMPARE(got, values);
}

void TestSequentialInput::decodesCodePage932()
{
    DataFixture fixture;
    // 0x8160 is the wave dash as Windows decodes it (U+FF5E), 0x8740 the NEC circled one,
    // 0xED40 an NEC-selected IBM kanji, 0xFA40 an IBM extension, and 0x5C a trail byte of 表.
    fixture.writeBytes("in.csv", QByteArray("\x81\x60,\x87\x40,\xED\x40,\xFA\x40,\x95\x5C\x8E\x9A\r\n"));
    SequentialInput input("./in.csv");
    const QStringList got = readPlan(input, "ttttt");
    QCOMPARE(got, (QStringList{QString(QChar(0xFF5E)).prepend(u'[').append(u']'), QStringLiteral("[①]"),
                               QStringLiteral("[纊]"), QStringLiteral("[ⅰ]"), QStringLiteral("[表字]")}));
}

void TestSequentialInput::decodesAcrossChunkBoundaries()
{
    DataFixture fixture;
    // Double-byte characters straddle every chunk boundary the reader may use.
    QByteArray bytes;
    QString expected;
    for (int i = 0; i < 40000; ++i) {
        bytes += i % 7 == 0 ? QByteArray("\x8a\xbf\x8e\x9a,") : QByteArray("\x82\xa0,");
        expected += i % 7 == 0 ? QStringLiteral("漢字") : QStringLiteral("あ");
    }
    bytes += "end";
    fixture.writeBytes("in.csv", bytes);
    SequentialInput input("./in.csv");
    QString got;
    for (int i = 0; i < 40000; ++i)
        got += input.readText({i + 1, 1});
    QCOMPARE(got, expected);
    QCOMPARE(input.readText({40001, 1}), QStringLiteral("end"));
}

void TestSequentialInput::failures_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("plan");
    QTest::addColumn<FailureKind>("kind");
    QTest::addColumn<QString>("where");
    QTest::newRow("past the end") << QByteArray("1,2\r\n") << "iii" << FailureKind::PastEndOfFile
                                  << "\"in.csv\" 1 件目の 3 番目の項目";
    QTest::newRow("past the end of blank lines")
        << QByteArray("1\r\n\r\n\r\n") << "ii" << FailureKind::PastEndOfFile << "2 番目の項目";
    QTest::newRow("empty file") << QByteArray() << "t" << FailureKind::PastEndOfFile << "1 番目";
    QTest::newRow("int32 overflow") << QByteArray("1,2147483648") << "ii" << FailureKind::Overflow
                                    << "2 番目の項目 (1 行目): \"2147483648\"";
    QTest::newRow("int32 underflow") << QByteArray("-2147483649") << "i" << FailureKind::Overflow << "";
    QTest::newRow("huge digits") << QByteArray("99999999999999999999999999") << "i" << FailureKind::Overflow
                                 << "";
    QTest::newRow("int16 overflow") << QByteArray("\r\n\r\n32768") << "s" << FailureKind::Overflow
                                    << "(3 行目)";
    QTest::newRow("fraction in an integer place")
        << QByteArray("12.5") << "i" << FailureKind::TypeMismatch << "\"12.5\"";
    QTest::newRow("letters in an integer place")
        << QByteArray("x1") << "s" << FailureKind::TypeMismatch << "\"x1\"";
    QTest::newRow("sign alone") << QByteArray("-") << "i" << FailureKind::TypeMismatch << "";
    QTest::newRow("letter inside a number") << QByteArray("12x45") << "i" << FailureKind::TypeMismatch
                                            << "\"12x45\" は整数ではありません (3 文字目の \"x\")";
    QTest::newRow("blank inside a number")
        << QByteArray("1 2") << "i" << FailureKind::TypeMismatch << "(3 文字目の \"2\")";
    QTest::newRow("quoted blank before a number")
        << QByteArray("\" 12\"") << "s" << FailureKind::TypeMismatch << "(1 文字目の \" \")";
    QTest::newRow("sign inside a number")
        << QByteArray("1-2") << "i" << FailureKind::TypeMismatch << "(2 文字目の \"-\")";
    QTest::newRow("a digit too many for 16 bits")
        << QByteArray("000123456") << "s" << FailureKind::Overflow << "は 5 桁を超えていて範囲外です";
    QTest::newRow("text past the bound") << QByteArray(SequentialInput::kFieldBound + 1, 'a') << "t"
                                         << FailureKind::Overflow << "項目が 4096 文字を超えています: \"aaaa";
    QTest::newRow("untyped value past the bound") << QByteArray(SequentialInput::kFieldBound + 1, '7') << "u"
                                                  << FailureKind::Overflow << "4096 文字を超えています";
    QTest::newRow("blanks after a number past the bound")
        << "1" + QByteArray(SequentialInput::kFieldBound, ' ') + ","
        << "i" << FailureKind::Overflow << "4096 文字を超えています";
    QTest::newRow("quote not closed within the bound")
        << "1\r\n\"" + QByteArray(2 * SequentialInput::kFieldBound, 'q') + "\""
        << "it" << FailureKind::Overflow << "(2 行目): 引用符が閉じられないまま";
    QTest::newRow("closed quote, then text past the bound")
        << "\"a\"" + QByteArray(SequentialInput::kFieldBound, 'b') << "t" << FailureKind::Overflow
        << "(1 行目): 項目が 4096 文字を超えています: \"abbb";
    QTest::newRow("blanks before a field past the bound")
        << "1," + QByteArray(SequentialInput::kFieldBound + 1, ' ') + "2"
        << "ii" << FailureKind::Overflow
        << "2 番目の項目 (1 行目): 項目の前の空白か空行が 4096 文字を超えています";
    QTest::newRow("blank lines past the bound")
        << "1\r\n" + QByteArray(SequentialInput::kFieldBound + 1, '\n') + "2"
        << "ii" << FailureKind::Overflow << "2 番目の項目 (2 行目): 項目の前の空白か空行が";
    QTest::newRow("blanks after a closing quote past the bound")
        << "\"a\"" + QByteArray(SequentialInput::kFieldBound, ' ') + "b"
        << "t" << FailureKind::Overflow << "(1 行目): 項目が 4096 文字を超えています: \"a\"";
    QTest::newRow("unterminated quote")
        << QByteArray("\"abc,1\r\n2") << "t" << FailureKind::PastEndOfFile << "引用符";
}

void TestSequentialInput::failures()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, plan);
    QFETCH(FailureKind, kind);
    QFETCH(QString, where);
    DataFixture fixture;
    fixture.writeBytes("in.csv", bytes);
    SequentialInput input("./in.csv");
    const auto failure = failureOf([&] { readPlan(input, plan); });
    QVERIFY(failure);
    QCOMPARE(failure->kind(), kind);
    QVERIFY2(failure->where().contains(where), qPrintable(failure->message()));
    QVERIFY(failure->where().contains(QStringLiteral("in.csv")));
    QVERIFY2(failure->message().size() < 200, qPrintable(failure->message())); // a field's head at most
}

void TestSequentialInput::missingFile()
{
    DataFixture fixture;
    const auto failure = failureOf([] { SequentialInput input("./nothing.csv"); });
    QVERIFY(failure);
    QCOMPARE(failure->kind(), FailureKind::FileNotFound);
    QVERIFY(failure->message().contains(QStringLiteral("nothing.csv")));
    QVERIFY(failure->message().startsWith(QStringLiteral("ファイルが見つかりません")));
}

void TestSequentialInput::runningOutOfMemoryNamesThePlace()
{
    DataFixture fixture;
    fixture.writeBytes("in.csv", "1,2\r\n3,abc\r\n");
    SequentialInput input("./in.csv");
    QCOMPARE(readPlan(input, "iii"), (QStringList{"1", "2", "3"}));
    std::optional<RuntimeFailure> failure;
    try {
        failNextAllocation = true;
        input.readUntyped({2, 2});
    } catch (const RuntimeFailure &raised) {
        failure = raised;
    } catch (const std::bad_alloc &) {
    }
    failNextAllocation = false;
    QVERIFY(failure);
    QCOMPARE(failure->kind(), FailureKind::OutOfMemory);
    QVERIFY2(failure->where().contains(QStringLiteral("\"in.csv\" 2 件目の 2 番目の項目")),
             qPrintable(failure->message()));
}

QTEST_GUILESS_MAIN(TestSequentialInput)
#include "tst_sequential_input.moc"
