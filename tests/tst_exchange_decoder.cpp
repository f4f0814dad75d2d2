#include "exchange/ConfigDecoder.h"

#include <QtTest>

using namespace exchange;

class TestDecoder : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void firstLine_data();
    void firstLine();
    void builtInSamples();
};

namespace {

const QByteArray kSample =
    "<1788#1789#C0.A8.77.1#C0.A8.77.8D#C0.A8.77.F0#FF.FF.FF.0#00-AC-6E-24-18-02>";
const QByteArrayList kSampleValues{"6024", "6025", "192.168.119.1", "192.168.119.141",
                                   "192.168.119.240", "255.255.255.0"};
const QByteArray kSampleMac = "00-AC-6E-24-18-02";

// The sample with one field replaced: index 0 and 1 are the ports, 2 to 5 the addresses.
QByteArray sampleWith(int index, const QByteArray& field)
{
    QByteArrayList fields = kSample.mid(1, kSample.size() - 2).split('#');
    fields[index] = field;
    return "<" + fields.join('#') + ">";
}

QByteArrayList setFields(const DecodedConfig& d)
{
    QByteArrayList set;
    for (const auto* f : {&d.telemetryPort, &d.h323Port, &d.gateway, &d.ownAddress, &d.controller,
                          &d.netMask}) {
        if (!f->has_value())
            break;
        set << QByteArray::fromStdString(**f);
    }
    return set;
}

} // namespace

void TestDecoder::decode_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArrayList>("set"); // the read-back fields set, in order; the rest untouched
    QTest::addColumn<QByteArray>("mac");

    QTest::newRow("sample") << kSample << kSampleValues << kSampleMac;
    QTest::newRow("lowercase") << kSample.toLower() << kSampleValues << kSampleMac.toLower();
    QTest::newRow("text after >") << (kSample + "junk#.>") << kSampleValues << kSampleMac;
    QTest::newRow("empty") << QByteArray() << QByteArrayList{} << QByteArray();
    const QByteArray heading = "\xC4\xE0\xED\xED\xFB\xE5 \xEE\xF2 \xF1\xE5\xF0\xE2\xE5\xF0\xE0:";
    QTest::newRow("heading line, no separators") << heading << QByteArrayList{} << heading;
    QTest::newRow("older sample") << QByteArray("192.168.1.1#<1788#1789#C0.A8.D.1#7F-DC-6E-24-18-0C>")
                                  << QByteArrayList{} << QByteArray("7F-DC-6E-24-18-0C");
    QTest::newRow("ZZ octet in own address")
        << sampleWith(3, "C0.A8.ZZ.8D") << kSampleValues.mid(0, 3) << kSampleMac;
    QTest::newRow("gateway with three octets")
        << sampleWith(2, "C0.A8.77") << kSampleValues.mid(0, 2) << kSampleMac;
    QTest::newRow("address ahead of the record")
        << ("192.168.119.141" + kSample) << QByteArrayList{} << kSampleMac;
    QTest::newRow("no closing >") << kSample.chopped(1) << kSampleValues << kSampleMac;
    QTest::newRow("no closing >, text after MAC")
        << (kSample.chopped(1) + " tail") << kSampleValues << (kSampleMac + " tail");
    QTest::newRow("space in port") << sampleWith(0, "17 88") << QByteArrayList{} << kSampleMac;
    QTest::newRow("space in mask") << sampleWith(5, "FF.FF.FF. 0") << kSampleValues.mid(0, 5)
                                   << kSampleMac;
    QTest::newRow("empty port") << sampleWith(0, "") << QByteArrayList{} << kSampleMac;
    QTest::newRow("empty octet") << sampleWith(4, "C0..77.F0") << kSampleValues.mid(0, 4) << kSampleMac;
    QTest::newRow("sign refused") << sampleWith(1, "+1789") << kSampleValues.mid(0, 1) << kSampleMac;
    QTest::newRow("prefix refused") << sampleWith(0, "$1788") << QByteArrayList{} << kSampleMac;
    QTest::newRow("0x refused") << sampleWith(0, "0x1788") << QByteArrayList{} << kSampleMac;
    QTest::newRow("FFFFFFFF is -1") << sampleWith(0, "FFFFFFFF")
                                    << (QByteArrayList{"-1"} + kSampleValues.mid(1)) << kSampleMac;
    QTest::newRow("80000000 is INT_MIN") << sampleWith(1, "80000000")
                                         << QByteArrayList{"6024", "-2147483648", "192.168.119.1",
                                                           "192.168.119.141", "192.168.119.240",
                                                           "255.255.255.0"}
                                         << kSampleMac;
    QTest::newRow("nine digits fail") << sampleWith(0, "100000000") << QByteArrayList{} << kSampleMac;
    QTest::newRow("octet 1FF is 511")
        << sampleWith(2, "C0.A8.77.1FF")
        << QByteArrayList{"6024", "6025", "192.168.119.511", "192.168.119.141", "192.168.119.240",
                          "255.255.255.0"}
        << kSampleMac;
    QTest::newRow("leading zeros")
        << QByteArray("<00001788#0000000000001789#00C0.0A8.077.0001#C0.A8.77.8D#C0.A8.77.F0#"
                      "FF.FF.FF.00000000000#00-AC-6E-24-18-02>")
        << kSampleValues << kSampleMac;
    QTest::newRow("< dropped anywhere in the first field")
        << ("1<7<88" + kSample.mid(5)) << kSampleValues << kSampleMac;
    QTest::newRow("< kept after the first #") << sampleWith(1, "<1789") << kSampleValues.mid(0, 1)
                                              << kSampleMac;
    // Without a '#', scan 1 drops the '<' from field 1 only; the MAC scan sees the text as it is.
    QTest::newRow("no # at all") << QByteArray("<<1788") << QByteArrayList{"6024"} << QByteArray("<<1788");
    QTest::newRow("long line without separators")
        << QByteArray(8192, 'A') << QByteArrayList{} << QByteArray(8192, 'A');
}

void TestDecoder::decode()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArrayList, set);
    QFETCH(QByteArray, mac);

    const DecodedConfig d = decodeConfigRecord(line.toStdString());
    QCOMPARE(setFields(d), set);
    QCOMPARE(QByteArray::fromStdString(d.mac), mac);
}

void TestDecoder::firstLine_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("one line") << QByteArray("abc") << QByteArray("abc");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("CRLF") << QByteArray("a\r\nb") << QByteArray("a");
    QTest::newRow("LF") << QByteArray("a\nb\rc") << QByteArray("a");
    QTest::newRow("CR") << QByteArray("a\rb\nc") << QByteArray("a");
    QTest::newRow("empty first line") << QByteArray("\r\nb") << QByteArray();
    QTest::newRow("NUL is no break") << QByteArray("a\0b\nc", 5) << QByteArray("a\0b", 3);
    QTest::newRow("record then more") << (kSample + "\r\n<1#2#3.3.3.3#>") << kSample;
}

void TestDecoder::firstLine()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, line);

    const std::string s = text.toStdString();
    const std::string_view first = exchange::firstLine(s);
    QCOMPARE(QByteArray(first.data(), qsizetype(first.size())), line);
}

void TestDecoder::builtInSamples()
{
    QCOMPARE(QByteArray(kSampleRecord), kSample);
    QCOMPARE(QByteArray(kOlderSample), QByteArray("192.168.1.1#<1788#1789#C0.A8.D.1#7F-DC-6E-24-18-0C>"));

    // The decimal line shown beside the sample is the sample's own decoding.
    const DecodedConfig d = decodeConfigRecord(kSampleRecord);
    const QByteArray decimal = "<" + setFields(d).join('#') + "#" + QByteArray::fromStdString(d.mac) + ">";
    QCOMPARE(QByteArray(kSampleDecimalLine), decimal);
    QCOMPARE(decimal.size(), 89);
}

QTEST_APPLESS_MAIN(TestDecoder)
#include "tst_exchange_decoder.moc"
