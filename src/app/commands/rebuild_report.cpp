#include "app/commands/rebuild_report.h"

#include "app/desktop/file_paths.h"
#include "app/desktop/prompter.h"
#include "store/plain_text.h"


namespace qudrim::app {

namespace {

const QString kUnchanged = QStringLiteral("历史号码保持原样，没有任何改动。");

// Why a refused line is no draw.
QString describeFault(const history::RefusedLine& r)
{
    switch (r.fault) {
    case history::LineFault::FewerThanSeven:
        return QStringLiteral("这一行只有 %1 个号码，每一期必须有七个号码（六个平码和一个特码）。").arg(r.count);
    case history::LineFault::OutOfRange:
        return QStringLiteral("号码 %1 不在 01～49 之间。").arg(QString::fromStdString(twoDigits(r.number)));
    case history::LineFault::Repeated:
        return QStringLiteral("号码 %1 出现了两次，一期的七个号码必须各不相同。").arg(QString::fromStdString(twoDigits(r.number)));
    case history::LineFault::IssueNotAscending:
        return QStringLiteral("期号 %1 不大于前面一期的期号 %2，期号必须逐行增大。").arg(r.issue).arg(r.previousIssue);
    }
    return {};
}

// A line as it stands in the file, short enough for a message box.
QString shownLine(const std::string& bytes)
{
    QString line = QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
    constexpr qsizetype kLongest = 80;
    if (line.size() > kLongest)
        line = line.left(kLongest) + QStringLiteral("……");
    return line;
}

}  // namespace

void reportRebuildFailure(Prompter& prompter, QWidget* parent, const QString& title,
                          const std::filesystem::path& file, const history::RebuildResult& result)
{
    const QString path = toQString(file);
    const QString detail = QString::fromStdString(result.detail);
    switch (result.status) {
    case history::RebuildStatus::Rebuilt:
    case history::RebuildStatus::Cancelled:  // the user's own doing: nothing to tell
        return;
    case history::RebuildStatus::Unreadable:
        prompter.warning(parent, title,
                         QStringLiteral("文件 %1 无法读取。%2\n\n请确认这个文件存在，并且没有被其他程序占用。")
                             .arg(path, kUnchanged),
                         detail);
        return;
    case history::RebuildStatus::LineRefused: {
        const history::RefusedLine& r = *result.refused;
        prompter.warning(parent, title,
                         QStringLiteral("文件 %1 的第 %2 行不是一期完整的历史号码，整个文件没有读入。%3\n\n"
                                        "第 %2 行：%4\n%5\n\n请改正这一行后再读入。")
                             .arg(path, QString::number(r.lineNumber), kUnchanged, shownLine(r.text),
                                  describeFault(r)));
        return;
    }
    case history::RebuildStatus::NoDraw:
        prompter.warning(parent, title,
                         QStringLiteral("文件 %1 中没有任何一期历史号码。%2\n\n每一行应当是期号和七个两位数的号码，"
                                        "例如：2014016 05 12 23 34 45 49 07")
                             .arg(path, kUnchanged));
        return;
    case history::RebuildStatus::StoreRefused:
        prompter.warning(parent, title,
                         QStringLiteral("文件 %1 中的历史号码没有能够保存到历史数据库。%2").arg(path, kUnchanged),
                         detail);
        return;
    }
}

}  // namespace qudrim::app
