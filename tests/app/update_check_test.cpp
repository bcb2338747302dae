#include "update_check.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "app_test_support.h"
#include "application.h"

namespace corpgather {
namespace {

// A tiny HTTP server that answers each request path with a canned response; a response of
// "drop" writes half a body and closes the connection.
class CannedServer final : public QObject {
    Q_OBJECT

public:
    QMap<QByteArray, QByteArray> responses;
    QList<QByteArray> requests;

    bool listen() {
        connect(&server_, &QTcpServer::newConnection, this, &CannedServer::accept);
        return server_.listen(QHostAddress::LocalHost);
    }
    quint16 port() const { return server_.serverPort(); }

private:
    void accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void answer(QTcpSocket* socket) {
        buffers_[socket] += socket->readAll();
        if (!buffers_[socket].contains("\r\n\r\n"))
            return;
        const QList<QByteArray> line = buffers_.take(socket).split(' ');
        requests << line[0] + ' ' + line[1];
        const QByteArray response = responses.value(line[1], "404");
        if (response == "drop") {
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n[Upgrade]\r\n");
            socket->flush();
            socket->disconnectFromHost();
            return;
        }
        const bool ok = response.startsWith('[');
        const QByteArray status = ok                  ? "200 OK"
                                  : response == "401" ? "401 Unauthorized"
                                                      : "404 Not Found";
        const QByteArray body = ok ? response : QByteArray();
        socket->write("HTTP/1.1 " + status +
                      "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n" +
                      (response == "401" ? "WWW-Authenticate: Basic realm=\"update\"\r\n" : "") +
                      "Connection: close\r\n\r\n" + (line[0] == "HEAD" ? QByteArray() : body));
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QMap<QTcpSocket*, QByteArray> buffers_;
};

const QByteArray kInfoPath = "/search/Upgrader/Upgrader.inf";

}  // namespace

class UpdateCheckTest final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;

    void configure(const QString& url) {
        home_->writeFile("CorpGather.ini", "[Update]\nInfoUrl=" + url.toUtf8() + "\n");
    }

private slots:
    void init() { home_ = std::make_unique<test::TestHome>(); }
    void cleanup() { home_.reset(); }

    void offWhenNoAddressIsConfigured_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("no file") << QByteArray();
        QTest::newRow("empty key") << QByteArray("[Update]\nInfoUrl=\n");
        QTest::newRow("other sections") << QByteArray("[Option]\nTimeOut=60\n");
    }

    void offWhenNoAddressIsConfigured() {
        QFETCH(QByteArray, file);
        if (!file.isEmpty())
            home_->writeFile("CorpGather.ini", file);
        UpdateCheck check;
        QVERIFY(!check.start());
    }

    void reportsOnlyTheListedKinds_data() {
        QTest::addColumn<QByteArray>("info");
        QTest::addColumn<QByteArray>("setup");
        QTest::addColumn<int>("notice");  // -1: none
        QTest::addColumn<bool>("available");
        const QByteArray newer = "[Upgrade]\r\nVersion=7\r\nDate=2024-05-01\r\nSetup=Setup.exe\r\n";
        QTest::newRow("no info file")
            << QByteArray("404") << QByteArray() << int(UpdateNotice::NoInfoFile) << false;
        QTest::newRow("not an info file") << QByteArray("[Other]\r\nx=1\r\n") << QByteArray()
                                          << int(UpdateNotice::NoInfoFile) << false;
        QTest::newRow("password") << QByteArray("401") << QByteArray()
                                  << int(UpdateNotice::PasswordRequest) << false;
        QTest::newRow("connection lost")
            << QByteArray("drop") << QByteArray() << int(UpdateNotice::ConnectionLost) << false;
        QTest::newRow("same version, not reported")
            << QByteArray("[Upgrade]\r\nVersion=6\r\nSetup=Setup.exe\r\n") << QByteArray() << -1
            << false;
        QTest::newRow("newer, set-up missing")
            << newer << QByteArray("404") << int(UpdateNotice::FileMissing) << false;
        QTest::newRow("newer") << newer << QByteArray("[setup]") << -1 << true;
    }

    void reportsOnlyTheListedKinds() {
        QFETCH(QByteArray, info);
        QFETCH(QByteArray, setup);
        QFETCH(int, notice);
        QFETCH(bool, available);
        CannedServer server;
        QVERIFY(server.listen());
        server.responses[kInfoPath] = info;
        server.responses["/search/Upgrader/Setup.exe"] = setup;
        configure(QStringLiteral("http://127.0.0.1:%1").arg(server.port()) + kInfoPath);

        UpdateCheck check;
        QSignalSpy notices(&check, &UpdateCheck::notice);
        QSignalSpy offers(&check, &UpdateCheck::updateAvailable);
        QSignalSpy finished(&check, &UpdateCheck::finished);
        QVERIFY(check.start());
        QVERIFY(finished.isEmpty());
        QTRY_COMPARE(finished.count(), 1);

        QCOMPARE(notices.count(), notice < 0 ? 0 : 1);
        if (notice >= 0) {
            QCOMPARE(int(notices[0][0].value<UpdateNotice>()), notice);
            QVERIFY(!notices[0][1].toString().isEmpty());
        }
        QCOMPARE(offers.count(), available ? 1 : 0);
        if (available) {
            const auto offer = offers[0][0].value<UpdateInfo>();
            QCOMPARE(offer.versionNumber, 7);
            QCOMPARE(offer.date, QStringLiteral("2024-05-01"));
            QCOMPARE(offer.setupUrl.path(), QStringLiteral("/search/Upgrader/Setup.exe"));
        }
        QCOMPARE(server.requests.first(), "GET " + kInfoPath);
    }

    void unreachableHostIsNotReported() {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        configure(QStringLiteral("http://127.0.0.1:%1").arg(port) + kInfoPath);

        UpdateCheck check;
        QSignalSpy notices(&check, &UpdateCheck::notice);
        QSignalSpy finished(&check, &UpdateCheck::finished);
        QVERIFY(check.start());
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(notices.count(), 0);
    }
};

}  // namespace corpgather

CORPGATHER_APP_TEST_MAIN(corpgather::UpdateCheckTest)
#include "update_check_test.moc"
