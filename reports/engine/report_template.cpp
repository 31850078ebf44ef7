#include "report_template.h"

#include <array>

namespace mc::reports {

namespace {

struct BandName {
    BandType type;
    const char* name;
    const char16_t* caption;
};

constexpr std::array<BandName, 9> bandNames{{
    {BandType::ReportTitle, "ReportTitle", u"报表标题"},
    {BandType::PageHeader, "PageHeader", u"页眉"},
    {BandType::ColumnHeader, "ColumnHeader", u"列标题"},
    {BandType::GroupHeader, "GroupHeader", u"分组头"},
    {BandType::MasterData, "MasterData", u"主数据"},
    {BandType::DetailData, "DetailData", u"明细数据"},
    {BandType::GroupFooter, "GroupFooter", u"分组尾"},
    {BandType::ReportSummary, "ReportSummary", u"报表汇总"},
    {BandType::PageFooter, "PageFooter", u"页脚"},
}};

}  // namespace

QString bandTypeName(BandType type)
{
    for (const BandName& b : bandNames)
        if (b.type == type)
            return QLatin1String(b.name);
    return {};
}

QString bandTypeCaption(BandType type)
{
    for (const BandName& b : bandNames)
        if (b.type == type)
            return QString::fromUtf16(b.caption);
    return {};
}

bool bandTypeFromName(const QString& name, BandType* type)
{
    for (const BandName& b : bandNames) {
        if (name.compare(QLatin1String(b.name), Qt::CaseInsensitive) == 0) {
            *type = b.type;
            return true;
        }
    }
    return false;
}

const QList<BandType>& allBandTypes()
{
    static const QList<BandType> types = [] {
        QList<BandType> list;
        for (const BandName& b : bandNames)
            list << b.type;
        return list;
    }();
    return types;
}

const Band* ReportTemplate::band(BandType type) const
{
    for (const Band& b : bands)
        if (b.type == type)
            return &b;
    return nullptr;
}

Band* ReportTemplate::band(BandType type)
{
    for (Band& b : bands)
        if (b.type == type)
            return &b;
    return nullptr;
}

ReportObject* ReportTemplate::object(const QString& name)
{
    for (Band& b : bands)
        for (ReportObject& o : b.objects)
            if (o.name == name)
                return &o;
    return nullptr;
}

QString defaultFontFamily()
{
    return QStringLiteral("Noto Sans CJK SC");
}

}  // namespace mc::reports
