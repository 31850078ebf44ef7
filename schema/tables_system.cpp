// The account-set catalogue and the tables the application frame needs before any business window.

#include "table.h"
#include "table_lists.h"

namespace schema {

using namespace col;

std::vector<Table> catalogueTableList()
{
    return {
        {"sjklj",
         {key("pid"), text("ztmc", 50), text("memo", 50), integer("sjk"), text("server", 50),
          text("username", 50), text("userpwd", 50), integer("dlfs"), boolean("lastload"),
          text("lastyg"), datetime("lastloadtime"), text("loadip", 50), datetime("ztjlsj")},
         {uniqueIndex({"ztmc"})}},
    };
}

std::vector<Table> systemTableList()
{
    return {
        // One row; the values below are those of the row the settings window appends to an
        // empty table.
        {"sysset",
         {key("pid"), text("dwname", 50, ""), text("autobppath", 255, ""),
          integer("memberws", "8"), integer("ygws", "8"), boolean("xfdyxp", true),
          boolean("zcdyxp"), boolean("xkdyxp"), integer("dyys", "1"), boolean("jfkfhck"),
          boolean("jdms"), boolean("kcwlxf"), integer("jeblxs", "1"), boolean("xfsuseyg"),
          boolean("yxxgzk"), boolean("xfbxxzclass"), boolean("xxxgspjg"),
          text("mrxfclass", 20, ""), boolean("membersrsend"),
          {"membersrsendxx", ColumnType::Memo, 0, Default::Value, ""}, boolean("jckxfcs"),
          integer("gztcjsff"), integer("tcff"), real("tcbl"), integer("gzqsr", "1")},
         {}},
        {"czrz",
         {key("pid"), datetime("pdate"), text("czyno"), text("czy", 30), text("czip", 50),
          memo("cznr")},
         {lookupIndex({"pdate"})}},
        // The second index gives the highest number of a prefix and day in one step: within
        // one day key the longest code is the highest, and among equal lengths the text order.
        {"ysydjno",
         {key("pid"), text("djcode"), text("djclass")},
         {uniqueIndex({"djcode"}),
          {{"substr(djcode, 1, 9)", "length(djcode)", "djcode"}, false, {}, true}}},
        // pwd holds a salted hash, not the password itself.
        {"gsyg",
         {key("pid"), text("ygid", 10), text("ygname", 30), text("dep_id", 20),
          text("yglb", 30), text("pwd", 128), text("sex", 2), text("sfz", 18),
          datetime("birthday"), text("address", 70), text("lxtel", 50), text("movtel", 50),
          real("ygjbgz"), text("pym", 50), real("ljlsgz")},
         {uniqueIndex({"ygid"})}},
        {"classqx",
         {key("pid"), text("ygclass", 30), text("menucode", 50), text("menuname", 50),
          boolean("isyy")},
         {lookupIndex({"ygclass"})}},
        // fdname is compared with the fdh columns, so it is no wider than they are.
        {"gsfd", {key("pid"), text("fdname", 30)}, {}},
    };
}

}  // namespace schema
