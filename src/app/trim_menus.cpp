// "删除到选定期" and "删除最后指定数量期历史": cut the history back from its end.
#include "app/frmMain.h"

void frmMain::mnuDlzd_Click() { commandNotBuilt(); }

void frmMain::mnuEszhzd_Click() { commandNotBuilt(); }
