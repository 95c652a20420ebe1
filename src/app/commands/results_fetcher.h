// Fetching the yearly results pages over HTTP for the online update: one
// page at a time, waited for in a local event loop so that the window keeps
// painting and its progress dialog can cancel, and never longer than the
// time limit of a page.
#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkReply;

namespace qudrim::app {

// The address of the results site as stored in the setting ResultsSite:
// "http://host" or "https://host:port", scheme and host in lower case, no
// slash at its end. Empty when `text` is no such address (another scheme, a
// path, a query, user data, no host).
QString resultsSiteAddress(const QString& text);

struct FetchedPage {
    // Missing: the site answered that it has no such page (HTTP 404 or 410).
    enum class Outcome { Read, Failed, Missing, Cancelled };
    Outcome outcome = Outcome::Failed;
    QByteArray body;
    QString contentType;  // the HTTP header, "text/html; charset=gbk"
    QString reason;       // why the page was not read, in Chinese, for the user
    QString detail;       // the network layer's own error text and the address
};

class ResultsFetcher : public QObject {
    Q_OBJECT
public:
    static constexpr int kPageTimeoutMs = 30000;
    // A download is cut off once it brings more than this, so that no
    // answer can fill the memory; a page that arrives whole is held to the
    // results page's own, smaller limit (history::kMaxPageBytes) as it is read.
    static constexpr qint64 kMaxDownloadBytes = 16 * 1024 * 1024;

    explicit ResultsFetcher(int pageTimeoutMs = kPageTimeoutMs, QObject* parent = nullptr);

    // Requests the page and waits for it, the event loop running meanwhile.
    // After cancel() every fetch ends at once as cancelled.
    FetchedPage fetch(const QUrl& url);

public slots:
    // Ends the fetch that is waiting, and every later one.
    void cancel();

private:
    QNetworkAccessManager manager_;
    int pageTimeoutMs_;
    bool cancelled_ = false;
    QPointer<QNetworkReply> pending_;
};

}  // namespace qudrim::app
