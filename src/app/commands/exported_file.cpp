#include "app/commands/exported_file.h"

#include "app/desktop/file_paths.h"
#include "app/desktop/prompter.h"

#include <QDir>
#include <QPointer>
#include <QWidget>
#include <QUrl>

namespace qudrim::app {

void showExportedFile(Prompter& prompter, QWidget* parent, const std::filesystem::path& file, const QString& program)
{
    const QString path = toQString(file);
    // The answer comes once the desktop has tried; a window closed meanwhile
    // is told nothing.
    const QPointer<QWidget> window(parent);
    prompter.openUrl(QUrl::fromLocalFile(path), [&prompter, parent, window, path, program](const QString& detail) {
        if (parent && !window)
            return;
        prompter.warning(window, QStringLiteral("无法打开文件"),
                         QStringLiteral("文件已经写好：\n%1\n但没有能够用%2打开它，请自己打开这个文件。")
                             .arg(QDir::toNativeSeparators(path), program),
                         detail);
    });
}

void reportFailedExport(Prompter& prompter, QWidget* parent, const QString& fileName, const QString& detail)
{
    prompter.warning(parent, QStringLiteral("导出失败"),
                     QStringLiteral("没有能够在程序文件夹中写入“%1”，原有的同名文件保持不变。\n"
                                    "请确认程序文件夹可以写入、这个文件没有在其他程序中打开，然后再试。")
                         .arg(fileName),
                     detail);
}

}  // namespace qudrim::app
