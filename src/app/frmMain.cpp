#include "app/frmMain.h"
frmMain::frmMain(const QString&, QWidget* parent) : QWidget(parent) {}
