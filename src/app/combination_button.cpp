// "组合检索(&G)": the combination search over every combination of the chosen size.
#include "app/frmMain.h"

void frmMain::Command2_Click() { commandNotBuilt(); }
