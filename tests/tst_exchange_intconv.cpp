#include "exchange/IntConv.h"

#include <QtTest>

#include <climits>

using namespace exchange;

class TestIntConv : public QObject
{
    Q_OBJECT

private slots:
    void parseInteger_data();
    void parseInteger();
    void invalidMessage();
    void numberWriting_data();
    void numberWriting();
};

void TestIntConv::parseInteger_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    QTest::newRow("zero") << QByteArray("0") << true << 0;
    QTest::newRow("decimal") << QByteArray("6024") << true << 6024;
    QTest::newRow("leading zeros") << QByteArray("000000000000012") << true << 12;
    QTest::newRow("many leading zeros") << (QByteArray(10000, '0') + "1") << true << 1;
    QTest::newRow("leading spaces") << QByteArray("   42") << true << 42;
    QTest::newRow("plus") << QByteArray("+7") << true << 7;
    QTest::newRow("minus") << QByteArray("-7") << true << -7;
    QTest::newRow("minus zero") << QByteArray("-0") << true << 0;
    QTest::newRow("spaces then sign") << QByteArray("  -12") << true << -12;
    QTest::newRow("max") << QByteArray("2147483647") << true << INT_MAX;
    QTest::newRow("min") << QByteArray("-2147483648") << true << INT_MIN;
    QTest::newRow("max + 1") << QByteArray("2147483648") << false << 0;
    QTest::newRow("min - 1") << QByteArray("-2147483649") << false << 0;
    QTest::newRow("beyond 64 bits") << QByteArray("99999999999999999999999") << false << 0;
    QTest::newRow("4294967295 decimal") << QByteArray("4294967295") << false << 0;

    QTest::newRow("$ prefix") << QByteArray("$1F") << true << 31;
    QTest::newRow("x prefix") << QByteArray("x1f") << true << 31;
    QTest::newRow("X prefix") << QByteArray("X1F") << true << 31;
    QTest::newRow("0x prefix") << QByteArray("0x1F") << true << 31;
    QTest::newRow("0X prefix") << QByteArray("0Xa") << true << 10;
    QTest::newRow("hex all bits") << QByteArray("$FFFFFFFF") << true << -1;
    QTest::newRow("hex sign bit") << QByteArray("0x80000000") << true << INT_MIN;
    QTest::newRow("minus hex") << QByteArray("-$1") << true << -1;
    QTest::newRow("minus hex sign bit") << QByteArray("-$80000000") << true << INT_MIN;
    QTest::newRow("minus hex all bits") << QByteArray("-$FFFFFFFF") << true << 1;
    QTest::newRow("plus hex") << QByteArray("+x10") << true << 16;
    QTest::newRow("spaces then hex") << QByteArray(" $10") << true << 16;
    QTest::newRow("hex leading zeros") << (QByteArray("$") + QByteArray(10000, '0') + "FF") << true << 255;
    QTest::newRow("hex 33 bits") << QByteArray("$100000000") << false << 0;

    QTest::newRow("empty") << QByteArray("") << false << 0;
    QTest::newRow("spaces only") << QByteArray("   ") << false << 0;
    QTest::newRow("sign only") << QByteArray("-") << false << 0;
    QTest::newRow("lone $") << QByteArray("$") << false << 0;
    QTest::newRow("lone x") << QByteArray("x") << false << 0;
    QTest::newRow("lone 0x") << QByteArray("0x") << false << 0;
    QTest::newRow("minus lone 0x") << QByteArray("-0x") << false << 0;
    QTest::newRow("blank after sign") << QByteArray("- 5") << false << 0;
    QTest::newRow("two signs") << QByteArray("+-5") << false << 0;
    QTest::newRow("sign after prefix") << QByteArray("0x-5") << false << 0;
    QTest::newRow("blank after digits") << QByteArray("5 ") << false << 0;
    QTest::newRow("blank after hex") << QByteArray("$5 ") << false << 0;
    QTest::newRow("trailing letter") << QByteArray("12a") << false << 0;
    QTest::newRow("decimal point") << QByteArray("1.5") << false << 0;
    QTest::newRow("bad hex digit") << QByteArray("$1G") << false << 0;
    QTest::newRow("zero before prefix") << QByteArray("00x10") << false << 0;
    QTest::newRow("tab is not a blank") << QByteArray("\t5") << false << 0;
    QTest::newRow("NUL after digits") << QByteArray("5\0", 2) << false << 0;
}

void TestIntConv::parseInteger()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(int, value);

    const auto result = exchange::parseInteger(text.toStdString());
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, value);
}

void TestIntConv::invalidMessage()
{
    QCOMPARE(QByteArray::fromStdString(invalidIntegerMessage(" 12a")),
             QByteArray("' 12a' is not a valid integer value"));
    QCOMPARE(QByteArray::fromStdString(invalidIntegerMessage("")),
             QByteArray("'' is not a valid integer value"));
}

void TestIntConv::numberWriting_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("decimal");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("0") << 0 << QByteArray("0") << QByteArray("0");
    QTest::newRow("10") << 10 << QByteArray("10") << QByteArray("A");
    QTest::newRow("16") << 16 << QByteArray("16") << QByteArray("10");
    QTest::newRow("65535") << 65535 << QByteArray("65535") << QByteArray("FFFF");
    QTest::newRow("70000") << 70000 << QByteArray("70000") << QByteArray("11170");
    QTest::newRow("max") << INT_MAX << QByteArray("2147483647") << QByteArray("7FFFFFFF");
    QTest::newRow("-1") << -1 << QByteArray("-1") << QByteArray("FFFFFFFF");
    QTest::newRow("-16") << -16 << QByteArray("-16") << QByteArray("FFFFFFF0");
    QTest::newRow("min") << INT_MIN << QByteArray("-2147483648") << QByteArray("80000000");
}

void TestIntConv::numberWriting()
{
    QFETCH(int, value);
    QFETCH(QByteArray, decimal);
    QFETCH(QByteArray, hex);

    QCOMPARE(QByteArray::fromStdString(decimalText(value)), decimal);
    QCOMPARE(QByteArray::fromStdString(hexText(value)), hex);
    // What is written must read back as the same value.
    QCOMPARE(exchange::parseInteger(decimalText(value)).value_or(12345), value);
    QCOMPARE(exchange::parseInteger("$" + hexText(value)).value_or(12345), value);
}

QTEST_APPLESS_MAIN(TestIntConv)
#include "tst_exchange_intconv.moc"
