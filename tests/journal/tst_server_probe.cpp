// SPDX-License-Identifier: GPL-3.0-or-later
// Whether anything answers at a server's address, told without a PostgreSQL client: a port
// that takes connections, one that refuses them, an address where nothing answers in time, and
// a name that does not resolve.
#include "journal/server_probe.h"

#include <QTcpServer>
#include <QTest>

Q_DECLARE_METATYPE(journal::ServerReach)

class ServerProbeTest : public QObject {
    Q_OBJECT

private slots:
    void tellsWhetherAnythingAnswers_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("listening");
        QTest::addColumn<journal::ServerReach>("expected");
        QTest::newRow("a port that takes connections")
            << "127.0.0.1" << true << journal::ServerReach::Answers;
        QTest::newRow("a port nobody listens on")
            << "127.0.0.1" << false << journal::ServerReach::Silent;
        // A name under .invalid never resolves.
        QTest::newRow("a name that does not resolve")
            << "no-such-host.invalid" << false << journal::ServerReach::UnknownHost;
        // TEST-NET-1 is never routed: unreachable at once or no answer before the time is up.
        QTest::newRow("an address where nothing answers")
            << "192.0.2.1" << false << journal::ServerReach::Silent;
    }

    void tellsWhetherAnythingAnswers()
    {
        QFETCH(QString, host);
        QFETCH(bool, listening);
        QFETCH(journal::ServerReach, expected);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress(QHostAddress::LocalHost)));
        const int port = host == QLatin1String("192.0.2.1") ? 5432 : server.serverPort();
        if (!listening) {
            server.close();
        }
        QCOMPARE(journal::ProbeServer(host, port, std::chrono::milliseconds(300)), expected);
    }
};

QTEST_GUILESS_MAIN(ServerProbeTest)
#include "tst_server_probe.moc"
