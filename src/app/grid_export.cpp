// The three grids as spreadsheet workbooks in the program folder, opened in
// the desktop's spreadsheet program: a double click on a grid, or
// "导出历史号码(&O)" of the history menu for the history list.
#include "app/frmMain.h"

#include "app/busy_cursor.h"
#include "app/exported_file.h"
#include "app/error_text.h"
#include "history/export_file.h"
#include "history/workbook.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QTableView>

using namespace qudrim;

namespace {

// What the grid shows, header row first: grid row r >= 1 is model row r - 1.
history::TextTable gridTexts(const QTableView* grid)
{
    const QAbstractItemModel& m = *grid->model();
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

void saveAndShow(app::Prompter& prompter, QWidget* parent, const QString& folder, const history::TextTable& table,
                 const char* fileName)
{
    const QString name = QString::fromUtf8(fileName);
    const std::filesystem::path file = app::toPath(QDir(folder).filePath(name));
    try {
        history::writeWorkbook(file, table);
    } catch (const history::ExportError& e) {
        app::reportFailedExport(prompter, parent, name, app::exceptionText(e));
        return;
    }
    app::showExportedFile(prompter, parent, file, QStringLiteral("电子表格程序"));
}

}  // namespace

void frmMain::mnuDcls_Click()
{
    runPendingBoxHandler();
    history::TextTable table;
    {
        // The busy cursor covers the copy of the grid and is gone before the save.
        app::BusyCursor busy;
        table = gridTexts(MSFlexGrid1);
    }
    saveAndShow(*prompter_, this, programFolder_, table, history::kHistoryWorkbook);
}

void frmMain::MSFlexGrid1_DblClick()
{
    saveAndShow(*prompter_, this, programFolder_, gridTexts(MSFlexGrid1), history::kHistoryWorkbook);
}

void frmMain::MSFlexGrid2_DblClick()
{
    saveAndShow(*prompter_, this, programFolder_, gridTexts(MSFlexGrid2), history::kHitsWorkbook);
}

void frmMain::MSFlexGrid3_DblClick()
{
    saveAndShow(*prompter_, this, programFolder_, gridTexts(MSFlexGrid3), history::kTallyWorkbook);
}
