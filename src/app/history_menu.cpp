// The history menu "历史管理": releasing the right mouse button over the
// history list pops it up at the pointer.
#include "app/frmMain.h"

#include <QCursor>
#include <QMenu>

void frmMain::MSFlexGrid1_MouseUp(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        mnuLsgl->popup(QCursor::pos());
}
