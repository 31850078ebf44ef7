// Departments, staff types, attendance rates and results, wage results and wage-month status.

#include "table.h"
#include "table_lists.h"

namespace schema {

using namespace col;

std::vector<Table> staffTableList()
{
    return {
        {"zl_dep", {key("pid"), text("dep_id"), text("dep_name", 50), text("dep_sid")}, {}},
        {"ygclass",
         {key("pid"), text("yglbcode", 10), text("yglb", 30), text("lbqx", 50),
          text("lbhyqx", 50), real("xstc"), text("tcdx", 40, "按个人提成")},
         {}},
        {"kqgz",
         {key("pid"), real("qqjl"), real("cqt"), real("kgt"), real("qjt"), real("cdcs"),
          real("ztcs")},
         {}},
        {"kqjg",
         {key("pid"), text("syear", 5), text("smon", 3), text("ygid"), text("ygname", 30),
          real("cqts"), real("kgt"), real("qjt"), real("cdcs"), real("ztcs")},
         {lookupIndex({"syear", "smon"})}},
        {"gzjsjg",
         {key("pid"), text("syear", 5), text("smon", 3), text("ygid"), text("ygname", 30),
          integer("scls"), real("jbgz"), real("tcgz"), real("kqgz"), real("hjgz"),
          real("otjl"), real("otkk"), real("zxcls"), real("sfgz")},
         {lookupIndex({"syear", "smon"})}},
        // At most one status row per wage month.
        {"gzjsmon",
         {key("pid"), text("syear", 5), text("smon", 3), boolean("kqdr"), boolean("isjs"),
          boolean("isqr"), datetime("jsdate"), text("jsr", 30), datetime("qrdate"),
          text("qrr", 30)},
         {uniqueIndex({"syear", "smon"})}},
        {"sptc",
         {key("pid"), text("fwlx"), text("spno"), text("spname", 60), text("tcfs"), real("tc"),
          real("tcbl")},
         {}},
    };
}

}  // namespace schema
