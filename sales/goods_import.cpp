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

// A row that cannot be imported: the message names the row, as a failing statement's does.
Done rowFailure(int row, const QString& text, const QString& number = QStringLiteral("0"))
{
    return Done::failure(QStringLiteral("第%1出现错误，无法导入\n%2\n错误:%3").arg(row).arg(text, number));
}

// A number cell; empty or not imported counts as 0.
std::optional<double> cellNumber(const WorkbookReader& book, int row, int col)
{
    if (col == 0)
        return 0.0;
    const QString text = book.cell(row, col).trimmed();
    if (text.isEmpty())
        return 0.0;
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString notANumber(const WorkbookReader& book, int row, int col)
{
    return QStringLiteral("\"%1\"不是有效的数值").arg(book.cell(row, col).trimmed());
}

// The class code of a class name, creating the class when it is new.
QString classOfName(const QSqlDatabase& db, const QString& name)
{
    const QVariant known = db::scalar(db, QStringLiteral("select classno from spclass where classname = ?"), {name});
    if (known.isValid())
        return known.toString();
    const QString classno = nextGoodsClassCode(db);
    exec(db, QStringLiteral("insert into spclass(classno, classname, isfwxsp) values(?, ?, ?)"),
         {classno, name, false});
    return classno;
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

Done checkImportSettings(const GoodsImportSettings& s)
{
    auto refuse = [](const QString& message, const QString& field) { return Done::failure(message, field); };
    if (s.startRow.trimmed().isEmpty())
        return refuse(QStringLiteral("请设置文件开始行数"), QStringLiteral("startRow"));
    if (!isint(s.startRow))
        return refuse(QStringLiteral("文件开始行数不正确"), QStringLiteral("startRow"));
    if (!column(s.codeColumn))
        return refuse(QStringLiteral("商品编号列数不正确"), QStringLiteral("codeColumn"));
    if (s.nameColumn.trimmed().isEmpty())
        return refuse(QStringLiteral("商品名称列数必须录入"), QStringLiteral("nameColumn"));
    if (!column(s.nameColumn) || *column(s.nameColumn) == 0)
        return refuse(QStringLiteral("商品名称列数不正确"), QStringLiteral("nameColumn"));
    if (!column(s.priceColumn))
        return refuse(QStringLiteral("销售价格列数不正确"), QStringLiteral("priceColumn"));
    if (!column(s.costColumn))
        return refuse(QStringLiteral("进货价格列数不正确"), QStringLiteral("costColumn"));
    if (!column(s.stockColumn))
        return refuse(QStringLiteral("库存数量列数不正确"), QStringLiteral("stockColumn"));
    for (int i = 0; i < 4; ++i)
        if (!column(s.commissionColumns[i]))
            return refuse(QStringLiteral("提成%1列数不正确").arg(i + 1), QStringLiteral("tc%1Column").arg(i + 1));
    if (s.fixedClass) {
        if (s.classCode.isEmpty())
            return refuse(QStringLiteral("商品类别必须录入"), QStringLiteral("classes"));
    } else {
        if (s.classColumn.trimmed().isEmpty())
            return refuse(QStringLiteral("商品类别列数必须录入"), QStringLiteral("classColumn"));
        if (!column(s.classColumn) || *column(s.classColumn) == 0)
            return refuse(QStringLiteral("商品类别列数不正确"), QStringLiteral("classColumn"));
    }
    return Done::success();
}

namespace {

// One row into `g`, or the reason it cannot be imported.
std::optional<QString> readRow(const QSqlDatabase& db, const WorkbookReader& book, const Columns& c,
                               const GoodsImportSettings& s, int row, Goods& g)
{
    if (s.fixedClass) {
        g.spclass = s.classCode;
    } else {
        const QString name = book.cell(row, c.klass).trimmed();
        if (name.isEmpty())
            return QStringLiteral("商品类别必须录入");
        g.spclass = classOfName(db, name);
    }
    g.pyzjf = goodsPinyin(g.spname);
    std::optional<QString> refused;
    auto number = [&](int col) {
        const auto v = cellNumber(book, row, col);
        if (!v && !refused)
            refused = notANumber(book, row, col);
        return v.value_or(0);
    };
    g.xsjg = Money::fromDouble(number(c.price));
    g.jhdj = Money::fromDouble(number(c.cost));
    g.pjjhdj = g.jhdj;  // the starting stock's cost, as in goods entry; later averages build on it
    g.kcsl = number(c.stock);
    if (!refused && g.kcsl != std::floor(g.kcsl))
        refused = QStringLiteral("库存数量必须为整数");
    g.ygtc = Money::fromDouble(number(c.commission[0]));
    g.ygtc2 = Money::fromDouble(number(c.commission[1]));
    g.ygtc3 = Money::fromDouble(number(c.commission[2]));
    g.ygtc4 = Money::fromDouble(number(c.commission[3]));
    return refused;
}

}  // namespace

Done importGoods(const QSqlDatabase& db, const Session& session, const GoodsImportSettings& s)
{
    if (const Done checked = checkImportSettings(s); !checked)
        return checked;
    if (!QFileInfo(s.file).isFile())
        return Done::failure(QStringLiteral("文件不存在"), QStringLiteral("file"));
    WorkbookReader book;
    if (const auto opened = book.open(s.file); opened != WorkbookReader::OpenResult::Opened)
        return Done::failure(workbookOpenMessage(opened), QStringLiteral("file"));
    const Columns c = columnsOf(s);

    int row = 0;
    try {
        // Leaving the scope without commit rolls everything back, the deletion included.
        db::Transaction t(db);
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
                        return Done::failure(QStringLiteral("第%1行商品编号重复").arg(row));
                    g.spno.clear();
                }
            }
            if (g.spno.isEmpty())
                g.spno = codes.take();
            codes.saw(g.spno);
            if (const auto refused = readRow(db, book, c, s, row, g))
                return rowFailure(row, *refused);
            exec(db,
                 QStringLiteral("insert into xssp(spclass, spno, spname, pyzjf, xsjg, jhdj, pjjhdj, kcsl, "
                                "ygtc, ygtc2, ygtc3, ygtc4) values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {g.spclass, g.spno, g.spname, g.pyzjf, g.xsjg.toDouble(), g.jhdj.toDouble(), g.pjjhdj.toDouble(),
                  g.kcsl, g.ygtc.toDouble(), g.ygtc2.toDouble(), g.ygtc3.toDouble(), g.ygtc4.toDouble()});
            // The starting stock is a movement like any other, so movements add up to the stock.
            if (g.kcsl != 0 && !isServiceGoods(db, g.spno))
                writeStartingStock(db, session, g);
        }
        t.commit();
    } catch (const db::DbError& e) {
        return rowFailure(row, e.text(), e.number());
    }
    return Done::success({}, QStringLiteral("商品信息导入成功"));
}

}  // namespace mc::sales
