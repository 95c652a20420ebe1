#include "draw/draw_entry.h"

#include "draw/tables.h"

#include <cctype>
#include <limits>

namespace qudrim {

namespace {

std::string boxName(int box) { return box == 7 ? std::string("特码框") : "第" + std::to_string(box) + "个号码框"; }

bool twoDigits(std::string_view t)
{
    return t.size() == 2 && std::isdigit(static_cast<unsigned char>(t[0])) &&
           std::isdigit(static_cast<unsigned char>(t[1]));
}

}  // namespace

int boxNumber(std::string_view text)
{
    int v = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        v = v * 10 + (c - '0');
    }
    return v;
}

EntryCheck checkEntry(const std::array<std::string, 7>& boxTexts, std::string_view issueText,
                      std::optional<int32_t> lastIssue)
{
    EntryCheck check;
    DrawInput draw;
    for (int box = 1; box <= 7; ++box) {
        const std::string& t = boxTexts[static_cast<size_t>(box - 1)];
        if (!twoDigits(t)) {
            check.faultyBox = box;
            check.message = boxName(box) + "没有输入完整，每个号码必须是两位数字（01～49）。";
            return check;
        }
        const int n = boxNumber(t);
        if (!isDrawNumber(n)) {
            check.faultyBox = box;
            check.message = boxName(box) + "的号码 " + t + " 不在 01～49 之间。";
            return check;
        }
        for (int earlier = 1; earlier < box; ++earlier)
            if (draw.numbers[static_cast<size_t>(earlier - 1)] == n) {
                check.faultyBox = box;
                check.message = boxName(box) + "的号码 " + t + " 与" + boxName(earlier) + "重复，七个号码必须各不相同。";
                return check;
            }
        draw.numbers[static_cast<size_t>(box - 1)] = n;
    }

    int64_t issue = 0;
    if (!parseInt(issueText, issue) || issue <= 0 || issue > std::numeric_limits<int32_t>::max()) {
        check.message = "期号必须是一个正整数，例如 2026001。";
        return check;
    }
    if (lastIssue && issue <= *lastIssue) {
        check.message = "期号 " + std::to_string(issue) + " 必须大于最后一期历史号码的期号 " +
                        std::to_string(*lastIssue) + "。";
        return check;
    }
    draw.issue = static_cast<int32_t>(issue);
    draw.zodiacIssue = draw.issue;
    check.draw = draw;
    return check;
}

}  // namespace qudrim
