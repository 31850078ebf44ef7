// check-books: the books check. No input. Prints what was checked and the rules broken; exits
// with 1 when any rule is broken.

#include "books_check.h"
#include "command.h"

#include <QJsonArray>
#include <QTextStream>

namespace mc::cli {

namespace {

// Every tenth of the way on standard error, for a large account set.
void showProgress(qint64 done, qint64 total)
{
    static int shown = -1;
    const int tenth = total > 0 ? int(done * 10 / total) : 10;
    if (tenth != shown) {
        shown = tenth;
        QTextStream(stderr) << "账务核对 " << tenth * 10 << "%" << Qt::endl;
    }
}

Output checkBooks(const Input&, const Session&, const QSqlDatabase& db)
{
    const books::BooksReport report = books::checkBooks(db, showProgress);
    const books::Checked& c = report.checked;
    const QJsonObject values{
        {QStringLiteral("checked"), QJsonObject{{QStringLiteral("members"), c.members},
                                                {QStringLiteral("accounts"), c.accounts},
                                                {QStringLiteral("goods"), c.goods},
                                                {QStringLiteral("documents"), c.documents},
                                                {QStringLiteral("rows"), c.rowsRead}}},
        {QStringLiteral("broken"), QJsonArray::fromStringList(report.broken)}};
    if (report.balanced())
        return Output::success(values, QStringLiteral("账务相符"));
    return {false, QStringLiteral("账务核对发现 %1 处不符").arg(report.broken.size()), {}, values};
}

const Registration registration{{
    QStringLiteral("check-books"),
    QStringLiteral("Z1"),  // 系统管理 › 账务核对
    {},
    {},
    checkBooks,
}};

}  // namespace

}  // namespace mc::cli
