#include "printing.h"

#include "painting.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace mc::reports {

QString printReport(const PreparedReport& report, QPrinter& printer, int copies)
{
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("membercard"));
    const QString error = paintDocument(printer, printer.resolution(), report, copies);
    return error.isEmpty() ? QString() : error + QStringLiteral(": ") + printer.printerName();
}

QString printReport(const PreparedReport& report, const QString& printerName, int copies)
{
    const QPrinterInfo info = printerName.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printerName);
    if (info.isNull())
        return printerName.isEmpty() ? QStringLiteral("没有可用的打印机")
                                     : QStringLiteral("找不到打印机: ") + printerName;
    QPrinter printer(info, QPrinter::HighResolution);
    return printReport(report, printer, copies);
}

}  // namespace mc::reports
