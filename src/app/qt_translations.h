// Qt's own texts in Simplified Chinese: the standard buttons of message and
// input boxes ("确定", "取消"), the open-file dialog and the context menus of
// the text boxes, so that they speak the language of the rest of the window.
#pragma once

class QCoreApplication;
class QTranslator;

namespace qudrim::app {

// Loads Qt's Simplified Chinese translations from Qt's translations folder
// and installs them; the translator belongs to `app`. Null when they are not
// there: the dialogs then keep Qt's English texts.
QTranslator* installQtChineseTranslations(QCoreApplication& app);

}  // namespace qudrim::app
