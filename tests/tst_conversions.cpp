// Number and text conversions, checked narrowing, checked tables and untyped values.
#include "checked_array.h"
#include "conversions.h"
#include "data_fixture.h"
#include "run_locale.h"
#include "untyped_value.h"

#include <QTemporaryFile>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <limits>
#include <optional>

using namespace quorvel;
using quorvel::test::failureOf;

Q_DECLARE_METATYPE(quorvel::UntypedValue)

class TestConversions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QUORVEL_CHECK_RUN_LOCALE(); }
    void numberToText_data();
    void numberToText();
    void textToNumber_data();
    void textToNumber();
    void narrowing();
    void checkedArraysNameTheFailingIndex();
    void checkedArraysStoreOnlyWhatIsReached();
    void untypedComparedWithZero_data();
    void untypedComparedWithZero();
    void untypedToText_data();
    void untypedToText();
    void untypedToInt32_data();
    void untypedToInt32();
    void failureMessageReachesStandardErrorWhole();
};

void TestConversions::numberToText_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("positive has a leading blank") << qint64(25) << " 25";
    QTest::newRow("zero") << qint64(0) << " 0";
    QTest::newRow("negative has a minus sign, no blank") << qint64(-25) << "-25";
    QTest::newRow("above 16 bits") << qint64(40000) << " 40000";
    QTest::newRow("int32 minimum") << qint64(std::numeric_limits<std::int32_t>::min()) << "-2147483648";
}

void TestConversions::numberToText()
{
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(quorvel::numberToText(static_cast<std::int64_t>(value)), text);
    QCOMPARE(quorvel::numberToText(static_cast<double>(value)), text);
}

void TestConversions::textToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("fraction") << "12.5" << 12.5;
    QTest::newRow("blanks before") << " 7" << 7.0;
    QTest::newRow("tab before") << "\t9" << 9.0;
    QTest::newRow("leading zeros") << "007" << 7.0;
    QTest::newRow("whole fraction") << "7.0" << 7.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("nashi with blank") << "なし " << 0.0;
    QTest::newRow("nashi") << "なし" << 0.0;
    QTest::newRow("number then letters") << "12abc" << 12.0;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("plus sign") << "+4" << 4.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("dangling exponent") << "2e" << 2.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("full-width digits are no number") << "１２" << 0.0;
    QTest::newRow("blank inside ends the number") << "1 2" << 1.0;
    QTest::newRow("negative fraction") << "-0.75" << -0.75;
    QTest::newRow("point last") << "5." << 5.0;
    QTest::newRow("comma is no decimal point") << "12,5" << 12.0;
    QTest::newRow("fraction with exponent") << "2.5e-1" << 0.25;
    QTest::newRow("beyond the double range") << "1e400" << std::numeric_limits<double>::infinity();
    QTest::newRow("beyond the double range, negative")
        << "-1e400" << -std::numeric_limits<double>::infinity();
    QTest::newRow("long beyond the double range")
        << "9" + QString(320, u'9') + ".5" << std::numeric_limits<double>::infinity();
    QTest::newRow("below the double range") << "1e-400" << 0.0;
    QTest::newRow("below the double range in digits") << "0." + QString(400, u'0') + "1" << 0.0;
    QTest::newRow("subnormal") << "4.9e-324" << std::numeric_limits<double>::denorm_min();
}

void TestConversions::textToNumber()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QCOMPARE(quorvel::textToNumber(text), number);
}

void TestConversions::narrowing()
{
    QCOMPARE(narrowTo16(32767), std::int16_t(32767));
    QCOMPARE(narrowTo16(-32768), std::int16_t(-32768));
    for (std::int64_t outside : {std::int64_t(32768), std::int64_t(-32769), std::int64_t(70000)}) {
        const auto failure = failureOf([&] { narrowTo16(outside); });
        QVERIFY(failure);
        QCOMPARE(failure->kind(), FailureKind::Overflow);
        QVERIFY(failure->message().contains(QString::number(outside)));
    }
    QCOMPARE(add16(32766, 1), std::int16_t(32767));
    QCOMPARE(failureOf([] { add16(32767, 1); })->kind(), FailureKind::Overflow);
    // Beyond the double range the number is infinite, equal to no stroke count, and not a failure.
    QVERIFY(std::isinf(quorvel::textToNumber(QStringLiteral("1") + QString(400, u'0'))));
}

void TestConversions::checkedArraysNameTheFailingIndex()
{
    CheckedArray<std::int16_t, 1, 5> selected("SelectedElements", 9999);
    QCOMPARE(selected(1), std::int16_t(9999));
    selected(5) = 3;
    QCOMPARE(selected(5), std::int16_t(3));
    for (int outside : {0, 6, -1}) {
        const auto failure = failureOf([&] { selected(outside); });
        QVERIFY(failure);
        QCOMPARE(failure->kind(), FailureKind::IndexOutOfRange);
        QCOMPARE(failure->where(), QStringLiteral("SelectedElements(%1)").arg(outside));
    }

    CheckedArray2D<std::int32_t, 1, 10, 1, 10000> table("DecompositionTable");
    table(10, 10000) = 7;
    table(1, 1) = 8;
    QCOMPARE(table(10, 10000), 7);
    QCOMPARE(table(1, 1), 8);
    QCOMPARE(table(2, 1), 0);
    QCOMPARE(failureOf([&] { table(11, 1); })->where(), QStringLiteral("DecompositionTable(11, 1)"));
    QCOMPARE(failureOf([&] { table(1, 0); })->where(), QStringLiteral("DecompositionTable(1, 0)"));
    QCOMPARE(failureOf([&] { table(0, 10001); })->kind(), FailureKind::IndexOutOfRange);
}

void TestConversions::checkedArraysStoreOnlyWhatIsReached()
{
    // Entries that were never written read as the initial value, also through a read-only view
    // and past the last entry written; a reference taken early still holds its own entry after
    // later writes far beyond it.
    CheckedArray<QString, 1, 10000> texts("KanjiEquivalents", QStringLiteral("init"));
    QString &first = texts(1);
    first = QStringLiteral("one");
    for (int r = 2; r <= 2199; ++r)
        texts(r) = QString::number(r);
    texts(9000) = QStringLiteral("far");
    QCOMPARE(first, QStringLiteral("one"));
    QCOMPARE(&texts(1), &first);
    const auto &view = texts;
    QCOMPARE(view(2199), QStringLiteral("2199"));
    QCOMPARE(view(2200), QStringLiteral("init"));
    QCOMPARE(view(8999), QStringLiteral("init"));
    QCOMPARE(view(9000), QStringLiteral("far"));
    QCOMPARE(view(10000), QStringLiteral("init"));
    QCOMPARE(failureOf([&] { view(10001); })->where(), QStringLiteral("KanjiEquivalents(10001)"));

    CheckedArray2D<std::int32_t, 1, 10, 1, 10000> rows("DecompositionTable", 0);
    std::int32_t &corner = rows(1, 1);
    corner = 5;
    rows(10, 2199) = 6;
    rows(3, 7000) = 7;
    const auto &rowView = rows;
    QCOMPARE(corner, 5);
    QCOMPARE(rowView(10, 2199), 6);
    QCOMPARE(rowView(1, 2200), 0);
    QCOMPARE(rowView(2, 7000), 0);
    QCOMPARE(rowView(3, 7000), 7);
    QCOMPARE(rowView(10, 10000), 0);
    QCOMPARE(failureOf([&] { rowView(11, 2200); })->where(), QStringLiteral("DecompositionTable(11, 2200)"));
}

void TestConversions::untypedComparedWithZero_data()
{
    QTest::addColumn<UntypedValue>("value");
    QTest::addColumn<bool>("zero");
    QTest::newRow("empty counts as 0") << UntypedValue() << true;
    QTest::newRow("number 0") << UntypedValue::number(0) << true;
    QTest::newRow("a code") << UntypedValue::number(40001) << false;
    QTest::newRow("negative") << UntypedValue::number(-5) << false;
    QTest::newRow("text holding 0") << UntypedValue::text(" 0 ") << true;
    QTest::newRow("text holding a code") << UntypedValue::text("123") << false;
}

void TestConversions::untypedComparedWithZero()
{
    QFETCH(UntypedValue, value);
    QFETCH(bool, zero);
    QCOMPARE(value.equalsZero(), zero);
}

void TestConversions::untypedToText_data()
{
    QTest::addColumn<UntypedValue>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("code above 16 bits") << UntypedValue::number(40001) << " 40001";
    QTest::newRow("negative") << UntypedValue::number(-7) << "-7";
    QTest::newRow("fraction") << UntypedValue::number(1.5) << " 1.5";
    QTest::newRow("empty") << UntypedValue() << " 0";
    QTest::newRow("numeric text") << UntypedValue::text("  12") << " 12";
}

void TestConversions::untypedToText()
{
    QFETCH(UntypedValue, value);
    QFETCH(QString, text);
    QCOMPARE(value.toNumberText(), text);
}

void TestConversions::untypedToInt32_data()
{
    QTest::addColumn<UntypedValue>("value");
    QTest::addColumn<int>("expected");
    QTest::addColumn<std::optional<FailureKind>>("failure");
    const std::optional<FailureKind> none;
    QTest::newRow("int32 max") << UntypedValue::number(2147483647) << 2147483647 << none;
    QTest::newRow("int32 min") << UntypedValue::number(-2147483648.0) << int(-2147483647 - 1) << none;
    QTest::newRow("half rounds to even, down") << UntypedValue::number(2.5) << 2 << none;
    QTest::newRow("half rounds to even, up") << UntypedValue::number(3.5) << 4 << none;
    QTest::newRow("numeric text") << UntypedValue::text("12") << 12 << none;
    QTest::newRow("beyond int32") << UntypedValue::number(2147483648.0) << 0
                                  << std::optional(FailureKind::Overflow);
    QTest::newRow("text that is no number")
        << UntypedValue::text("x") << 0 << std::optional(FailureKind::TypeMismatch);
}

void TestConversions::untypedToInt32()
{
    QFETCH(UntypedValue, value);
    QFETCH(int, expected);
    QFETCH(std::optional<FailureKind>, failure);
    std::int32_t result = 0;
    const auto raised = failureOf([&] { result = value.toInt32(); });
    if (!failure) {
        QVERIFY(!raised);
        QCOMPARE(result, expected);
    } else {
        QVERIFY(raised);
        QCOMPARE(raised->kind(), *failure);
    }
    // A text that is no number is a mismatch wherever it is used as a number.
    QCOMPARE(failureOf([] { UntypedValue::text("abc").equalsZero(); })->kind(), FailureKind::TypeMismatch);
}

// The default failure path ends the process, so it runs in a child whose standard error is a file.
void TestConversions::failureMessageReachesStandardErrorWhole()
{
    QTemporaryFile capture;
    QVERIFY(capture.open());
    const QString where = QStringLiteral("\"文字要素.csv\": \"a") + QChar(0) + QStringLiteral("b\" の後も");
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        ::dup2(capture.handle(), STDERR_FILENO);
        setFailureHandler(nullptr);
        reportFailure(RuntimeFailure(FailureKind::TypeMismatch, where));
        ::_exit(3); // not reached: the failure path ends the process
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 1);
    capture.seek(0);
    QCOMPARE(capture.readAll(), QStringLiteral("実行時エラー: 型が一致しません: %1\n").arg(where).toUtf8());
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
