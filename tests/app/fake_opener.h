// A stand-in for xdg-open in the tests: a script in a temporary folder that
// writes each argument it gets on a line of its own beside it, and ends with
// the status it was made with; or, made to wait, ends only once the test
// lets it.
#pragma once

#include "support/history_fixture.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <fstream>
#include <string>

namespace qudrim::testing {

class FakeOpener {
public:
    enum class Ends { AtOnce, WhenLetGo, Killed };

    explicit FakeOpener(int status, Ends ends = Ends::AtOnce)
    {
        const std::string dir = folder_.path().string();
        std::ofstream script(scriptPath(), std::ios::binary);
        script << "#!/bin/sh\n"
               << "for a in \"$@\"; do printf '%s\\n' \"$a\"; done >> '" << dir << "/arguments'\n";
        if (ends == Ends::WhenLetGo)
            script << "while [ ! -e '" << dir << "/go' ]; do sleep 0.02; done\n";
        if (ends == Ends::Killed)
            script << "kill -9 $$\n";
        script << "exit " << status << "\n";
        script.close();
        std::filesystem::permissions(scriptPath(), std::filesystem::perms::owner_all);
    }

    QString program() const { return QFile::decodeName(QByteArray::fromStdString(scriptPath().string())); }
    // Every argument of every run, in order.
    QStringList arguments() const
    {
        QFile f(QFile::decodeName(QByteArray::fromStdString((folder_.path() / "arguments").string())));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        lines.removeLast();
        return lines;
    }
    // A waiting run ends now.
    void letGo() const { std::ofstream(folder_.path() / "go") << "go"; }

private:
    std::filesystem::path scriptPath() const { return folder_.path() / "xdg-open"; }

    TempFolder folder_;
};

}  // namespace qudrim::testing
