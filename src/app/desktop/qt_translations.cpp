#include "app/desktop/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>

namespace qudrim::app {

namespace {

// Qt's Chinese translations as shipped, plus the few texts they lack: the
// open-file dialog names folders and drives in its type column through a
// context the shipped file does not translate, so the column would read
// "Folder" beside "纯文本文档".
class QtChineseTranslator final : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        const QString shipped = QTranslator::translate(context, sourceText, disambiguation, n);
        if (!shipped.isEmpty() || !context || !sourceText)
            return shipped;
        if (std::strcmp(context, "QAbstractFileIconProvider") == 0) {
            if (std::strcmp(sourceText, "Folder") == 0 || std::strcmp(sourceText, "File Folder") == 0)
                return QStringLiteral("文件夹");
            if (std::strcmp(sourceText, "Drive") == 0)
                return QStringLiteral("驱动器");
        }
        return {};
    }
};

}  // namespace

QLocale chineseLocale() { return QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China); }

void useChineseLocale() { QLocale::setDefault(chineseLocale()); }

QTranslator* installQtChineseTranslations(QCoreApplication& app)
{
    // The translator lives as long as the application that uses it.
    auto* translator = new QtChineseTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

}  // namespace qudrim::app
