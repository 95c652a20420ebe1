#include "app/panels/settings_menu.h"

#include "app/desktop/error_text.h"
#include "app/desktop/prompter.h"
#include "app/panels/settings_keys.h"
#include "app/panels/settings_store.h"
#include "app/widgets/controls.h"

#include <QAction>
#include <QCursor>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

namespace qudrim::app {

SettingsMenu::SettingsMenu(QPushButton* Command9, SettingsStore& settings, Prompter& prompter,
                           const QString& programFolder, std::function<bool()> beforeCommand, QWidget* window)
    : QObject(window), Command9_(Command9), settings_(settings), prompter_(prompter), programFolder_(programFolder),
      beforeCommand_(std::move(beforeCommand)), window_(window)
{
    createMenu();
    connect(Command9_, &QPushButton::clicked, this, [this] { Command9_Click(); });
    // Whether the button is pressed with the mouse or the keyboard decides
    // where its menu opens.
    Command9_->installEventFilter(this);
}

void SettingsMenu::createMenu()
{
    mnuSetup = named<QMenu>(QStringLiteral("mnuSetup"), QStringLiteral("设置"), window_);
    auto basePair = [this](const char* subName, const QString& subTitle, std::array<QAction*, 2>& pair,
                           const char* itemName, const QString& caption0, const QString& caption1, int which) {
        QMenu* sub = named<QMenu>(QString::fromLatin1(subName), subTitle, mnuSetup);
        mnuSetup->addMenu(sub);
        for (int i = 0; i < 2; ++i) {
            pair[static_cast<size_t>(i)] = namedAction(
                sub, QString::fromLatin1(itemName) + QLatin1Char('_') + QString::number(i), i == 0 ? caption0 : caption1);
            pair[static_cast<size_t>(i)]->setCheckable(true);
            connect(pair[static_cast<size_t>(i)], &QAction::triggered, this, [this, which, i] { mnuCodeBase_Click(which, i); });
        }
    };
    basePair("mnuSxCssetup", QStringLiteral("生肖(肖位)参数设置(&S)"), mnuSxcs, "mnuSxcs",
             QStringLiteral("生肖(肖位)参数0~11"), QStringLiteral("生肖(肖位)参数1~12"), 0);
    basePair("mnuDssetup", QStringLiteral("段数参数设置(&A)"), mnuDscs, "mnuDscs", QStringLiteral("段数参数0~6"),
             QStringLiteral("段数参数1~7"), 1);
    basePair("mnuBssetup", QStringLiteral("波色参数设置(&B)"), mnuBscs, "mnuBscs", QStringLiteral("波色参数0~2"),
             QStringLiteral("波色参数1~3"), 2);
    QAction* mk10 = mnuSetup->addSeparator();
    mk10->setObjectName(QStringLiteral("mk10"));
    QAction* mnuSetDay = namedAction(mnuSetup, QStringLiteral("mnuSetDay"), QStringLiteral("历史号码更新检索年(&Y)"));
    QAction* mnuFrontPage = namedAction(mnuSetup, QStringLiteral("mnuFrontPage"), QStringLiteral("软件服务主页(&P)"));
    QAction* mnuDescrb = namedAction(mnuSetup, QStringLiteral("mnuDescrb"), QStringLiteral("软件介绍说明(&R)"));
    QAction* numYanshiDown =
        namedAction(mnuSetup, QStringLiteral("numYanshiDown"), QStringLiteral("软件演示说明录像下载(&D)"));

    connect(mnuSetDay, &QAction::triggered, this, [this] { mnuSetDay_Click(); });
    connect(mnuFrontPage, &QAction::triggered, this, [this] { openHelpPage(QStringLiteral("index.html")); });
    connect(mnuDescrb, &QAction::triggered, this, [this] { openHelpPage(QStringLiteral("manual.html")); });
    connect(numYanshiDown, &QAction::triggered, this, [this] { openHelpPage(QStringLiteral("demo.html")); });
}

void SettingsMenu::loadYearsKept()
{
    // The lunar-new-year and wave-colour tables are fixed tables of the
    // program; only the years of history to keep come from the settings.
    IniSerchDay_ = settings_.readInt16(settingKey::IniSerchDay, 6);
}

void SettingsMenu::loadCodeBases()
{
    bases_.DsIni = settings_.readInt16(settingKey::DsIni, 1);
    bases_.SxIni = settings_.readInt16(settingKey::SxIni, 1);
    markPair(mnuDscs, bases_.DsIni);
    bases_.BsIni = settings_.readInt16(settingKey::BsIni, 1);
    markPair(mnuBscs, bases_.BsIni);
    markPair(mnuSxcs, bases_.SxIni);
}

void SettingsMenu::Command9_Click()
{
    if (!beforeCommand_())
        return;
    // A click opens the menu at the pointer; Alt+T or the space bar opens it
    // below the button, wherever the pointer happens to be.
    const QPoint at = command9ByMouse_ ? QCursor::pos() : Command9_->mapToGlobal(QPoint(0, Command9_->height()));
    command9ByMouse_ = false;
    mnuSetup->popup(at);
}

void SettingsMenu::mnuCodeBase_Click(int which, int index)
{
    // which: 0 zodiac (SxIni), 1 segment (DsIni), 2 wave colour (BsIni).
    // Rows already stored keep their codes; the new base applies to the rows
    // stored from now on and to every name lookup.
    static const QString keys[3] = {settingKey::SxIni, settingKey::DsIni, settingKey::BsIni};
    int* bases[3] = {&bases_.SxIni, &bases_.DsIni, &bases_.BsIni};
    std::array<QAction*, 2>* pairs[3] = {&mnuSxcs, &mnuDscs, &mnuBscs};
    if (!beforeCommand_()) {
        // The click toggled the entry's check mark; the base has not changed.
        markPair(*pairs[which], *bases[which]);
        return;
    }
    *bases[which] = index;
    settings_.saveInt(keys[which], index);
    markPair(*pairs[which], index);
}

void SettingsMenu::markPair(const std::array<QAction*, 2>& pair, int base)
{
    pair[0]->setChecked(false);
    pair[1]->setChecked(false);
    if (base == 0 || base == 1)
        pair[static_cast<size_t>(base)]->setChecked(true);
}

void SettingsMenu::mnuSetDay_Click()
{
    if (!beforeCommand_())
        return;
    const QString prompt = QStringLiteral(
        "请输入更新需要保留的历史号码的年数（2~16中的任意自然数），如果超过年数将删除最早的一年的历史号码");
    for (;;) {
        const QString answer = prompter_.getText(window_, QStringLiteral("设置年数"), prompt, QString::number(IniSerchDay_));
        if (answer.isEmpty())
            return;
        // Anything but a whole number from 2 to 16 is asked for again.
        const auto v = SettingsStore::toInt16(answer);
        if (!v || *v > 16 || *v < 2) {
            prompter_.warning(
                window_, inputErrorTitle(),
                QStringLiteral("为了保证时效性和提高计算效率，软件只能统计16年以内的数据，请输入2到16中的自然数。"));
            continue;
        }
        IniSerchDay_ = *v;
        settings_.saveInt(settingKey::IniSerchDay, *v);
        return;
    }
}

void SettingsMenu::openHelpPage(const QString& fileName)
{
    if (!beforeCommand_())
        return;
    // The help pages ship beside the program; an entry whose own page is not
    // there opens the main help page instead.
    const QDir docs(QDir(programFolder_).filePath(QStringLiteral("docs")));
    QString path = docs.filePath(fileName);
    if (!QFileInfo::exists(path))
        path = docs.filePath(QStringLiteral("index.html"));
    if (!QFileInfo::exists(path)) {
        prompter_.warning(window_, QStringLiteral("找不到帮助页面"),
                          QStringLiteral("帮助页面不存在：\n%1\n\n帮助页面随程序一起安装在程序文件夹的 docs 文件夹中，"
                                         "请重新安装本程序。")
                              .arg(QDir::toNativeSeparators(docs.filePath(fileName))));
        return;
    }
    // The answer comes once the browser has been tried; a window closed
    // meanwhile is told nothing.
    Prompter& prompter = prompter_;
    const QPointer<QWidget> window(window_);
    prompter_.openUrl(QUrl::fromLocalFile(path), [&prompter, window, path](const QString& detail) {
        if (!window)
            return;
        prompter.warning(window, QStringLiteral("无法打开帮助页面"),
                         QStringLiteral("无法在网页浏览器中打开帮助页面：\n%1\n\n"
                                        "请确认系统中装有网页浏览器，或者直接用浏览器打开这个文件。")
                             .arg(QDir::toNativeSeparators(path)),
                         detail);
    });
}

bool SettingsMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Command9_) {
        if (event->type() == QEvent::MouseButtonRelease)
            command9ByMouse_ = true;
        else if (event->type() == QEvent::Shortcut || event->type() == QEvent::KeyPress)
            command9ByMouse_ = false;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace qudrim::app
