// "历史号在线更新(&O)": appends the new draws of the yearly results pages.
#include "app/frmMain.h"

void frmMain::Command21_Click() { commandNotBuilt(); }
