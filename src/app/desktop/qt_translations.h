// Qt's own texts in Simplified Chinese: the standard buttons of message and
// input boxes ("确定", "取消"), the open-file dialog and the context menus of
// the text boxes, so that they speak the language of the rest of the window;
// and the program's locale, by which Qt writes dates, numbers and file types.
#pragma once

class QCoreApplication;
class QLocale;
class QTranslator;

namespace qudrim::app {

// Simplified Chinese (China), whatever the system's locale.
QLocale chineseLocale();
// Makes it the application's default locale: the file dialog's types
// ("纯文本文档"), sizes and dates then read as in the rest of the window.
void useChineseLocale();

// Loads Qt's Simplified Chinese translations from Qt's translations folder
// and installs them; the translator belongs to `app`. Null when they are not
// there: the dialogs then keep Qt's English texts.
QTranslator* installQtChineseTranslations(QCoreApplication& app);

}  // namespace qudrim::app
