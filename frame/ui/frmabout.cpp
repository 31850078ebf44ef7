#include "frmabout.h"

#include "globals.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Tfrmabout::Tfrmabout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmabout"));
    setWindowTitle(QStringLiteral("关于"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);

    auto* title = new QLabel(QStringLiteral("澄岚会员卡管理软件"), this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    auto* version = new QLabel(QStringLiteral("版本 " MEMBERCARD_VERSION), this);
    version->setObjectName(QStringLiteral("Label2"));
    auto* details = new QLabel(QStringLiteral("帐套: %1\n数据文件夹: %2\n操作员: %3")
                                   .arg(mc::accountSet, QDir::toNativeSeparators(mc::appPath), mc::operatorName),
                               this);
    details->setObjectName(QStringLiteral("Label3"));
    details->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->setContentsMargins(28, 22, 28, 18);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(version, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(details);
    layout->addWidget(ok, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
