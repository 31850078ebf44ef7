#pragma once
// Reads the first worksheet of a workbook (.xlsx or legacy .xls) cell by cell as text, for the
// goods and attendance imports. The format is told by the file's content, not its name.

#include <QHash>
#include <QString>

namespace mc {

class WorkbookReader {
public:
    enum class OpenResult {
        Opened,
        ReaderFailed,  // the reader itself could not run (out of memory and the like)
        NotWorkbook,   // missing, unreadable, or not a workbook
    };

    OpenResult open(const QString& path);

    // Row and column count from 1; an empty or missing cell gives the empty text. Numbers read
    // as they would show in a general cell: 12 as "12", 2.5 as "2.5".
    QString cell(int row, int column) const;
    // The last row that holds any cell; 0 when the sheet is empty.
    int lastRow() const { return lastRow_; }

private:
    friend class WorkbookFill;
    void set(int row, int column, const QString& text);

    QHash<quint64, QString> cells_;
    int lastRow_ = 0;
};

// The message an import shows for a failed open: "Excel 没有安装!" or "请选择EXCEL电子表格!".
QString workbookOpenMessage(WorkbookReader::OpenResult result);

}  // namespace mc
