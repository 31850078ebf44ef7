// Grid export to .xlsx and workbook import, checked against an independent reader and writer
// (Python's openpyxl and xlwt).

#include "utils/gridexport.h"
#include "utils/workbook_reader.h"

#include "qt_print.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A grid of fixed rows, as a query model would give them.
class Grid : public QAbstractTableModel {
public:
    Grid(QStringList titles, QList<QVariantList> rows) : titles_(std::move(titles)), rows_(std::move(rows)) {}
    int rowCount(const QModelIndex& = {}) const override { return int(rows_.size()); }
    int columnCount(const QModelIndex& = {}) const override { return int(titles_.size()); }
    QVariant data(const QModelIndex& i, int role) const override
    {
        return role == Qt::DisplayRole ? rows_[i.row()][i.column()] : QVariant();
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        return o == Qt::Horizontal && role == Qt::DisplayRole ? QVariant(titles_[section]) : QVariant();
    }

private:
    QStringList titles_;
    QList<QVariantList> rows_;
};

// Runs a Python script with the system interpreter; its standard output.
QByteArray python(const QString& script, const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(SYSTEM_PYTHON), QStringList{"-c", script} + args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        ADD_FAILURE() << "python failed: " << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

const char* kReadBack = R"(
import json, sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
cells = {c.coordinate: c.value for row in ws.iter_rows() for c in row if c.value is not None}
print(json.dumps({"merged": sorted(str(r) for r in ws.merged_cells.ranges), "cells": cells,
                  "types": {k: type(v).__name__ for k, v in cells.items()},
                  "titleSize": ws["A1"].font.sz, "headSize": ws["A3"].font.sz,
                  "widthA": ws.column_dimensions["A"].width}))
)";

TEST(GridExport, ReportLayoutReadBackIndependently)
{
    QTemporaryDir dir;
    const Grid grid({"卡号", "余额", "内部", "次数", "日期"},
                    {{"0001", 12.5, "secret", 3, QDate(2027, 1, 31)},
                     {"0002", 0.005, "secret", 0, QVariant()},
                     {"张三的很长很长的会员名字", -7.0, "secret", 10, QDate(2027, 2, 1)}});
    const QString path = dir.path() + "/会员信息.xlsx";
    const mc::GridExportResult r = mc::writeGridWorkbook(grid, {2}, path, "会员信息", "管理员", QDate(2027, 3, 4));
    ASSERT_TRUE(r.ok) << r.error.toStdString();

    const QJsonObject book = QJsonDocument::fromJson(python(kReadBack, {path})).object();
    const QJsonObject cells = book["cells"].toObject();
    const QJsonObject types = book["types"].toObject();
    EXPECT_EQ(book["merged"].toArray(), QJsonArray({"A1:I1", "A2:I2", "A8:I8"}));
    EXPECT_EQ(cells["A1"].toString(), "会员信息");
    EXPECT_EQ(book["titleSize"].toDouble(), 14);
    EXPECT_EQ(book["headSize"].toDouble(), 10);
    // Titles in the sheet column of their grid position; the hidden column leaves C empty.
    EXPECT_EQ(cells["A3"].toString(), "卡号");
    EXPECT_EQ(cells["B3"].toString(), "余额");
    EXPECT_FALSE(cells.contains("C3"));
    EXPECT_FALSE(cells.contains("C4"));
    EXPECT_EQ(cells["D3"].toString(), "次数");
    EXPECT_EQ(cells["E3"].toString(), "日期");
    // Floating-point values as "0.00" text.
    EXPECT_EQ(cells["B4"].toString(), "12.50");
    EXPECT_EQ(cells["B5"].toString(), "0.01");
    EXPECT_EQ(cells["B6"].toString(), "-7.00");
    EXPECT_EQ(types["B4"].toString(), "str");
    EXPECT_EQ(cells["A4"].toString(), "0001");  // leading zeros kept
    EXPECT_EQ(cells["D4"].toString(), "3");
    EXPECT_EQ(cells["E4"].toString(), "2027-01-31");
    EXPECT_FALSE(cells.contains("E5"));
    // The maker line after one empty row.
    EXPECT_FALSE(cells.contains("A7"));
    EXPECT_EQ(cells["A8"].toString(), "制单人：管理员  制单日期：2027-03-04");
    EXPECT_GT(book["widthA"].toDouble(), 20);  // fitted to the long name
}

TEST(GridExport, AFailedWriteIsReported)
{
    QTemporaryDir dir;
    const Grid grid({"a"}, {{1}});
    EXPECT_FALSE(mc::writeGridWorkbook(grid, {}, dir.path() + "/missing/x.xlsx", "t", "m", QDate(2027, 1, 1)).ok);

    // The target cannot be replaced (here a folder of that name): failure, and no half-written
    // file is left beside it.
    const QString path = dir.path() + "/taken.xlsx";
    ASSERT_TRUE(QDir(dir.path()).mkpath("taken.xlsx/inside"));
    const mc::GridExportResult r = mc::writeGridWorkbook(grid, {}, path, "t", "m", QDate(2027, 1, 1));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    EXPECT_TRUE(QFileInfo(path + "/inside").isDir());
}

const char* kWriteXlsx = R"(
import sys, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "商品"
ws.append(["编号", "名称", "售价", "库存"])
ws.append(["001", "洗发水", 12.5, 10])
ws.append(["002", "理发", 30, None])
ws.append([None, "没有编号", 1, 1])
ws.append(["004", "after the gap", 1, 1])
ws["F1"] = "富文本"
wb.create_sheet("second")["A1"] = "not read"
wb.save(sys.argv[1])
)";

const char* kWriteXls = R"(
import sys, xlwt
wb = xlwt.Workbook(encoding="utf-8")
ws = wb.add_sheet("商品")
for r, row in enumerate([["编号", "名称", "售价", "库存"], ["001", "洗发水", 12.5, 10], ["002", "理发", 30, None]]):
    for c, v in enumerate(row):
        if v is not None:
            ws.write(r, c, v)
wb.add_sheet("second").write(0, 0, "not read")
wb.save(sys.argv[1])
)";

TEST(WorkbookImport, FirstSheetCellByCellAsText)
{
    QTemporaryDir dir;
    for (const auto& [script, name] : {std::pair{kWriteXlsx, "goods.xlsx"}, std::pair{kWriteXls, "goods.xls"}}) {
        const QString path = dir.path() + "/" + name;
        python(script, {path});
        mc::WorkbookReader book;
        ASSERT_EQ(book.open(path), mc::WorkbookReader::OpenResult::Opened) << name;
        EXPECT_EQ(book.cell(1, 1), "编号") << name;
        EXPECT_EQ(book.cell(2, 1), "001") << name;
        EXPECT_EQ(book.cell(2, 2), "洗发水") << name;
        EXPECT_EQ(book.cell(2, 3), "12.5") << name;
        EXPECT_EQ(book.cell(2, 4), "10") << name;
        EXPECT_EQ(book.cell(3, 3), "30") << name;
        EXPECT_EQ(book.cell(3, 4), "") << name;  // empty cell
        EXPECT_EQ(book.cell(99, 99), "") << name;
        EXPECT_NE(book.cell(1, 1), "not read") << name;
    }

    // The import loop of the callers: rows until the first empty key cell.
    mc::WorkbookReader book;
    ASSERT_EQ(book.open(dir.path() + "/goods.xlsx"), mc::WorkbookReader::OpenResult::Opened);
    QStringList keys;
    for (int row = 2; !book.cell(row, 1).isEmpty(); ++row)
        keys << book.cell(row, 1);
    EXPECT_EQ(keys, QStringList({"001", "002"}));
    EXPECT_EQ(book.cell(1, 6), "富文本");
    EXPECT_EQ(book.lastRow(), 5);
}

TEST(WorkbookImport, WhatIsNoWorkbookSaysSo)
{
    QTemporaryDir dir;
    const auto write = [&dir](const char* name, const QByteArray& bytes) {
        QFile f(dir.path() + "/" + name);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    using R = mc::WorkbookReader::OpenResult;
    mc::WorkbookReader book;
    EXPECT_EQ(book.open(dir.path() + "/none.xlsx"), R::NotWorkbook);
    EXPECT_EQ(book.open(write("text.xlsx", "编号,名称\n001,a\n")), R::NotWorkbook);
    EXPECT_EQ(book.open(write("zip.xlsx", QByteArray("PK\x03\x04garbage", 11))), R::NotWorkbook);
    EXPECT_EQ(book.open(write("ole.xls", QByteArray("\xD0\xCF\x11\xE0garbage", 11))), R::NotWorkbook);
    EXPECT_EQ(book.cell(1, 1), "");
    EXPECT_EQ(mc::workbookOpenMessage(R::NotWorkbook), "请选择EXCEL电子表格!");
    EXPECT_EQ(mc::workbookOpenMessage(R::ReaderFailed), "Excel 没有安装!");
}

}  // namespace
