#include "exchange/Cp1251.h"

#include <QtTest>

#include <set>

using namespace exchange;

class TestCp1251 : public QObject
{
    Q_OBJECT

private slots:
    void allBytesRoundTrip();
    void knownCharacters_data();
    void knownCharacters();
    void unmappable_data();
    void unmappable();
    void nulPreserved();
};

void TestCp1251::allBytesRoundTrip()
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);

    const std::u16string text = cp1251ToUtf16(all);
    QCOMPARE(text.size(), size_t(256));
    for (int b = 0; b < 0x80; ++b)
        QCOMPARE(int(text[b]), b);
    QCOMPARE(std::set<char16_t>(text.begin(), text.end()).size(), size_t(256));
    QVERIFY(utf16ToCp1251(text) == all);
}

void TestCp1251::knownCharacters_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unit");

    QTest::newRow("А") << 0xC0 << 0x0410;
    QTest::newRow("я") << 0xFF << 0x044F;
    QTest::newRow("Ё") << 0xA8 << 0x0401;
    QTest::newRow("ё") << 0xB8 << 0x0451;
    QTest::newRow("№") << 0xB9 << 0x2116;
    QTest::newRow("€") << 0x88 << 0x20AC;
    QTest::newRow("Ђ") << 0x80 << 0x0402;
    QTest::newRow("NBSP") << 0xA0 << 0x00A0;
    QTest::newRow("unassigned 0x98") << 0x98 << 0x0098;
}

void TestCp1251::knownCharacters()
{
    QFETCH(int, byte);
    QFETCH(int, unit);

    const std::u16string decoded = cp1251ToUtf16(std::string(1, static_cast<char>(byte)));
    QCOMPARE(decoded.size(), size_t(1));
    QCOMPARE(int(decoded[0]), unit);
    const std::string encoded = utf16ToCp1251(std::u16string(1, static_cast<char16_t>(unit)));
    QCOMPARE(encoded.size(), size_t(1));
    QCOMPARE(int(static_cast<unsigned char>(encoded[0])), byte);
}

void TestCp1251::unmappable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("CJK") << QString(QChar(0x4E2D)) << QByteArray("?");
    QTest::newRow("Latin-1 only") << QString(QChar(0x00E9)) << QByteArray("?");
    QTest::newRow("surrogate pair") << QString::fromUtf8("a\xF0\x9F\x98\x80" "b") << QByteArray("a?b");
    QTest::newRow("lone high") << (QString(QChar(0xD83D)) + "x") << QByteArray("?x");
    QTest::newRow("lone low") << (QString("x") + QChar(0xDE00)) << QByteArray("x?");
    QTest::newRow("high then high") << (QString(QChar(0xD83D)) + QChar(0xD83D) + QChar(0xDE00))
                                    << QByteArray("??");
    QTest::newRow("question mark") << QString("?") << QByteArray("?");
    QTest::newRow("Cyrillic kept") << QString::fromUtf8("Ж中ж") << QByteArray("\xC6?\xE6");
}

void TestCp1251::unmappable()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    QCOMPARE(QByteArray::fromStdString(utf16ToCp1251(text.toStdU16String())), bytes);
}

void TestCp1251::nulPreserved()
{
    const std::string bytes("a\0\xC0\0", 4);
    const std::u16string text = cp1251ToUtf16(bytes);
    QVERIFY(text == std::u16string(u"a\0\u0410\0", 4));
    QVERIFY(utf16ToCp1251(text) == bytes);
}

QTEST_APPLESS_MAIN(TestCp1251)
#include "tst_exchange_cp1251.moc"
