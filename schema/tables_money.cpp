// Company accounts, the operator money ledger, operator shifts and the report scratch tables.

#include "table.h"
#include "table_lists.h"

namespace schema {

using namespace col;

namespace {

// The daily and the monthly report are computed into tables of the same shape.
std::vector<Column> reportColumns()
{
    return {key("pid"),     datetime("pdate"), text("spname", 60), real("zsr"),   real("xjsr"),
            real("otsr"),   real("zzc"),       real("xjzc"),       real("otzc"),  real("xfcs"),
            real("xfzje"),  real("xjxf"),      real("knxf"),       real("otxf"),  real("kncr"),
            real("xfjc"),   real("crjc")};
}

}  // namespace

std::vector<Table> moneyTableList()
{
    return {
        {"gszh",
         {key("pid"), text("zhname", 50), text("khr", 50), real("curye")},
         {uniqueIndex({"zhname"})}},
        {"actormoney",
         {key("pid"), text("actorid", 20), text("actorname", 30), text("memberno", 20),
          datetime("pdate"), text("zhname", 50), text("sfkxm", 50), real("skje"), real("ysje"),
          integer("crje"), real("zlje"), real("zcje"), real("zhye"), boolean("isjz"),
          datetime("jzdate"), text("jzactor", 30), text("xfh", 50), text("fdh", 30),
          text("scip", 20), boolean("issc")},
         {lookupIndex({"pdate"}), lookupIndex({"isjz"})}},
        {"actorjs",
         {key("pid"), text("actorid"), text("actorname", 30), datetime("loadtime"),
          datetime("jsdate"), boolean("isjs"), real("zsr"), real("xjsr"), real("otsr"),
          real("zzc"), real("xjzc"), real("otzc"), real("hjsr"), real("hjxjsr"),
          real("hjotsr"), real("xfzje"), real("knxf"), real("zkxf"), real("xfjc")},
         // At most one open shift, even when two workstations start at the same moment.
         {{{"isjs"}, true, "isjs = false"}}},
        {"daycount", reportColumns(), {}},
        {"monthcount", reportColumns(), {}},
    };
}

}  // namespace schema
