// A results site on 127.0.0.1 for the window tests: a small HTTP/1.0 server
// on a free port that answers each GET with the page set for its path (404
// for any other path), or holds the connection open without answering.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>
#include <vector>

namespace qudrim::testing {

class ResultsServer {
public:
    struct Page {
        int status = 200;
        QByteArray contentType = "text/html";
        QByteArray body;
        bool hold = false;  // never answer
    };

    ResultsServer()
    {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                serve(socket);
        });
    }

    bool listening() const { return server_.isListening(); }
    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }

    static QString yearPath(int year) { return QStringLiteral("/85122/kj/%1.html").arg(year); }
    void setYear(int year, Page page) { pages_[yearPath(year)] = std::move(page); }

    // The paths asked for, in order.
    std::vector<QString> requested;

private:
    void serve(QTcpSocket* socket)
    {
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            if (!buffer->contains("\r\n\r\n"))
                return;
            const QList<QByteArray> requestLine = buffer->left(buffer->indexOf("\r\n")).split(' ');
            buffer->clear();
            const QString path = requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();
            requested.push_back(path);
            const auto it = pages_.constFind(path);
            Page page;
            if (it == pages_.constEnd()) {
                page.status = 404;
                page.body = "<html><body>Not Found</body></html>";
            } else {
                page = *it;
            }
            if (page.hold)
                return;
            QByteArray response = "HTTP/1.0 " + QByteArray::number(page.status) +
                                  (page.status == 200 ? " OK" : " Not Found") + "\r\nContent-Type: " +
                                  page.contentType + "\r\nContent-Length: " + QByteArray::number(page.body.size()) +
                                  "\r\nConnection: close\r\n\r\n" + page.body;
            socket->write(response);
            socket->disconnectFromHost();
        });
    }

    QTcpServer server_;
    QMap<QString, Page> pages_;
};

}  // namespace qudrim::testing
