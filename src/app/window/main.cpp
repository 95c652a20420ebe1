#include "app/desktop/qt_translations.h"
#include "app/window/frmMain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Without the translations the dialogs keep working, with English buttons.
    qudrim::app::installQtChineseTranslations(app);
    // Dates, numbers and file types in Qt's dialogs follow the same language.
    qudrim::app::useChineseLocale();
    // The program folder is the folder of the executable, wherever it was
    // started from: the history database and the help pages live there.
    frmMain window(QCoreApplication::applicationDirPath());
    // A second start on the same program folder has said that the history is
    // open in another window, and touched nothing.
    if (!window.holdsHistory())
        return 1;
    window.show();
    return app.exec();
}
