#include "goods_import.h"

#include "database.h"
#include "transaction.h"
#include "utils/textchecks.h"
#include "utils/workbook_reader.h"

#include <QFileInfo>

#include <cmath>

namespace mc::sales {

using db::exec;

namespace {

// A column number as typed: empty counts as 0; anything but digits is wrong.
std::optional<int> column(const QString& text)
{
    if (text.trimmed().isEmpty())
        return 0;
    if (!isint(text))
        return std::nullopt;
    return text.trimmed().toInt();
}

// A row that cannot be imported fails like a statement would, with error number 0.
db::DbError rowError(const QString& text)
{
    return db::DbError(text, QStringLiteral("0"));
}

double cellNumber(const WorkbookReader& book, int row, int col)
{
    if (col == 0)
        return 0;
    const QString text = book.cell(row, col).trimmed();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        throw rowError(QStringLiteral("\"%1\"不是有效的数值").arg(text));
    return v;
}

QString classOfName(const QSqlDatabase& db, const QString& name)
{
    if (name.isEmpty())
        throw rowError(QStringLiteral("商品类别必须录入"));
    const QVariant known = db::scalar(db, QStringLiteral("select classno from spclass where classname = ?"), {name});
    if (known.isValid())
        return known.toString();
    GoodsClass c;
    c.classno = nextGoodsClassCode(db);
    c.classname = name;
    exec(db, QStringLiteral("insert into spclass(classno, classname, isfwxsp) values(?, ?, ?)"),
         {c.classno, c.classname, false});
    return c.classno;
}

// Goods codes handed out during one import: counting on from the highest numeric code, and past
// every numeric code the file itself brings in.
class CodeCounter {
public:
    explicit CodeCounter(const QSqlDatabase& db) : next_(nextGoodsCode(db).toLongLong()) {}
    QString take() { return QString::number(next_++); }
    void saw(const QString& code)
    {
        bool ok = false;
        const long long n = code.toLongLong(&ok);
        if (ok && !code.isEmpty() && code.front().isDigit() && n >= next_)
            next_ = n + 1;
    }

private:
    long long next_;
};

struct Columns {
    int start = 0, code = 0, name = 0, price = 0, cost = 0, stock = 0, klass = 0;
    std::array<int, 4> commission{};
};

Columns columnsOf(const GoodsImportSettings& s)
{
    Columns c;
    c.start = s.startRow.trimmed().toInt();
    c.code = *column(s.codeColumn);
    c.name = *column(s.nameColumn);
    c.price = *column(s.priceColumn);
    c.cost = *column(s.costColumn);
    c.stock = *column(s.stockColumn);
    for (int i = 0; i < 4; ++i)
        c.commission[i] = *column(s.commissionColumns[i]);
    c.klass = s.fixedClass ? 0 : *column(s.classColumn);
    return c;
}

}  // namespace

QString checkImportSettings(const GoodsImportSettings& s)
{
    if (s.startRow.trimmed().isEmpty())
        return QStringLiteral("请设置文件开始行数");
    if (!isint(s.startRow))
        return QStringLiteral("文件开始行数不正确");
    if (!column(s.codeColumn))
        return QStringLiteral("商品编号列数不正确");
    if (s.nameColumn.trimmed().isEmpty())
        return QStringLiteral("商品名称列数必须录入");
    if (!column(s.nameColumn) || *column(s.nameColumn) == 0)
        return QStringLiteral("商品名称列数不正确");
    if (!column(s.priceColumn))
        return QStringLiteral("销售价格列数不正确");
    if (!column(s.costColumn))
        return QStringLiteral("进货价格列数不正确");
    if (!column(s.stockColumn))
        return QStringLiteral("库存数量列数不正确");
    for (int i = 0; i < 4; ++i)
        if (!column(s.commissionColumns[i]))
            return QStringLiteral("提成%1列数不正确").arg(i + 1);
    if (s.fixedClass) {
        if (s.classCode.isEmpty())
            return QStringLiteral("商品类别必须录入");
    } else {
        if (s.classColumn.trimmed().isEmpty())
            return QStringLiteral("商品类别列数必须录入");
        if (!column(s.classColumn) || *column(s.classColumn) == 0)
            return QStringLiteral("商品类别列数不正确");
    }
    return {};
}

Outcome importGoods(const QSqlDatabase& db, const GoodsImportSettings& s)
{
    if (const QString message = checkImportSettings(s); !message.isEmpty())
        return Outcome::failure(message);
    if (!QFileInfo(s.file).isFile())
        return Outcome::failure(QStringLiteral("文件不存在"));
    WorkbookReader book;
    if (const auto opened = book.open(s.file); opened != WorkbookReader::OpenResult::Opened)
        return Outcome::failure(workbookOpenMessage(opened));
    const Columns c = columnsOf(s);

    int row = 0;
    try {
        if (s.deleteExisting)
            exec(db, QStringLiteral("delete from xssp"));
        CodeCounter codes(db);
        for (row = qMax(c.start, 1);; ++row) {
            Goods g;
            g.spname = book.cell(row, c.name).trimmed();
            if (g.spname.isEmpty())
                break;
            if (c.code != 0) {
                g.spno = book.cell(row, c.code).trimmed();
                if (!g.spno.isEmpty() && findGoods(db, g.spno)) {
                    if (!s.reassignDuplicates)
                        return Outcome::failure(QStringLiteral("第%1行商品编号重复").arg(row));
                    g.spno.clear();
                }
            }
            db::Transaction t(db);
            if (g.spno.isEmpty())
                g.spno = codes.take();
            codes.saw(g.spno);
            g.spclass = s.fixedClass ? s.classCode : classOfName(db, book.cell(row, c.klass).trimmed());
            g.pyzjf = goodsPinyin(g.spname);
            g.xsjg = cellNumber(book, row, c.price);
            g.jhdj = cellNumber(book, row, c.cost);
            g.pjjhdj = g.jhdj;  // the starting stock's cost, as in goods entry; later averages build on it
            g.kcsl = cellNumber(book, row, c.stock);
            if (g.kcsl != std::floor(g.kcsl))
                throw rowError(QStringLiteral("库存数量必须为整数"));
            g.ygtc = cellNumber(book, row, c.commission[0]);
            g.ygtc2 = cellNumber(book, row, c.commission[1]);
            g.ygtc3 = cellNumber(book, row, c.commission[2]);
            g.ygtc4 = cellNumber(book, row, c.commission[3]);
            exec(db,
                 QStringLiteral("insert into xssp(spclass, spno, spname, pyzjf, xsjg, jhdj, pjjhdj, kcsl, "
                                "ygtc, ygtc2, ygtc3, ygtc4) values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {g.spclass, g.spno, g.spname, g.pyzjf, g.xsjg, g.jhdj, g.pjjhdj, g.kcsl, g.ygtc, g.ygtc2,
                  g.ygtc3, g.ygtc4});
            // The starting stock is a movement like any other, so movements add up to the stock.
            if (g.kcsl != 0 && !isServiceGoods(db, g.spno))
                writeStartingStock(db, g);
            t.commit();
        }
    } catch (const db::DbError& e) {
        return Outcome::failure(QStringLiteral("第%1出现错误，无法导入\n%2\n错误:%3").arg(row).arg(e.text(), e.number()));
    }
    return Outcome::success(QStringLiteral("商品信息导入成功"));
}

}  // namespace mc::sales
