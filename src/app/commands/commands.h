// The window's history commands, each in a file of its own. Every command
// asks the user what it needs, runs its sequence of the core on the
// history, tells the history what changed (which brings the list, the next
// issue and the panel up to date) and words what failed. The window calls
// one only after its step before every command: the lost-focus handler of
// a box still being typed in, then the history settled.
#pragma once

#include "store/attribute_kind.h"

#include <cstdint>

class QAbstractItemModel;
class QDate;

namespace qudrim::app {

class SettingsStore;
struct CommandContext;
struct ImportPace;

// "读取历史号文本(&W)": replaces the history by a history text file. A first
// line without an issue comes after `nextIssue`; a long import shows its
// progress, with Cancel, at the `pace` given.
void importHistoryFile(const CommandContext& context, int32_t nextIssue, const CodeBases& bases, const ImportPace& pace);

// "历史号在线更新(&O)": brings the history up to date from the results site,
// up to the year of `today`.
void updateOnline(const CommandContext& context, SettingsStore& settings, int16_t yearsKept, const CodeBases& bases,
                  const QDate& today);

// "删除到选定期(&D)" and "删除最后指定数量期历史(&E)": keeps the draws up to an
// issue, or all but the last ones, rebuilding the history from "lsbf.txt".
void trimToIssue(const CommandContext& context, int32_t nextIssue, const CodeBases& bases);
void trimLastDraws(const CommandContext& context, int32_t nextIssue, const CodeBases& bases);

// "删除最后历史(&D)": deletes the newest draw, asking nothing.
void deleteLastDraw(const CommandContext& context);
// "清空历史号码(&C)": empties the history after a question.
void clearHistory(const CommandContext& context);
// Its question; a trim that would keep no draw asks it too. True for OK.
bool confirmClearing(const CommandContext& context);

// "历史号码导出文本文件(&O)": the history as a text file, opened in the editor.
void exportHistoryText(const CommandContext& context);
// What a grid shows (its model) as the workbook `fileName` in the program
// folder, opened in the spreadsheet program; `busyWhileCopying` shows the
// busy cursor while the grid's texts are copied.
void exportGrid(const CommandContext& context, const QAbstractItemModel& grid, const char* fileName,
                bool busyWhileCopying);

}  // namespace qudrim::app
