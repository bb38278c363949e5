#pragma once

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

#include <utility>

namespace vorlo::test {

// What the local forum answers at one address.
struct Answer {
    Answer(int status_code = 200, const QByteArray& content = {})
        : status(status_code), body(content) {}
    int status;
    QByteArray body;
    QByteArray type = "text/html; charset=utf-8";
    QByteArray location;          // for a redirect
    QByteArray announced_length;  // a Content-Length other than the body's
    bool hang = false;            // never answers
    bool unannounced = false;     // no Content-Length: the body ends when the connection does
};

// An HTTP server on the loopback address only, in the test's own process: it ends with the
// test. It answers each request with what was set for its path and query, 404 otherwise,
// and records what was asked and by whom.
class LocalForum : public QObject {
  public:
    LocalForum() {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    QUrl url(const QString& target) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(target));
    }
    void set(const QString& target, const Answer& answer) { answers_[target] = answer; }

    QStringList asked;  // path and query of each request, in order
    QList<QByteArray> user_agents;

  private:
    void answer(QTcpSocket* socket) {
        QByteArray& request = pending_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n")) {
            return;
        }
        const QList<QByteArray> lines = request.split('\n');
        const QString target = QString::fromLatin1(lines.value(0).split(' ').value(1));
        for (const QByteArray& line : lines) {
            if (line.toLower().startsWith("user-agent:")) {
                user_agents << line.mid(11).trimmed();
            }
        }
        pending_.remove(socket);
        asked << target;
        const Answer answer = answers_.value(target, Answer{404, "<h1>404</h1>"});
        if (answer.hang) {
            return;
        }
        QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) +
                          " X\r\nContent-Type: " + answer.type + "\r\nConnection: close\r\n";
        if (!answer.location.isEmpty()) {
            head += "Location: " + answer.location + "\r\n";
        }
        if (!answer.unannounced) {
            head += "Content-Length: " +
                    (answer.announced_length.isEmpty() ? QByteArray::number(answer.body.size())
                                                       : answer.announced_length) +
                    "\r\n";
        }
        socket->write(head + "\r\n" + answer.body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QHash<QString, Answer> answers_;
    QHash<QTcpSocket*, QByteArray> pending_;
};

}  // namespace vorlo::test
