// "历史号码导出文本文件(&O)": writes the history list as a text file of history lines.
#include "app/frmMain.h"

void frmMain::Command4_Click() { commandNotBuilt(); }
