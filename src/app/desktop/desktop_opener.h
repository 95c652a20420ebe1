// Opening a page or a file in the program the desktop gives it, through
// xdg-open, so that a failure is known: xdg-open ends with a non-zero status
// when there is no program for the type (3, 4) or the program would not
// start, where Qt's own opener answers "opened" the moment xdg-open starts.
//
// Nothing waits for the answer: the command that opens returns at once, and
// a failure is told when xdg-open ends. On a desktop xdg-open knows, it ends
// as soon as the program has the file. Elsewhere it runs the program itself
// and ends only with it: one still running after the answer time has started
// its program, and counts as opened whatever it ends with later.
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

namespace qudrim::app {

class DesktopOpener final : public QObject {
    Q_OBJECT
public:
    // Told, once, when an open failed; `detail` says how, for the detail
    // area of the message.
    using Failed = std::function<void(const QString& detail)>;

    explicit DesktopOpener(QObject* parent = nullptr);
    // An opener still running is ended with the window; a program it has
    // started stays open.
    ~DesktopOpener() override;

    // The opener that is run, "xdg-open" on the PATH unless set; it gets the
    // local path of a file, or the address of a page, as its only argument.
    void setProgram(const QString& program) { program_ = program; }
    const QString& program() const { return program_; }
    // Where the opener cannot be started (not installed), this opens
    // instead and answers whether it could; Qt's own opener unless set.
    void setFallback(std::function<bool(const QUrl&)> fallback) { fallback_ = std::move(fallback); }
    // How long an opener is waited for before it counts as opened.
    void setAnswerTime(int milliseconds) { answerMs_ = milliseconds; }

    // Starts opening `url`; `failed` runs later, from the event loop (or at
    // once, where even the fallback fails), when it could not be opened.
    void open(const QUrl& url, Failed failed);

    // Opens whose answer is still to come.
    int awaitingAnswer() const { return awaiting_; }
    // Openers still running, their answer come or not.
    int running() const { return running_; }

private:
    QString program_ = QStringLiteral("xdg-open");
    std::function<bool(const QUrl&)> fallback_;
    int answerMs_ = 10000;
    int awaiting_ = 0;
    int running_ = 0;
};

}  // namespace qudrim::app
