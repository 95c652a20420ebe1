// "删除最后历史" and "清空历史号码": delete the newest draw, or every draw.
#include "app/frmMain.h"

void frmMain::Command3_Click() { commandNotBuilt(); }

void frmMain::mnuErase_Click() { commandNotBuilt(); }

void frmMain::mnuClear_Click() { commandNotBuilt(); }
