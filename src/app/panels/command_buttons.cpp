#include "app/panels/command_buttons.h"

#include "app/widgets/controls.h"

#include <QBoxLayout>
#include <QPushButton>

namespace qudrim::app {

CommandButtons::CommandButtons(QWidget* parent)
    : QWidget(parent),
      Command9_(named<QPushButton>(QStringLiteral("Command9"), QStringLiteral("软件设置(&T)"))),
      cmdRdLst_(named<QPushButton>(QStringLiteral("cmdRdLst"), QStringLiteral("读取历史号文本(&W)"))),
      Command21_(named<QPushButton>(QStringLiteral("Command21"), QStringLiteral("历史号在线更新(&O)"))),
      Command3_(named<QPushButton>(QStringLiteral("Command3"), QStringLiteral("删除最后历史(&D)"))),
      Command4_(named<QPushButton>(QStringLiteral("Command4"), QStringLiteral("历史号码导出文本文件(&O)"))),
      Command1_(named<QPushButton>(QStringLiteral("Command1"), QStringLiteral("检索(&S)")))
{
    cmdRdLst_->setToolTip(QStringLiteral("从历史号码文本文件中读取历史号中最后一期之后的新的历史号码"));
    Command21_->setToolTip(QStringLiteral("从官方服务器更新历史号码"));
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(6);
    for (QWidget* b : tabOrder())
        h->addWidget(b);
    h->addStretch(1);
    chainTabOrder(tabOrder());
}

QList<QWidget*> CommandButtons::tabOrder() const
{
    return {Command9_, cmdRdLst_, Command21_, Command3_, Command4_, Command1_};
}

}  // namespace qudrim::app
