#include "demo_data.h"

#include "checkout.h"
#include "data_files.h"
#include "db_error.h"
#include "registration.h"
#include "session.h"

namespace mc::demo {

namespace {

struct DemoMember {
    const char* truecard;
    const char* name;
    const char* sex;
    const char* cardno;  // 0001 储值卡, 0002 折扣卡, 0003 计次卡
    int deposit;
    const char* movetel;
};

const DemoMember members[] = {
    {"100001", "陈静", "女", "0001", 500, "13900000001"}, {"100002", "刘洋", "男", "0001", 300, "13900000002"},
    {"100003", "周敏", "女", "0001", 1000, "13900000003"}, {"200001", "吴磊", "男", "0002", 0, "13900000004"},
    {"200002", "郑丽", "女", "0002", 0, "13900000005"},    {"200003", "孙浩", "男", "0002", 0, "13900000006"},
    {"300001", "马超", "男", "0003", 0, "13900000007"},    {"300002", "林芳", "女", "0003", 0, "13900000008"},
};

// A day's sales: who buys what, paid how (empty: the class's own way). The water 001001 is
// left at its starting stock.
struct DemoSale {
    const char* card;
    struct {
        const char* spno;  // nullptr: no such line
        int spnum;
    } lines[2];
    const char* jkfs;
};

const DemoSale sales[] = {
    {"100001", {{"001002", 2}, {"002001", 1}}, ""},  {"200001", {{"002002", 1}, {nullptr, 0}}, "现金"},
    {"100002", {{"001002", 1}, {nullptr, 0}}, ""},   {"200002", {{"002001", 1}, {"001002", 1}}, "银行卡"},
    {"100003", {{"002002", 1}, {"001002", 1}}, ""},  {"200003", {{"001002", 3}, {nullptr, 0}}, "现金"},
};

// The administrator every new account set has, at a given time.
Session administrator(const QDateTime& at)
{
    return {QStringLiteral("735146"), QStringLiteral("系统管理员"), QStringLiteral("管理员"), {}, {}, at};
}

void mustSucceed(bool ok, const QString& what, const QString& message)
{
    if (!ok)
        throw db::DbError(QStringLiteral("演示数据 %1：%2").arg(what, message), QStringLiteral("0"));
}

}  // namespace

void fillDemoSet(const QSqlDatabase& db, const QDateTime& made)
{
    // Four days back at opening time, one member every forty minutes.
    const QDateTime first(made.date().addDays(-4), QTime(9, 30));
    const members::RegistrationSettings settings{8, 2};
    int n = 0;
    for (const DemoMember& m : members) {
        members::RegistrationInput in;
        in.memberno = QString::number(n + 1);
        in.truecard = QLatin1String(m.truecard);
        in.membername = QString::fromUtf8(m.name);
        in.sex = QString::fromUtf8(m.sex);
        in.cardno = QLatin1String(m.cardno);
        in.deposit = QString::number(m.deposit);
        in.khjkfs = QStringLiteral("现金");
        in.movetel = QLatin1String(m.movetel);
        const auto done = members::registerMember(db, administrator(first.addSecs(n * 40 * 60)), settings, in);
        mustSucceed(done.ok, in.membername + QStringLiteral("会员注册"), done.message);
        ++n;
    }

    // The three days after: every sale once a day, from ten o'clock, half an hour apart.
    for (int day = 1; day <= 3; ++day) {
        int k = 0;
        for (const DemoSale& sale : sales) {
            mc::sales::CheckoutInput in;
            in.card = QLatin1String(sale.card);
            for (const auto& l : sale.lines)
                if (l.spno) {
                    mc::sales::CheckoutLine line;
                    line.spno = QLatin1String(l.spno);
                    line.spnum = l.spnum;
                    in.lines.append(line);
                }
            if (*sale.jkfs)
                in.jkfs = QString::fromUtf8(sale.jkfs);
            const QDateTime at(first.date().addDays(day), QTime(10, 0).addSecs(k++ * 30 * 60));
            const auto done = mc::sales::checkout(db, in, administrator(at));
            mustSucceed(done.ok, in.card + QStringLiteral("消费"), done.message);
        }
    }
}

void installDemoFiller()
{
    setDemoFiller([](const QSqlDatabase& db) { fillDemoSet(db, QDateTime::currentDateTime()); });
}

}  // namespace mc::demo
