#include "report_template.h"

#include <array>

namespace mc::reports {

namespace {

struct BandName {
    BandType type;
    const char* name;
};

constexpr std::array<BandName, 9> bandNames{{
    {BandType::ReportTitle, "ReportTitle"},
    {BandType::PageHeader, "PageHeader"},
    {BandType::ColumnHeader, "ColumnHeader"},
    {BandType::GroupHeader, "GroupHeader"},
    {BandType::MasterData, "MasterData"},
    {BandType::DetailData, "DetailData"},
    {BandType::GroupFooter, "GroupFooter"},
    {BandType::ReportSummary, "ReportSummary"},
    {BandType::PageFooter, "PageFooter"},
}};

}  // namespace

QString bandTypeName(BandType type)
{
    for (const BandName& b : bandNames)
        if (b.type == type)
            return QLatin1String(b.name);
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
