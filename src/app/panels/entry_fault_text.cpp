#include "app/panels/entry_fault_text.h"

namespace qudrim::app {

namespace {

QString boxName(int box)
{
    return box == 7 ? QStringLiteral("特码框") : QStringLiteral("第%1个号码框").arg(box);
}

}  // namespace

QString entryFaultText(const EntryCheck& c)
{
    const QString boxText = QString::fromStdString(c.boxText);
    switch (c.fault) {
    case EntryFault::None:
        return {};
    case EntryFault::Incomplete:
        return boxName(c.faultyBox) + QStringLiteral("没有输入完整，每个号码必须是两位数字（01～49）。");
    case EntryFault::OutOfRange:
        return boxName(c.faultyBox) + QStringLiteral("的号码 %1 不在 01～49 之间。").arg(boxText);
    case EntryFault::Repeated:
        return boxName(c.faultyBox) +
               QStringLiteral("的号码 %1 与%2重复，七个号码必须各不相同。").arg(boxText, boxName(c.earlierBox));
    case EntryFault::IssueNotNumber:
        return QStringLiteral("期号必须是一个正整数，例如 2026001。");
    case EntryFault::IssueNotAfter:
        return QStringLiteral("期号 %1 必须大于最后一期历史号码的期号 %2。").arg(c.issue).arg(c.lastIssue);
    }
    return {};
}

}  // namespace qudrim::app
