// Folding the write-ahead log into the history file once the window is idle.
// A commit is complete in the log the moment it returns; copying it into the
// file (the checkpoint, with its sync to disk) is left for the first moment
// the event loop has nothing else to do, so a search or a typed draw never
// waits for it. Closing the store folds in whatever is left.
#include "app/frmMain.h"

#include <QTimer>

void frmMain::historyChanged()
{
    if (!checkpointTimer_) {
        checkpointTimer_ = new QTimer(this);
        checkpointTimer_->setSingleShot(true);
        // A zero interval fires once the events already waiting are handled.
        checkpointTimer_->setInterval(0);
        connect(checkpointTimer_, &QTimer::timeout, this, &frmMain::checkpointWhenIdle);
    }
    checkpointTimer_->start();
}

void frmMain::checkpointWhenIdle()
{
    if (!store_ || !store_->isOpen())
        return;
    try {
        // Passive: never waits for another program that has the file open;
        // what it cannot copy now stays safe in the log for the next one.
        store_->checkpoint(qudrim::store::CheckpointMode::Passive);
    } catch (const std::exception&) {
        // Nothing is lost: every commit is whole in the log, and the next
        // change, the log limit or closing the history folds it in.
    }
}
