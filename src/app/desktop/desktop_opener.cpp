#include "app/desktop/desktop_opener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QTimer>

#include <memory>

namespace qudrim::app {

namespace {

// What one open still owes: its answer, given once.
struct Pending {
    DesktopOpener::Failed failed;
    bool answered = false;
};

// xdg-open's own account of its status.
QString statusMeaning(int status)
{
    switch (status) {
    case 1: return QStringLiteral("（命令行有误）");
    case 2: return QStringLiteral("（文件不存在）");
    case 3: return QStringLiteral("（没有找到打开这种文件的程序）");
    case 4: return QStringLiteral("（打开失败）");
    }
    return {};
}

}  // namespace

DesktopOpener::DesktopOpener(QObject* parent)
    : QObject(parent), fallback_([](const QUrl& url) { return QDesktopServices::openUrl(url); })
{
}

DesktopOpener::~DesktopOpener()
{
    // Killing xdg-open ends xdg-open alone: a program it runs stays open. No
    // answer is given any more, to a window that is going.
    for (QProcess* process : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        process->disconnect();
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished();
        }
    }
}

void DesktopOpener::open(const QUrl& url, Failed failed)
{
    auto pending = std::make_shared<Pending>(Pending{std::move(failed)});
    ++awaiting_;
    // The answer, once: an empty `failure` says it opened.
    auto answer = [this, pending](const QString& failure) {
        if (pending->answered)
            return;
        pending->answered = true;
        --awaiting_;
        if (!failure.isEmpty() && pending->failed)
            pending->failed(failure);
    };

    auto* process = new QProcess(this);
    process->setProgram(program_);
    // One argument, never a shell line: a file's name may hold anything.
    process->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)});
    process->setStandardInputFile(QProcess::nullDevice());
    // Its complaints go where the program's own go.
    process->setProcessChannelMode(QProcess::ForwardedChannels);

    auto* patience = new QTimer(process);
    patience->setSingleShot(true);
    connect(patience, &QTimer::timeout, this, [answer] { answer({}); });

    connect(process, &QProcess::finished, this, [this, process, answer](int status, QProcess::ExitStatus how) {
        if (how == QProcess::CrashExit)
            answer(QStringLiteral("“%1”意外终止。").arg(process->program()));
        else if (status != 0)
            answer(QStringLiteral("“%1”结束时的退出状态是 %2%3。")
                       .arg(process->program())
                       .arg(status)
                       .arg(statusMeaning(status)));
        else
            answer({});
        --running_;
        process->deleteLater();
    });
    connect(process, &QProcess::errorOccurred, this, [this, process, url, answer](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        // Without xdg-open, whatever Qt finds on this desktop opens it.
        const QString why = process->errorString();
        --running_;
        process->deleteLater();
        if (fallback_ && fallback_(url))
            answer({});
        else
            answer(QStringLiteral("无法启动“%1”（%2），系统的其他打开方式也没有能够打开它。").arg(process->program(), why));
    });

    ++running_;
    patience->start(answerMs_);
    process->start();
}

}  // namespace qudrim::app
