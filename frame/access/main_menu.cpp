#include "main_menu.h"

namespace mc {

namespace {

MenuItem item(const char* name, const char* caption, QList<MenuItem> children = {}, const char* shortcut = "")
{
    return {QString::fromUtf8(name), QString::fromUtf8(caption), QString::fromUtf8(shortcut), std::move(children)};
}

MenuItem separator()
{
    return {QString(), QStringLiteral("-"), QString(), {}};
}

QList<MenuItem> buildMenu()
{
    return {
        item("N1", "基本设置(&J)",
             {item("N2", "读卡设备设置(&D)"),
              item("N3", "会员卡类型设置(&C)"),
              item("N4", "会员信息自定义设置(&Z)",
                   {item("N5", "自定义字段设置(&D)"), item("L1", "自定义子集信息录入(&L)")}),
              item("S1", "商品设置(&S)"),
              item("L2", "消费类别设置(&L)"),
              item("G6", "帐户设置(&G)"),
              item("I1", "报表设计(I)",
                   {item("I101", "会员注册小票设计(&R)"), item("I102", "会员查询报表设计(&C)"),
                    item("I103", "会员续卡小票设计(&X)"), item("I104", "储值卡储值小票设计(&Z)"),
                    item("I105", "储值卡取款小票设计(&Q)"), item("I106", "消费小票设计(&F)"),
                    item("I107", "简单消费小票设计(&H)"), item("I108", "计次消费小票设计(&J)"),
                    item("I109", "会员帐目查询报表设计(&M)"), item("I110", "操作员账目报表设计(&D)"),
                    item("I111", "会员积分报表设计(&E)"), item("I112", "商品销售查询报表设计(&P)"),
                    item("I113", "工资表设计(&G)"), item("I114", "员工销售查询报表设计(&S)"),
                    item("I115", "营业日报表设计(&Y)"), item("I116", "营业月报表设计(&O)"), separator(),
                    item("I117", "交接班明细报表(&A)"), item("I118", "交接班结算报表(&B)")}),
              item("N16", "公司组织(&Z)",
                   {item("B1", "公司部门设置(&B)"), item("N17", "员工类型录入(&L)"), item("R1", "员工录入(&R)"),
                    separator(), item("Q1", "权限设置(&Q)")}),
              separator(),
              item("J1", "积分设置(&J)",
                   {item("J2", "会员卡积分升级设置(&J)"), item("F2", "积分返利设置(&F)"),
                    item("G5", "积分规则设置(&G)")}),
              item("T1", "系统设置(&T)"),
              item("P2", "更改口令(&P)"),
              separator(),
              item("E2", "退出系统(&E)")}),
        item("N7", "会员管理(&M)",
             {item("N8", "会员注册(&Z)", {}, "Ctrl+A"), item("N9", "会员管理(&G)", {}, "Ctrl+G"), separator(),
              item("M1", "会员消费(&M)", {}, "Ctrl+M"), separator(), item("D1", "会员积分兑换(&D)")}),
        item("T2", "查询与统计(&T)",
             {item("M2", "会员信息查询(&M)"), item("N11", "会员帐目(&Z)"), item("M3", "操作员账目查询(&O)"),
              item("T5", "员工销售查询(&G)"), separator(), item("N14", "商品进销查询(&S)"),
              item("J3", "积分兑换查询(&J)"), separator(), item("D2", "将到期会员查询(&D)"),
              item("T4", "会员生日提醒(&T)"), item("Y1", "会员余额不足提醒(&Y)"), separator(),
              item("B2", "营业日报表(&B)"), item("O1", "营业月报表(&O)")}),
        item("G2", "工资(&G)",
             {item("J5", "基本工资设置(&J)"), item("T3", "工资计算设置(&T)"), item("K1", "考勤结果导入(&K)"),
              separator(), item("G3", "工资计算(&G)")}),
        item("J6", "系统管理(&J)",
             {item("B3", "备份数据(&B)"), item("Z1", "账务核对(&Z)"), separator(), item("N30", "交接班(&J)"), item("C2", "交接班查询(&C)"),
              separator(), item("D3", "消费单据修改(&D)")}),
        item("N19", "帮助(&H)",
             {item("N20", "帮助(&H)"), item("G1", "关于(&G)"), separator(), item("N23", "层叠"),
              item("N24", "横向平铺"), item("N25", "纵向平铺")}),
    };
}

}  // namespace

const QList<MenuItem>& mainMenu()
{
    static const QList<MenuItem> menu = buildMenu();
    return menu;
}

}  // namespace mc
