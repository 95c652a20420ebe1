// The two pop-up menus: the settings menu behind "软件设置(&T)" (code bases,
// years of history to keep, help pages) and the history-management menu.
#include "app/frmMain.h"

#include "app/error_text.h"
#include "app/prompter.h"
#include "app/settings_keys.h"

#include <QAction>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>

using namespace qudrim;

namespace {

QAction* namedAction(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

QMenu* namedMenu(QWidget* parent, const QString& name, const QString& title)
{
    auto* m = new QMenu(title, parent);
    m->setObjectName(name);
    return m;
}

}  // namespace

void frmMain::createMenus()
{
    // History management, popped up over the history list; connectHandlers
    // gives its entries their handlers.
    mnuLsgl = namedMenu(this, QStringLiteral("mnuLsgl"), QStringLiteral("历史管理"));
    namedAction(mnuLsgl, QStringLiteral("mnuDcls"), QStringLiteral("导出历史号码(&O)"));
    namedAction(mnuLsgl, QStringLiteral("mnuErase"), QStringLiteral("删除最后历史(&E)"));
    namedAction(mnuLsgl, QStringLiteral("mnuClear"), QStringLiteral("清空历史号码(&C)"));
    namedAction(mnuLsgl, QStringLiteral("mnuDlzd"), QStringLiteral("删除到选定期(&D)"));
    namedAction(mnuLsgl, QStringLiteral("mnuEszhzd"), QStringLiteral("删除最后指定数量期历史(&E)"));

    mnuSetup = namedMenu(this, QStringLiteral("mnuSetup"), QStringLiteral("设置"));
    auto basePair = [this](QMenu*& sub, const char* subName, const QString& subTitle, std::array<QAction*, 2>& pair,
                           const char* itemName, const QString& caption0, const QString& caption1, int which) {
        sub = namedMenu(mnuSetup, QString::fromLatin1(subName), subTitle);
        mnuSetup->addMenu(sub);
        for (int i = 0; i < 2; ++i) {
            pair[static_cast<size_t>(i)] = namedAction(sub, QString::fromLatin1(itemName) + QLatin1Char('_') + QString::number(i),
                                                       i == 0 ? caption0 : caption1);
            pair[static_cast<size_t>(i)]->setCheckable(true);
            connect(pair[static_cast<size_t>(i)], &QAction::triggered, this, [this, which, i] { mnuCodeBase_Click(which, i); });
        }
    };
    basePair(mnuSxCssetup, "mnuSxCssetup", QStringLiteral("生肖(肖位)参数设置(&S)"), mnuSxcs, "mnuSxcs",
             QStringLiteral("生肖(肖位)参数0~11"), QStringLiteral("生肖(肖位)参数1~12"), 0);
    basePair(mnuDssetup, "mnuDssetup", QStringLiteral("段数参数设置(&A)"), mnuDscs, "mnuDscs",
             QStringLiteral("段数参数0~6"), QStringLiteral("段数参数1~7"), 1);
    basePair(mnuBssetup, "mnuBssetup", QStringLiteral("波色参数设置(&B)"), mnuBscs, "mnuBscs",
             QStringLiteral("波色参数0~2"), QStringLiteral("波色参数1~3"), 2);
    mk10 = mnuSetup->addSeparator();
    mk10->setObjectName(QStringLiteral("mk10"));
    mnuSetDay = namedAction(mnuSetup, QStringLiteral("mnuSetDay"), QStringLiteral("历史号码更新检索年(&Y)"));
    mnuFrontPage = namedAction(mnuSetup, QStringLiteral("mnuFrontPage"), QStringLiteral("软件服务主页(&P)"));
    mnuDescrb = namedAction(mnuSetup, QStringLiteral("mnuDescrb"), QStringLiteral("软件介绍说明(&R)"));
    numYanshiDown = namedAction(mnuSetup, QStringLiteral("numYanshiDown"), QStringLiteral("软件演示说明录像下载(&D)"));

    connect(mnuSetDay, &QAction::triggered, this, [this] { mnuSetDay_Click(); });
    connect(mnuFrontPage, &QAction::triggered, this, [this] { openHelpPage(QStringLiteral("index.html")); });
    connect(mnuDescrb, &QAction::triggered, this, [this] { openHelpPage(QStringLiteral("manual.html")); });
    connect(numYanshiDown, &QAction::triggered, this, [this] { openHelpPage(QStringLiteral("demo.html")); });
}

void frmMain::Command9_Click()
{
    runPendingBoxHandler();
    // A click opens the menu at the pointer; Alt+T or the space bar opens it
    // below the button, wherever the pointer happens to be.
    const QPoint at = command9ByMouse_ ? QCursor::pos() : Command9->mapToGlobal(QPoint(0, Command9->height()));
    command9ByMouse_ = false;
    mnuSetup->popup(at);
}

void frmMain::mnuCodeBase_Click(int which, int index)
{
    runPendingBoxHandler();
    // which: 0 zodiac (SxIni), 1 segment (DsIni), 2 wave colour (BsIni).
    // Rows already stored keep their codes; the new base applies to the rows
    // stored from now on and to every name lookup.
    static const QString keys[3] = {app::settingKey::SxIni, app::settingKey::DsIni, app::settingKey::BsIni};
    int* bases[3] = {&state_.bases.SxIni, &state_.bases.DsIni, &state_.bases.BsIni};
    std::array<QAction*, 2>* pairs[3] = {&mnuSxcs, &mnuDscs, &mnuBscs};
    *bases[which] = index;
    settings_.saveInt(keys[which], index);
    markPair(*pairs[which], index);
}

void frmMain::markPair(const std::array<QAction*, 2>& pair, int base)
{
    pair[0]->setChecked(false);
    pair[1]->setChecked(false);
    if (base == 0 || base == 1)
        pair[static_cast<size_t>(base)]->setChecked(true);
}

void frmMain::mnuSetDay_Click()
{
    runPendingBoxHandler();
    const QString prompt = QStringLiteral(
        "请输入更新需要保留的历史号码的年数（2~16中的任意自然数），如果超过年数将删除最早的一年的历史号码");
    for (;;) {
        const QString answer =
            prompter_->getText(this, QStringLiteral("设置年数"), prompt, QString::number(state_.IniSerchDay));
        if (answer.isEmpty())
            return;
        // Anything but a whole number from 2 to 16 is asked for again.
        const auto v = app::SettingsStore::toInt16(answer);
        if (!v || *v > 16 || *v < 2) {
            prompter_->warning(
                this, app::inputErrorTitle(),
                QStringLiteral("为了保证时效性和提高计算效率，软件只能统计16年以内的数据，请输入2到16中的自然数。"));
            continue;
        }
        state_.IniSerchDay = *v;
        settings_.saveInt(app::settingKey::IniSerchDay, *v);
        return;
    }
}

void frmMain::openHelpPage(const QString& fileName)
{
    runPendingBoxHandler();
    // The help pages ship beside the program; an entry whose own page is not
    // there opens the main help page instead.
    const QDir docs(QDir(programFolder_).filePath(QStringLiteral("docs")));
    QString path = docs.filePath(fileName);
    if (!QFileInfo::exists(path))
        path = docs.filePath(QStringLiteral("index.html"));
    if (!QFileInfo::exists(path)) {
        prompter_->warning(this, QStringLiteral("找不到帮助页面"),
                           QStringLiteral("帮助页面不存在：\n%1\n\n帮助页面随程序一起安装在程序文件夹的 docs 文件夹中，"
                                          "请重新安装本程序。")
                               .arg(QDir::toNativeSeparators(docs.filePath(fileName))));
        return;
    }
    if (!prompter_->openUrl(QUrl::fromLocalFile(path)))
        prompter_->warning(this, QStringLiteral("无法打开帮助页面"),
                           QStringLiteral("无法在网页浏览器中打开帮助页面：\n%1\n\n"
                                          "请确认系统中装有网页浏览器，或者直接用浏览器打开这个文件。")
                               .arg(QDir::toNativeSeparators(path)));
}
