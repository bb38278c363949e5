#pragma once

#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace vorlo::test {

// An answer: a redirect's location, a Content-Length other than the body's or "none", or none.
struct Answer {
    int status = 200;
    QByteArray body = {}, location = {}, length = {};
    bool hang = false;
};

// An HTTP server on the loopback address only, in the test's own process: it answers each
// request with what was set for its path and query, 404 otherwise, and records what was
// asked and by whom.
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
        if (!socket->peek(socket->bytesAvailable()).contains("\r\n\r\n")) {
            return;  // the rest of the request is still to come
        }
        const QByteArray request = socket->readAll();
        asked << QString::fromLatin1(request.split(' ').value(1));
        const qsizetype agent = request.toLower().indexOf("\r\nuser-agent: ") + 14;
        user_agents << request.mid(agent, request.indexOf('\r', agent) - agent);
        const Answer a = answers_.value(asked.back(), Answer{404, "<h1>404</h1>"});
        const QByteArray length = a.length.isEmpty() ? QByteArray::number(a.body.size()) : a.length;
        if (!a.hang) {
            socket->write("HTTP/1.1 " + QByteArray::number(a.status) +
                          " X\r\nContent-Type: text/html\r\nConnection: close\r\n" +
                          (a.location.isEmpty() ? "" : "Location: " + a.location + "\r\n") +
                          (length == "none" ? "" : "Content-Length: " + length + "\r\n") + "\r\n" +
                          a.body);
            socket->disconnectFromHost();
        }
    }

    QTcpServer server_;
    QHash<QString, Answer> answers_;
};

}  // namespace vorlo::test
