// The three grids as spreadsheet workbooks: a double click on a grid, or "导出历史号码" of the history menu.
#include "app/frmMain.h"

void frmMain::mnuDcls_Click() { commandNotBuilt(); }

void frmMain::MSFlexGrid1_DblClick() { commandNotBuilt(); }

void frmMain::MSFlexGrid2_DblClick() { commandNotBuilt(); }

void frmMain::MSFlexGrid3_DblClick() { commandNotBuilt(); }
