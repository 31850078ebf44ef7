#include "column_titles.h"

#include <QHash>

namespace mc::reports {

QString columnTitle(const QString& column)
{
    static const QHash<QString, QString> titles = {
        // Members and card classes.
        {"memberno", "会员编号"}, {"truecard", "会员卡号"}, {"membername", "会员姓名"},
        {"memberpym", "拼音码"}, {"cardno", "卡类代码"}, {"cardname", "卡类名称"},
        {"cardstatus", "卡状态"}, {"khdate", "开户日期"}, {"dqdate", "到期日期"},
        {"lastnfdate", "最后缴费日期"}, {"usemonth", "有效月数"}, {"useday", "有效天数"},
        {"curmoney", "余额"}, {"curcs", "剩余次数"}, {"xfze", "累计消费总额"},
        {"sjckje", "实存金额"}, {"ljczje", "实际充入金额"}, {"syyhje", "剩余优惠金额"},
        {"khkjg", "会员卡价格"}, {"khyj", "会员卡押金"}, {"khcksj", "存款实缴金额"},
        {"khhjys", "合计应收"}, {"khyhje", "优惠金额"}, {"khssje", "实收"},
        {"khjkfs", "收款方式"}, {"sfzh", "身份证号"}, {"birthday", "生日"}, {"sex", "性别"},
        {"memberage", "年龄"}, {"gzdw", "工作单位"}, {"txdz", "通讯地址"}, {"yzbm", "邮政编码"},
        {"movetel", "手机"}, {"jttel", "家庭电话"}, {"worktel", "办公电话"}, {"workcz", "传真"},
        {"rhjsr", "介绍人"}, {"jsrname", "介绍人姓名"}, {"xgdate", "修改时间"},
        {"bcdate", "保存时间"}, {"memberid", "会员内部号"},
        // Member account entries, renewals and card changes.
        {"zmfs", "操作类别"}, {"jkfs", "缴款方式"}, {"ckje", "存入"}, {"xfje", "消费"},
        {"curye", "当前余额"}, {"sjjkje", "实际缴款"}, {"sjxfje", "应消费金额"},
        {"zkhje", "折扣金额"}, {"bcdkje", "本次抵扣金额"}, {"dkhje", "抵扣后金额"},
        {"mrzkl", "默认折扣"}, {"sjzkl", "实际折扣"}, {"zkfs", "折扣方式"}, {"otyh", "其他优惠"},
        {"otsk", "其他收款"}, {"sjkye", "应有余额"}, {"knye", "卡内余额"}, {"bcxfjf", "本次积分"},
        {"actor", "操作员"}, {"xfdh", "单号"}, {"jlbz", "备注"}, {"issk", "收款"},
        {"skdate", "收款时间"}, {"bcactor", "保存人"}, {"ygid", "员工代码"}, {"ygname", "员工姓名"},
        {"dep_id", "部门"}, {"xfclass", "服务类型"}, {"iszf", "作废单据"}, {"zfdate", "作废时间"},
        {"zfactor", "作废人"}, {"pdatetime", "时间"}, {"yklx", "原卡类型"}, {"ydqdate", "原到期日期"},
        {"xklx", "续卡类型"}, {"xkmonth", "续卡月数"}, {"xkday", "续卡天数"},
        {"xkhdqdate", "续卡后到期日期"}, {"kf", "卡费"}, {"nf", "年费"}, {"yhje", "优惠金额"},
        {"ssje", "实收金额"}, {"jkzh", "缴款帐户"}, {"otje", "其他金额"},
        // Points.
        {"jffs", "积分方式"}, {"hdjf", "获得积分"}, {"kcjf", "扣除积分"}, {"curjf", "当前积分"},
        {"xfjf", "积分"}, {"xfcs", "消费次数"},
        // Goods, stock and sales lines.
        {"classno", "分类代码"}, {"classname", "类别名称"}, {"spclass", "商品分类"}, {"spno", "商品代码"},
        {"spname", "商品名称"}, {"xsjg", "销售价格"}, {"jhdj", "进货单价"}, {"kcsl", "库存数量"},
        {"zdzk", "最低折扣"}, {"pyzjf", "拼音简码"}, {"pjjhdj", "平均进货单价"}, {"istj", "不积分"},
        {"ygtc", "员工提成"}, {"jthdate", "日期"}, {"czsm", "操作说明"}, {"dj", "单价"},
        {"cbdj", "成本单价"}, {"jhsl", "进货数量"}, {"thsl", "退货数量"}, {"xssl", "销售数量"},
        {"xsthsl", "销售退货数量"}, {"curkc", "当前库存"}, {"jhze", "进货总额"},
        {"thze", "退货总额"}, {"xsze", "销售总额"}, {"xsml", "销售毛利"}, {"xsthze", "销售退货总额"},
        {"xfno", "单号"}, {"spdj", "商品单价"}, {"spzkl", "折扣"}, {"spnum", "数量"},
        {"zkjg", "折扣价格"}, {"spjsjg", "结算价格"}, {"spzj", "金额"}, {"lrdate", "录入时间"},
        {"jsdate", "结算时间"}, {"jsr", "结算人"}, {"fwclass", "服务类型"}, {"isfwxsp", "服务商品"},
        // Wages.
        {"syear", "年"}, {"smon", "月"}, {"scls", "出勤天数"}, {"jbgz", "基本工资"},
        {"tcgz", "提成工资"}, {"kqgz", "考勤工资"}, {"hjgz", "合计工资"}, {"otjl", "其他奖励"},
        {"otkk", "其他扣款"}, {"sfgz", "实发工资"},
        // Money, shifts and the business reports.
        {"actorid", "操作员代码"}, {"actorname", "操作员"}, {"pdate", "日期"}, {"zhname", "帐户名称"},
        {"sfkxm", "项目"}, {"skje", "收款金额"}, {"ysje", "应收金额"}, {"crje", "存入金额"},
        {"zlje", "找零金额"}, {"zcje", "支出金额"}, {"zhye", "帐户余额"}, {"loadtime", "开始时间"},
        {"zsr", "总收款"}, {"xjsr", "现金收款"}, {"otsr", "其他收款"}, {"zzc", "总支出"},
        {"xjzc", "现金支出"}, {"otzc", "其他支出"}, {"hjsr", "实际收入"},
        {"hjxjsr", "实际现金收入"}, {"hjotsr", "实际其他收入"}, {"xfzje", "消费总额"},
        {"xjxf", "现金消费"}, {"knxf", "储值卡消费"}, {"zkxf", "折扣卡消费"}, {"otxf", "其他消费"},
        {"kncr", "卡内存入"}, {"xfjc", "计次卡消费次数"}, {"crjc", "计次卡存入次数"},
    };
    return titles.value(column.toLower());
}

}  // namespace mc::reports
