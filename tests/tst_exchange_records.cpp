#include "exchange/Records.h"

#include <QtTest>

using namespace exchange;

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void getRequest();
    void configRecord_data();
    void configRecord();
    void configRecordError_data();
    void configRecordError();
    void timeRecord_data();
    void timeRecord();
    void echoReply_data();
    void echoReply();
};

static QByteArray qb(const std::string& s)
{
    return QByteArray::fromStdString(s);
}

void TestRecords::getRequest()
{
    QCOMPARE(qb(exchange::getRequest()), QByteArray("GO"));
}

void TestRecords::configRecord_data()
{
    QTest::addColumn<QByteArrayList>("in"); // port1, port2, gateway, own, controller, mask, mac
    QTest::addColumn<QByteArray>("record");

    QTest::newRow("sample written back")
        << QByteArrayList{"6024", "6025", "C0.A8.77.01", "C0.A8.77.8D", "C0.A8.77.F0", "FF.FF.FF.00",
                          "00-AC-6E-24-18-02"}
        << QByteArray("<1788#1789#C0.A8.77.01#C0.A8.77.8D#C0.A8.77.F0#FF.FF.FF.00#00-AC-6E-24-18-02>");
    QTest::newRow("unchanged mirrors, design MAC")
        << QByteArrayList{"4000", "0", "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0", "00:00:00:00:00:00"}
        << QByteArray("<FA0#0#0.0.0.0#0.0.0.0#0.0.0.0#0.0.0.0#00:00:00:00:00:00>");
    QTest::newRow("ports 0 and 65535")
        << QByteArrayList{"0", "65535", "a", "b", "c", "d", "m"} << QByteArray("<0#FFFF#a#b#c#d#m>");
    QTest::newRow("ports 70000 and -1")
        << QByteArrayList{"70000", "-1", "a", "b", "c", "d", "m"} << QByteArray("<11170#FFFFFFFF#a#b#c#d#m>");
    QTest::newRow("ports read by the integer conversion")
        << QByteArrayList{"  +6024", "$1789", "a", "b", "c", "d", "m"} << QByteArray("<1788#1789#a#b#c#d#m>");
    QTest::newRow("MAC with separators, unchanged")
        << QByteArrayList{"1", "2", "a", "b", "c", "d", "#<>"} << QByteArray("<1#2#a#b#c#d##<>>");
    QTest::newRow("MAC in cp1251, empty MAC")
        << QByteArrayList{"1", "2", "", "", "", "", "\xC0\xFF"} << QByteArray("<1#2#####\xC0\xFF>");
}

void TestRecords::configRecord()
{
    QFETCH(QByteArrayList, in);
    QFETCH(QByteArray, record);

    ConfigRecordInput input;
    input.telemetryPort = in[0].toStdString();
    input.h323Port = in[1].toStdString();
    input.gateway = in[2].toStdString();
    input.ownAddress = in[3].toStdString();
    input.controller = in[4].toStdString();
    input.netMask = in[5].toStdString();
    input.mac = in[6].toStdString();

    const ConfigRecordOutcome outcome = buildConfigRecord(input);
    QVERIFY(outcome.ok());
    QCOMPARE(qb(outcome.record), record);
}

void TestRecords::configRecordError_data()
{
    QTest::addColumn<QByteArray>("port1");
    QTest::addColumn<QByteArray>("port2");
    QTest::addColumn<QByteArray>("error");

    QTest::newRow("telemetry port") << QByteArray("abc") << QByteArray("6025")
                                    << QByteArray("'abc' is not a valid integer value");
    QTest::newRow("H.323 port") << QByteArray("6024") << QByteArray("60 25")
                                << QByteArray("'60 25' is not a valid integer value");
    QTest::newRow("both: the first is named") << QByteArray("bad1") << QByteArray("bad2")
                                              << QByteArray("'bad1' is not a valid integer value");
    QTest::newRow("empty") << QByteArray("") << QByteArray("1")
                           << QByteArray("'' is not a valid integer value");
    QTest::newRow("blank after digits") << QByteArray("6024 ") << QByteArray("1")
                                        << QByteArray("'6024 ' is not a valid integer value");
}

void TestRecords::configRecordError()
{
    QFETCH(QByteArray, port1);
    QFETCH(QByteArray, port2);
    QFETCH(QByteArray, error);

    ConfigRecordInput input{port1.toStdString(), port2.toStdString(), "g", "o", "c", "m", "mac"};
    const ConfigRecordOutcome outcome = buildConfigRecord(input);
    QVERIFY(!outcome.ok());
    QCOMPARE(qb(outcome.error), error);
    QVERIFY(outcome.record.empty());
}

void TestRecords::timeRecord_data()
{
    QTest::addColumn<QList<int>>("t"); // year, month, day, day of week, hour, minute, second
    QTest::addColumn<QByteArray>("record");

    QTest::newRow("Friday") << QList<int>{2024, 3, 15, 5, 14, 7, 9}
                            << QByteArray("USTTIME<24*03*15*05*14*07*09>");
    QTest::newRow("Sunday, last second") << QList<int>{2024, 3, 17, 7, 23, 59, 59}
                                         << QByteArray("USTTIME<24*03*17*07*23*59*59>");
    QTest::newRow("Monday") << QList<int>{2024, 3, 11, 1, 8, 30, 0}
                            << QByteArray("USTTIME<24*03*11*01*08*30*00>");
    QTest::newRow("1 January 2000") << QList<int>{2000, 1, 1, 6, 0, 0, 0}
                                    << QByteArray("USTTIME<00*01*01*06*00*00*00>");
    QTest::newRow("31 December 1999") << QList<int>{1999, 12, 31, 5, 12, 0, 0}
                                      << QByteArray("USTTIME<99*12*31*05*12*00*00>");
    QTest::newRow("year 2105") << QList<int>{2105, 6, 1, 1, 1, 2, 3}
                               << QByteArray("USTTIME<05*06*01*01*01*02*03>");
}

void TestRecords::timeRecord()
{
    QFETCH(QList<int>, t);
    QFETCH(QByteArray, record);

    const std::string r = exchange::timeRecord({t[0], t[1], t[2], t[3], t[4], t[5], t[6]});
    QCOMPARE(qb(r), record);
    QCOMPARE(r.size(), size_t(29));
}

void TestRecords::echoReply_data()
{
    QTest::addColumn<QByteArray>("host");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("record") << QByteArray("pc1") << QByteArray("<1788#1789>")
                            << QByteArray("Replied from pc1 to \"<1788#1789>\"");
    QTest::newRow("empty payload") << QByteArray("pc1") << QByteArray("")
                                   << QByteArray("Replied from pc1 to \"\"");
    QTest::newRow("NUL bytes and quotes") << QByteArray("host") << QByteArray("a\0\"b\0", 5)
                                          << QByteArray("Replied from host to \"a\0\"b\0\"", 28);
    QTest::newRow("empty host") << QByteArray("") << QByteArray("x") << QByteArray("Replied from  to \"x\"");
}

void TestRecords::echoReply()
{
    QFETCH(QByteArray, host);
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, reply);

    const std::string r = exchange::echoReply(host.toStdString(), payload.toStdString());
    QCOMPARE(qb(r), reply);
    QCOMPARE(qsizetype(r.size()), 19 + host.size() + payload.size());
}

QTEST_APPLESS_MAIN(TestRecords)
#include "tst_exchange_records.moc"
