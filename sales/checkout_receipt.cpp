#include "checkout_receipt.h"

#include "receipt.h"

namespace mc::sales {

QStringList checkoutReceiptBody(const CheckoutDone& d, const Session& session)
{
    using receipts::padLeft;
    QStringList body{QStringLiteral("会员编号:") + d.memberno, QStringLiteral("会员姓名") + d.membername,
                     QStringLiteral("类别:消费"), QStringLiteral("卡类型:") + d.cardname,
                     QStringLiteral("卡大类:") + d.bigClass, QStringLiteral("商品代码        数量    单价    总额")};
    for (const VoucherLine& l : d.lines) {
        body << padLeft(l.spno, 10) + padLeft(QString::number(l.spnum) + QStringLiteral(".00"), 6) +
                    padLeft(l.spdj.text(2), 6) + padLeft(l.spzj.text(2), 6);
        body << l.spname;
    }
    body << QStringLiteral("消费总额:") + d.sjxfje.text(2) << QStringLiteral("本次抵扣:") + d.bcdkje.text(2)
         << QStringLiteral("消费总额:") + d.sjxfje.text(2) << QStringLiteral("折扣金额:") + d.zkhje.text(2)
         << QStringLiteral("折扣方式:") + d.zkfs << QStringLiteral("其他优惠:") + d.otyh.text(2)
         << QStringLiteral("其他收款:") + d.otsk.text(2) << QStringLiteral("实际收款:") + d.xfje.text(2);
    if (d.xfjf != 0)
        body << QStringLiteral("消费积分:") + QString::number(d.xfjf);
    body << QStringLiteral("操作员:") + session.operatorName
         << QStringLiteral("日期:") + session.now.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    return body;
}

}  // namespace mc::sales
