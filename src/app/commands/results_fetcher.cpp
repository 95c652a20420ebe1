#include "app/commands/results_fetcher.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

namespace qudrim::app {

namespace {

struct LaterDelete {
    void operator()(QNetworkReply* reply) const { reply->deleteLater(); }
};

// Why a reply that ended with an error brought no page, in the user's words.
QString failureReason(QNetworkReply::NetworkError error, int httpStatus, bool timedOut, int timeoutMs)
{
    if (timedOut)
        return QStringLiteral("网站在 %1 秒内没有送来页面").arg((timeoutMs + 999) / 1000);
    if (httpStatus == 404)
        return QStringLiteral("网站上没有这一年的页面（HTTP 404）");
    if (httpStatus >= 300)
        return QStringLiteral("网站没有送来页面（HTTP %1）").arg(httpStatus);
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
        return QStringLiteral("无法连接开奖结果网站");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("与网站之间没有能够建立安全连接");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
    case QNetworkReply::UnknownProxyError:
        return QStringLiteral("无法通过代理服务器连接网站");
    default:
        return QStringLiteral("页面没有能够完整读取");
    }
}

}  // namespace

QString resultsSiteAddress(const QString& text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty() || !url.userInfo().isEmpty() || url.hasQuery() || url.hasFragment() ||
        !(url.path().isEmpty() || url.path() == QLatin1String("/")))
        return {};
    return url.adjusted(QUrl::RemovePath).toString(QUrl::FullyEncoded);
}

ResultsFetcher::ResultsFetcher(int pageTimeoutMs, QObject* parent) : QObject(parent), pageTimeoutMs_(pageTimeoutMs)
{
}

void ResultsFetcher::cancel()
{
    cancelled_ = true;
    if (pending_)
        pending_->abort();
}

FetchedPage ResultsFetcher::fetch(const QUrl& url)
{
    FetchedPage page;
    if (cancelled_) {
        page.outcome = FetchedPage::Outcome::Cancelled;
        return page;
    }

    QNetworkRequest request(url);
    // The page of the current year changes during the year: always ask the site.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setTransferTimeout(pageTimeoutMs_);
    std::unique_ptr<QNetworkReply, LaterDelete> reply(manager_.get(request));
    pending_ = reply.get();

    // The transfer timeout ends a silent connection; the page's own limit
    // also ends one that trickles. An endless page stops at its size limit.
    bool timedOut = false;
    bool tooLarge = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, reply.get(), [&] {
        timedOut = true;
        reply->abort();
    });
    connect(reply.get(), &QNetworkReply::downloadProgress, reply.get(), [&](qint64 received, qint64) {
        if (received > kMaxDownloadBytes) {
            tooLarge = true;
            reply->abort();
        }
    });
    QEventLoop loop;
    connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(pageTimeoutMs_);
    if (!reply->isFinished())
        loop.exec();
    deadline.stop();
    // Nothing of this fetch may run once it has returned.
    reply->disconnect();
    pending_ = nullptr;

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const auto error = reply->error();
    page.detail = reply->errorString() + QStringLiteral("\n") + url.toString();
    if (cancelled_) {
        page.outcome = FetchedPage::Outcome::Cancelled;
        return page;
    }
    // A transfer timeout shows as an operation the network layer cancelled.
    timedOut = timedOut || (error == QNetworkReply::OperationCanceledError && !tooLarge);
    if (tooLarge) {
        page.reason = QStringLiteral("页面大于 %1 MB，不是开奖结果页面").arg(kMaxDownloadBytes / (1024 * 1024));
        return page;
    }
    if (error != QNetworkReply::NoError || timedOut || status < 200 || status >= 300) {
        page.reason = failureReason(error, status, timedOut, pageTimeoutMs_);
        if (!timedOut && (status == 404 || status == 410))
            page.outcome = FetchedPage::Outcome::Missing;
        return page;
    }
    page.outcome = FetchedPage::Outcome::Read;
    page.body = reply->readAll();
    page.contentType = QString::fromLatin1(reply->rawHeader("Content-Type"));
    page.detail.clear();
    return page;
}

}  // namespace qudrim::app
