// The books check on both engines: a set whose rows balance passes, and each rule broken by one
// tampered row is reported with the row and both figures.

#include "books_check.h"
#include "database.h"
#include "scratch_database.h"
#include "transaction.h"

using mc::db::exec;
using mctest::EngineTest;

namespace {

// A small shop whose rows balance: the kinds registration, checkout and the goods window write.
class Books : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        member("0001", "张三", 79.5, 0, 110, 0);   // stored-value card
        member("0002", "李四", 0, 0, 0, 4);        // discount card, credit that adds up
        member("0003", "王五", 0, 10, 0, 0);       // count card
        member("0004", "赵六", 0, 0, 0, 3);        // discount card, credit for the next purchase only

        journal("0001", "开户", "现金", 110, 0);
        journal("0001", "消费", "卡内扣除", 0, 30.5, "直接折扣", 0, 0, "xfd261201001");
        // Voided and unsettled rows move nothing.
        journal("0001", "消费", "卡内扣除", 0, 99, "直接折扣", 0, 0, "xfd261201002", true, true);
        journal("0001", "消费", "卡内扣除", 0, 50, "直接折扣", 0, 0, "", false, false);
        journal("0002", "开户", "现金", 0, 0);
        journal("0002", "消费", "现金", 0, 45, "折扣可累计", 5, 0, "xfd261201003");
        journal("0002", "消费", "现金", 0, 20, "折扣可累计", 2, 3, "xfd261201004");
        journal("0003", "计次开户", "现金", 10, 0);
        journal("0004", "开户", "现金", 0, 0);
        journal("0004", "消费", "现金", 0, 70, "折扣单次使用", 7, 0, "xfd261201005");
        journal("0004", "消费", "现金", 0, 30, "折扣单次使用", 3, 7, "xfd261201006");

        points("0001", 100, 0);
        points("0001", 30, 0);
        points("0001", 0, 20);

        exec(db(), "insert into gszh(zhname, curye) values('现金', 160), ('银行', 0)");
        ledger("现金", 125, 0);
        ledger("现金", 45, 0);
        ledger("现金", 0, 10);

        exec(db(), "insert into spclass(classno, classname, isfwxsp) values('001', '饮料', ?), ('002', '服务', ?)",
             {false, true});
        exec(db(), "insert into xssp(spclass, spno, spname, kcsl) values('001', '001001', '矿泉水', 97), "
                   "('002', '002001', '洗车', 5)");
        stock("初始", 100, 0, 0);
        stock("进货", 10, 0, 0);
        stock("退货", 0, 3, 0);
        stock("销售", 0, 0, 12);
        stock("销售作废", 0, 0, -2);

        exec(db(), "insert into jfdhmain(jfdhdh, memberno, iszf) values('fhd261201001', '0001', ?)", {false});
    }

    void member(const QString& no, const QString& name, double curmoney, int curcs, int xfjf, double syyhje)
    {
        exec(db(),
             "insert into membercurlist(memberno, truecard, membername, cardno, cardstatus, curmoney, curcs, xfjf, "
             "syyhje) values(?, ?, ?, '0001', '正常', ?, ?, ?, ?)",
             {no, "C" + no, name, curmoney, curcs, xfjf, syyhje});
    }
    void journal(const QString& no, const QString& zmfs, const QString& jkfs, double ckje, double xfje,
                 const QString& zkfs = {}, double zkhje = 0, double bcdkje = 0, const QString& xfdh = {},
                 bool issk = true, bool iszf = false)
    {
        exec(db(),
             "insert into memberxx(memberid, memberno, zmfs, jkfs, ckje, xfje, zkfs, zkhje, bcdkje, xfdh, issk, iszf) "
             "values((select pid from membercurlist where memberno = ?), ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
             {no, no, zmfs, jkfs, ckje, xfje, zkfs, zkhje, bcdkje, xfdh, issk, iszf});
    }
    void points(const QString& no, int hdjf, int kcjf)
    {
        exec(db(), "insert into memberjf(memberno, jffs, hdjf, kcjf) values(?, '消费积分', ?, ?)", {no, hdjf, kcjf});
    }
    void ledger(const QString& account, double skje, double zcje)
    {
        exec(db(), "insert into actormoney(zhname, sfkxm, skje, zcje) values(?, '会员注册', ?, ?)",
             {account, skje, zcje});
    }
    void stock(const QString& kind, double jhsl, double thsl, double xssl)
    {
        exec(db(), "insert into kccl(spno, spname, czsm, jhsl, thsl, xssl) values('001001', '矿泉水', ?, ?, ?, ?)",
             {kind, jhsl, thsl, xssl});
    }
};

TEST_P(Books, RowsThatBalancePass)
{
    const mc::books::BooksReport report = mc::books::checkBooks(db());
    EXPECT_TRUE(report.balanced()) << report.broken.join('\n').toStdString();
    EXPECT_EQ(report.checked.members, 4);
    EXPECT_EQ(report.checked.accounts, 2);
    EXPECT_EQ(report.checked.goods, 1);  // the service goods keep no stock
    EXPECT_EQ(report.checked.documents, 7);
}

TEST_P(Books, ProgressRunsFromNothingToEverything)
{
    QList<std::pair<qint64, qint64>> seen;
    mc::books::checkBooks(db(), [&](qint64 done, qint64 total) { seen.append({done, total}); });
    ASSERT_GE(seen.size(), 2);
    EXPECT_EQ(seen.first().first, 0);
    EXPECT_EQ(seen.last().first, seen.last().second);
    // memberxx (settled, not voided) 9, membercurlist 4, memberjf 3, gszh 2, actormoney 3, xssp 2, kccl 5
    EXPECT_EQ(seen.last().second, 28);
}

struct Tamper {
    const char* name;
    const char* sql;
    QStringList expected;  // every sentence reported, in order
};

class TamperedBooks : public Books {};

TEST_P(TamperedBooks, EachBrokenRuleIsReportedWithBothFigures)
{
    const Tamper cases[] = {
        {"balance", "update membercurlist set curmoney = 79.4 where memberno = '0001'",
         {"会员 0001 张三：余额为 79.40，帐目流水合计为 79.50"}},
        {"balance by a hundredth of a cent", "update membercurlist set curmoney = 79.5001 where memberno = '0001'",
         {"会员 0001 张三：余额为 79.5001，帐目流水合计为 79.50"}},
        {"uses", "update membercurlist set curcs = 9 where memberno = '0003'",
         {"会员 0003 王五：剩余次数为 9，帐目流水合计为 10"}},
        {"points", "update membercurlist set xfjf = 111 where memberno = '0001'",
         {"会员 0001 张三：积分为 111，积分记录合计为 110"}},
        {"credit that adds up", "update membercurlist set syyhje = 5 where memberno = '0002'",
         {"会员 0002 李四：可抵扣金额为 5.00，消费单据推算为 4.00"}},
        {"credit for the next purchase", "update membercurlist set syyhje = 0 where memberno = '0004'",
         {"会员 0004 赵六：可抵扣金额为 0.00，消费单据推算为 3.00"}},
        {"account", "update gszh set curye = 160.01 where zhname = '现金'",
         {"帐户 现金：当前余额为 160.01，操作员账目合计为 160.00"}},
        {"ledger row of a missing account", "update actormoney set zhname = '旧帐户' where zcje = 10",
         {"帐户 现金：当前余额为 160.00，操作员账目合计为 170.00", "操作员账目中有 1 行的帐户“旧帐户”不存在"}},
        {"stock", "update xssp set kcsl = 98 where spno = '001001'",
         {"商品 001001 矿泉水：库存数量为 98，库存出入合计为 97"}},
        {"voucher number twice", "update memberxx set xfdh = 'xfd261201001' where xfdh = 'xfd261201003'",
         {"单据号 xfd261201001 出现了 2 次"}},
        {"exchange number twice",
         "insert into jfdhmain(jfdhdh, memberno) values('fhd261201001', '0002')",
         {"单据号 fhd261201001 出现了 2 次"}},
        {"journal row of no member", "update memberxx set memberid = 999 where zmfs = '计次开户'",
         {"会员 0003 王五：剩余次数为 10，帐目流水合计为 0",
          "会员帐目中有 1 行属于不存在的会员（memberid 999，会员编号 0003）"}},
        {"points of no member", "update memberjf set memberno = '0099' where kcjf = 20",
         {"会员 0001 张三：积分为 110，积分记录合计为 130", "积分记录中有会员编号 0099 的积分合计 -20，但没有这个会员"}},
        {"a kind without a rule",
         "insert into memberxx(memberid, memberno, zmfs, ckje, issk, iszf) "
         "select memberid, memberno, '存款', 10, issk, iszf from memberxx where zmfs = '计次开户'",
         {"会员帐目中有 1 行的操作类别“存款”没有核对规则"}},
    };
    for (const Tamper& c : cases) {
        mc::db::Transaction undo(db());
        exec(db(), c.sql);
        const mc::books::BooksReport report = mc::books::checkBooks(db());
        EXPECT_EQ(report.broken, c.expected) << c.name;
    }
}

MC_ENGINES(Books);
MC_ENGINES(TamperedBooks);

}  // namespace
