// Start-up: what runs while the window is created (Form_Initialize) and
// loaded (Form_Load), step by step and in this order. A step that fails is
// skipped and the next one runs.
#include "app/frmMain.h"

#include "app/error_text.h"
#include "app/mask_edit.h"
#include "app/prompter.h"
#include "app/settings_keys.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace qudrim;

void frmMain::Form_Initialize()
{
    // The lunar-new-year and wave-colour tables are fixed tables of the
    // program; only the years of history to keep come from the settings.
    state_.IniSerchDay = settings_.readInt16(app::settingKey::IniSerchDay, 6);
}

void frmMain::Form_Load()
{
    app::ProgramState& s = state_;

    // The options the database steps and the panel need first.
    s.bolZyw = settings_.readBool(app::settingKey::bolZyw, true);
    s.bolSq = settings_.readBool(app::settingKey::bolSq, true);
    s.intLei = settings_.readInt16(app::settingKey::intLei, 0);

    // The history database and the read view.
    openDatabase();

    // Positions and compared draw. Selecting a button runs its handler,
    // as a click does; later steps set the final state.
    (s.bolZyw ? Option1[1] : Option1[0])->click();
    Check2->setVisible(s.bolZyw);
    (s.bolSq ? Option1[3] : Option1[2])->click();

    // The check box that counts the special number in free positions.
    const int16_t intIdfTm = settings_.readInt16(app::settingKey::intIdfTm, 1);
    if (intIdfTm == 0 || intIdfTm == 1)
        Check2->setChecked(intIdfTm == 1);

    // The result type.
    s.intXianshiLei = settings_.readInt16(app::settingKey::intXianshiLei, 0);
    // A stored number that names no kind selects no button.
    if (const auto kind = kindFromSetting(s.intXianshiLei))
        Option4[static_cast<size_t>(*kind)]->click();

    // The code bases and their check marks, the combination pool.
    s.bases.DsIni = settings_.readInt16(app::settingKey::DsIni, 1);
    s.bases.SxIni = settings_.readInt16(app::settingKey::SxIni, 1);
    s.bolZhpm = settings_.readBool(app::settingKey::bolZhpm, false);
    markPair(mnuDscs, s.bases.DsIni);
    s.bases.BsIni = settings_.readInt16(app::settingKey::BsIni, 1);
    markPair(mnuBscs, s.bases.BsIni);
    markPair(mnuSxcs, s.bases.SxIni);

    // The combination pool.
    (s.bolZhpm ? Option6[1] : Option6[0])->click();

    // N of 前N期; the box takes one digit.
    s.intPreQi = settings_.readInt16(app::settingKey::intPreQi, 2);
    if (s.intPreQi >= 0 && s.intPreQi <= 9)
        MaskEdBox2->setText(QString::number(s.intPreQi));

    // The combination size.
    s.intZhWSetup = settings_.readInt16(app::settingKey::intZhWSetup, 2);
    // A stored size the box does not offer is read as the default.
    if (s.intZhWSetup < 1 || s.intZhWSetup > 6)
        s.intZhWSetup = 2;
    Combo1->setCurrentText(QString::number(s.intZhWSetup));

    // The tally grid has its column widths before the first search.
    setTallyColumnWidths();

    // The next issue and the end of the search range.
    QihaoXianshi();

    // The search type.
    if (const auto kind = kindFromSetting(s.intLei))
        Option3[static_cast<size_t>(*kind)]->click();

    // The number order.
    s.bolLdm = settings_.readBool(app::settingKey::bolLdm, true);
    (s.bolLdm ? Option2[4] : Option2[5])->click();

    // The search range, in issue numbers from the first stored draw.
    if (const DrawRow* last = resSnap_->last()) {
        Text3[0]->setText(QString::number(resSnap_->row(0).issue + searchRangeOffset()));
        Text3[1]->setText(QString::number(last->issue));
    }

    // The base-draw panel, on tab 1. The option handlers of the steps
    // above refreshed it with options not yet read (N, the number order, the
    // code bases); without a base draw this refresh leaves the boxes as they
    // are, so they start again from empty.
    panel_ = PanelState{};
    for (int i = 1; i <= 7; ++i)
        Text2[static_cast<size_t>(i)]->clear();
    ShangqiXianshi();

    // The history list, from the read view opened with the database: nothing
    // has been stored since, so a second snapshot would be the same one.
    fillHistoryList();
}

void frmMain::openDatabase()
{
    try {
        store_->open();
    } catch (const std::exception& e) {
        openError_ = app::exceptionText(e);
        const QString file = QString::fromStdString(store_->databasePath().string());
        prompter_->warning(
            this, QStringLiteral("无法打开历史数据库"),
            QStringLiteral("历史数据库文件 %1 无法打开：它可能已经损坏、不是本程序的历史数据库，或者正被其他程序占用。\n\n"
                           "程序以空的历史记录启动，这个文件保持原样，没有被改动；在重新启动之前，不能输入号码，也不能检索。\n\n"
                           "请关闭可能正在使用这个文件的其他程序，然后重新启动本程序。如果文件已经损坏，可以把它移到别处保存，"
                           "本程序下次启动时会建立一个新的空历史数据库。")
                .arg(file),
            openError_);
    }
    reopenSnapshot();
}

bool frmMain::historyOpenFor(const QString& refused)
{
    if (databaseOpen())
        return true;
    warnHistoryNotOpen(refused);
    return false;
}

void frmMain::warnHistoryNotOpen(const QString& refused)
{
    const QString file = QString::fromStdString(store_->databasePath().string());
    const QString why =
        openError_.isEmpty()
            ? QStringLiteral("历史数据库 %1 已经关闭。").arg(file)
            : QStringLiteral("程序启动时历史数据库文件 %1 无法打开：它可能已经损坏、不是本程序的历史数据库，或者正被其他程序占用。")
                  .arg(file);
    prompter_->warning(this, QStringLiteral("历史数据库没有打开"),
                       QStringLiteral("%1：历史数据库没有打开。\n\n%2\n\n请关闭可能正在使用这个文件的其他程序，然后重新启动本程序。")
                           .arg(refused, why),
                       openError_.isEmpty() ? QStringLiteral("The history database is not open.") : openError_);
}
