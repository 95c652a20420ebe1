// What the user reads when a typed draw is refused: every fault of the
// entry check in words, with the boxes and numbers it names.
#include "app/panels/entry_fault_text.h"

#include <gtest/gtest.h>

using qudrim::EntryCheck;
using qudrim::EntryFault;

namespace {

EntryCheck boxFault(EntryFault fault, int box, const char* text, int earlier = 0)
{
    EntryCheck c;
    c.fault = fault;
    c.faultyBox = box;
    c.earlierBox = earlier;
    c.boxText = text;
    return c;
}

EntryCheck issueFault(EntryFault fault, int64_t issue = 0, int32_t lastIssue = 0)
{
    EntryCheck c;
    c.fault = fault;
    c.issue = issue;
    c.lastIssue = lastIssue;
    return c;
}

TEST(EntryFaultText, EachFaultInWords)
{
    struct Case {
        EntryCheck check;
        QString text;
    };
    const Case cases[] = {
        {boxFault(EntryFault::Incomplete, 3, "5_"),
         QStringLiteral("第3个号码框没有输入完整，每个号码必须是两位数字（01～49）。")},
        {boxFault(EntryFault::Incomplete, 7, "5_"),
         QStringLiteral("特码框没有输入完整，每个号码必须是两位数字（01～49）。")},
        {boxFault(EntryFault::OutOfRange, 5, "50"),
         QStringLiteral("第5个号码框的号码 50 不在 01～49 之间。")},
        {boxFault(EntryFault::OutOfRange, 7, "00"),
         QStringLiteral("特码框的号码 00 不在 01～49 之间。")},
        {boxFault(EntryFault::Repeated, 6, "05", 2),
         QStringLiteral("第6个号码框的号码 05 与第2个号码框重复，七个号码必须各不相同。")},
        {boxFault(EntryFault::Repeated, 7, "45", 3),
         QStringLiteral("特码框的号码 45 与第3个号码框重复，七个号码必须各不相同。")},
        {issueFault(EntryFault::IssueNotNumber), QStringLiteral("期号必须是一个正整数，例如 2026001。")},
        {issueFault(EntryFault::IssueNotAfter, 2013010, 2013016),
         QStringLiteral("期号 2013010 必须大于最后一期历史号码的期号 2013016。")},
        {EntryCheck{}, QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qudrim::app::entryFaultText(c.check), c.text) << static_cast<int>(c.check.fault);
}

}  // namespace
