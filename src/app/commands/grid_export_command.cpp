// The three grids as spreadsheet workbooks in the program folder, opened in
// the desktop's spreadsheet program: a double click on a grid, or
// "导出历史号码(&O)" of the history menu for the history list.
#include "app/commands/commands.h"

#include "app/commands/command_context.h"
#include "app/commands/exported_file.h"
#include "app/desktop/error_text.h"
#include "app/desktop/file_paths.h"
#include "app/widgets/busy_cursor.h"
#include "history/export_file.h"
#include "history/workbook.h"

#include <QAbstractItemModel>
#include <QDir>

#include <optional>

namespace qudrim::app {

namespace {

// What the grid shows, header row first: grid row r >= 1 is model row r - 1.
history::TextTable gridTexts(const QAbstractItemModel& m)
{
    const int rows = m.rowCount();
    const int columns = m.columnCount();
    history::TextTable table;
    table.reserve(static_cast<size_t>(rows) + 1);
    auto& header = table.emplace_back();
    for (int c = 0; c < columns; ++c)
        header.push_back(m.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toStdString());
    for (int r = 0; r < rows; ++r) {
        auto& row = table.emplace_back();
        row.reserve(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(m.index(r, c).data(Qt::DisplayRole).toString().toStdString());
    }
    return table;
}

void saveAndShow(Prompter& prompter, QWidget* parent, const QString& folder, const history::TextTable& table,
                 const char* fileName)
{
    const QString name = QString::fromUtf8(fileName);
    const std::filesystem::path file = toPath(QDir(folder).filePath(name));
    try {
        history::writeWorkbook(file, table);
    } catch (const history::ExportError& e) {
        reportFailedExport(prompter, parent, name, exceptionText(e));
        return;
    }
    showExportedFile(prompter, parent, file, QStringLiteral("电子表格程序"));
}

}  // namespace

void exportGrid(const CommandContext& context, const QAbstractItemModel& grid, const char* fileName,
                bool busyWhileCopying)
{
    history::TextTable table;
    {
        // The busy cursor covers the copy of the grid and is gone before the save.
        std::optional<BusyCursor> busy;
        if (busyWhileCopying)
            busy.emplace();
        table = gridTexts(grid);
    }
    saveAndShow(context.prompter, context.window, context.programFolder, table, fileName);
}

}  // namespace qudrim::app
