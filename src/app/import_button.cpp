// "读取历史号文本(&W)": replaces the history by the draws of a history text file.
#include "app/frmMain.h"

void frmMain::cmdRdLst_Click() { commandNotBuilt(); }
