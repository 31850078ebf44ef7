#include "checkout_member_tab.h"

#include "database.h"
#include "globals.h"
#include "utils/money.h"

#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

using mc::Money;
using mc::sales::FoundMember;

namespace {

// Caption and the column each value shows.
struct MemberField {
    const char* caption;
    const char* column;
};
const MemberField memberFields[] = {
    {"会员编号", "memberno"},      {"会员卡号", "truecard"},   {"姓名", "membername"},
    {"性别", "sex"},               {"注册卡类型", nullptr},    {"卡大类", nullptr},
    {"续卡日期", "lastnfdate"},    {"到期日期", "dqdate"},     {"身份证号码", "sfzh"},
    {"生日", "birthday"},          {"手机号码", "movetel"},    {"会员卡状态", "cardstatus"},
    {"剩余金额", "curmoney"},      {"当前积分", "xfjf"},       {"累计消费金额", "xfze"},
    {"累计消费次数", "xfcs"},      {"可抵扣金额", "syyhje"},
};
constexpr int classNameField = 4, bigClassField = 5, remainingField = 12;

}  // namespace

CheckoutMemberTab::CheckoutMemberTab(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout;
    int i = 0;
    for (const MemberField& f : memberFields) {
        auto* value = new QLabel(this);
        value->setObjectName(QStringLiteral("member_") + QString::number(i));
        value->setMinimumWidth(110);
        auto* caption = new QLabel(QString::fromUtf8(f.caption) + u':', this);
        if (i == remainingField)
            remainingLabel_ = caption;
        grid->addWidget(caption, i / 3, (i % 3) * 2);
        grid->addWidget(value, i / 3, (i % 3) * 2 + 1);
        memberValues_.append(value);
        ++i;
    }
    // Without a card device there is no card number to show.
    if (mc::cardMode == 3)
        memberValues_[1]->hide();
    birthday_ = new QLabel(this);
    birthday_->setObjectName(QStringLiteral("lblBirthday"));
    birthday_->setStyleSheet(QStringLiteral("color: red"));
    grid->addWidget(birthday_, i / 3 + 1, 0, 1, 6);
    photo_ = new QLabel(this);
    photo_->setObjectName(QStringLiteral("memberPhoto"));
    photo_->setFixedSize(120, 150);
    photo_->setFrameShape(QFrame::Box);
    photo_->setScaledContents(true);
    auto* row = new QHBoxLayout(this);
    row->addLayout(grid, 1);
    row->addWidget(photo_);
}

void CheckoutMemberTab::showMember(const FoundMember& found, const QString& note)
{
    const QVariantMap& row = found.row;
    int i = 0;
    for (const MemberField& f : memberFields) {
        QString text;
        if (i == classNameField)
            text = found.cardname;
        else if (i == bigClassField)
            text = found.classname;
        else {
            const QVariant v = row.value(QLatin1String(f.column));
            const QString column = QLatin1String(f.column);
            if (column.endsWith(QLatin1String("date")) || column == QLatin1String("birthday"))
                text = mc::db::toDateTime(v).date().toString(QStringLiteral("yyyy-MM-dd"));
            else if (column == QLatin1String("curmoney") || column == QLatin1String("xfze") || column == QLatin1String("syyhje"))
                text = Money::fromDouble(v.toDouble()).text(2);
            else
                text = v.toString();
        }
        memberValues_[i++]->setText(text);
    }
    remainingLabel_->setText(QStringLiteral("剩余金额:"));
    birthday_->setText(note);

    // The photo, or the program's stand-ins for a missing file and for no photo at all.
    const QString path = row.value(QStringLiteral("memberphoto")).toString();
    const QString shown = path.isEmpty() ? mc::appPath + QStringLiteral("nophoto.jpg")
                          : QFile::exists(path) ? path
                                                : mc::appPath + QStringLiteral("nopath.jpg");
    photo_->setPixmap(QFile::exists(shown) ? QPixmap(shown) : QPixmap());
}
