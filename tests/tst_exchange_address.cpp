#include "exchange/AddressMirrors.h"

#include <QtTest>

using namespace exchange;
using Kind = AddressMirrors::Kind;

Q_DECLARE_METATYPE(AddressMirrors::Kind)

class TestAddress : public QObject
{
    Q_OBJECT

private slots:
    void convert_data();
    void convert();
    void typingOneCharacterAtATime();
};

void TestAddress::convert_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("padded"); // for an error: the failing part

    const auto mirrors = [](const char* name, const char* text, const char* plain, const char* padded) {
        QTest::newRow(name) << QByteArray(text) << Kind::Mirrors << QByteArray(plain) << QByteArray(padded);
    };
    const auto noChange = [](const char* name, const char* text) {
        QTest::newRow(name) << QByteArray(text) << Kind::NoChange << QByteArray() << QByteArray();
    };
    const auto error = [](const char* name, const char* text, const char* part) {
        QTest::newRow(name) << QByteArray(text) << Kind::Error << QByteArray() << QByteArray(part);
    };

    mirrors("own address", "192.168.119.141", "C0.A8.77.8D", "C0.A8.77.8D");
    mirrors("mask", "255.255.255.0", "FF.FF.FF.0", "FF.FF.FF.00");
    mirrors("10.16.0.1", "10.16.0.1", "A.10.0.1", "0A.10.00.01");
    mirrors("three parts repeat the last", "192.168.1", "C0.A8.1.1", "C0.A8.01.01");
    mirrors("two parts repeat the last", "192.168", "C0.A8.A8.A8", "C0.A8.A8.A8");
    mirrors("one part", "7", "7.7.7.7", "07.07.07.07");
    mirrors("padding boundary", "5.15.16.255", "5.F.10.FF", "05.0F.10.FF");
    mirrors("above 255", "300.1.2.3", "12C.1.2.3", "12C.01.02.03");
    mirrors("negative", "-1.0.0.0", "FFFFFFFF.0.0.0", "0FFFFFFFF.00.00.00");
    mirrors("hex parts", "$C0.0xA8.x10.+1", "C0.A8.10.1", "C0.A8.10.01");
    mirrors("leading blanks", " 192.  168. 1.   10", "C0.A8.1.A", "C0.A8.01.0A");
    noChange("trailing dot", "192.168.1.");
    noChange("two dots together", "1..2.3");
    noChange("leading dot", ".1.2.3");
    noChange("empty", "");
    noChange("dot only", ".");
    error("more than three dots", "1.2.3.4.5", "4.5");
    error("trailing letter", "1.2.3.4x", "4x");
    error("blank after digits", "192 .168.1.1", "192 ");
    error("blank at the end", "1.2.3.4 ", "4 ");
    error("first failing part named", "1.b.c.d", "b");
    error("out of 32 bits", "1.2.4294967296.4", "4294967296");
    error("blank part", "1. .3.4", " ");
}

void TestAddress::convert()
{
    QFETCH(QByteArray, text);
    QFETCH(Kind, kind);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, padded);

    const AddressMirrors m = convertAddress(text.toStdString());
    QCOMPARE(m.kind, kind);
    switch (kind) {
    case Kind::Mirrors:
        QCOMPARE(QByteArray::fromStdString(m.plain), plain);
        QCOMPARE(QByteArray::fromStdString(m.padded), padded);
        QVERIFY(m.error.empty());
        break;
    case Kind::NoChange:
        QVERIFY(m.error.empty());
        break;
    case Kind::Error:
        QCOMPARE(QByteArray::fromStdString(m.error), "'" + padded + "' is not a valid integer value");
        break;
    }
}

void TestAddress::typingOneCharacterAtATime()
{
    // The plain mirror after each keystroke of "192.168.1.10"; a mirror keeps its text
    // whenever the conversion brings no mirrors.
    const QByteArrayList expected{"1.1.1.1",     "13.13.13.13", "C0.C0.C0.C0", "C0.C0.C0.C0",
                                  "C0.1.1.1",    "C0.10.10.10", "C0.A8.A8.A8", "C0.A8.A8.A8",
                                  "C0.A8.1.1",   "C0.A8.1.1",   "C0.A8.1.1",   "C0.A8.1.A"};
    const std::string address = "192.168.1.10";
    std::string plain = "0.0.0.0";
    std::string padded = "0.0.0.0";
    QByteArrayList shown;
    for (size_t n = 1; n <= address.size(); ++n) {
        const AddressMirrors m = convertAddress(address.substr(0, n));
        if (address[n - 1] == '.')
            QCOMPARE(m.kind, Kind::NoChange);
        if (m.kind == Kind::Mirrors) {
            plain = m.plain;
            padded = m.padded;
        }
        shown << QByteArray::fromStdString(plain);
    }
    QCOMPARE(shown, expected);
    QCOMPARE(QByteArray::fromStdString(padded), QByteArray("C0.A8.01.0A"));
}

QTEST_APPLESS_MAIN(TestAddress)
#include "tst_exchange_address.moc"
