// Goods, stock movements, consumption lines, consumption categories, points rules, points
// exchange and card-class upgrade records.

#include "table.h"
#include "table_lists.h"

namespace schema {

using namespace col;

std::vector<Table> goodsTableList()
{
    return {
        {"spclass",
         {key("pid"), text("classno", 30), text("classname", 80), text("upclassno", 30),
          boolean("isfwxsp")},
         {uniqueIndex({"classno"})}},
        {"xssp",
         {key("pid"), text("spclass", 50), text("spno", 20), text("spname", 60), real("xsjg"),
          text("fwbz", 50), real("jhdj"), real("ygtc"), real("kcsl"), real("zdzk"),
          text("pyzjf", 50), real("pjjhdj"), boolean("istj"), real("ygtc2"), real("ygtc3"),
          real("ygtc4")},
         {uniqueIndex({"spno"}), lookupIndex({"spclass"})}},
        {"kccl",
         {key("pid"), datetime("jthdate"), text("spno", 50), text("spname", 80),
          text("czsm", 50), real("dj"), real("cbdj"), real("jhsl"), real("thsl"), real("xssl"),
          real("xsthsl"), real("curkc"), text("actor", 50), text("xfdh", 50), text("fdh", 30)},
         {lookupIndex({"spno"}), lookupIndex({"jthdate"})}},
        {"xfsp",
         joinColumns({{key("pid"), text("xfno", 50), integer("memberid"), text("memberno", 20),
                       text("spno", 50), text("spname", 60), real("spdj"), real("ydzkl"),
                       real("spzkl"), integer("spnum"), real("zkjg"), real("spjsjg"),
                       real("spzj"), real("cbdj"), text("actor", 30), datetime("lrdate"),
                       datetime("jsdate"), text("jsr", 30), boolean("isfwxsp"),
                       boolean("istjsp"), integer("xfjf"), text("ygid", 10),
                       text("ygname", 30), text("dep_id", 30), text("fwclass", 20),
                       real("ygtc")},
                      uploadColumns(),
                      {text("splx", 50), integer("spjc")}}),
         {lookupIndex({"xfno"}), lookupIndex({"spno"})}},
        {"xfclass",
         {key("pid"), text("xfclass", 20), text("jsgzuse", 50, "员工提成1")},
         {}},
        // One row; the defaults are those of the row the points-settings window creates.
        {"xfjf",
         {key("pid"), boolean("jfzt"), datetime("ksdate"), text("jffs", 50, "消费时积分"),
          real("mxfje", "1"), boolean("usejsr"), real("jsrjf"), boolean("usetjjf"),
          integer("tjjf", "10"), real("ksjfje"), boolean("usenfjf"), real("nfjf", "1"),
          boolean("tjspbjf", true), integer("jfdhfs", "3")},
         {}},
        {"spxfjf",
         {key("pid"), text("spclass", 30), integer("meixf", "1"), integer("xfjf", "1"),
          boolean("isjf", true)},
         {uniqueIndex({"spclass"})}},
        {"jffltable",
         {key("pid"), text("cardno", 5), integer("minjf"), integer("maxjf"), real("perflje")},
         {}},
        {"dhsp",
         {key("pid"), text("spno", 50), text("spname", 80), integer("dhjf"),
          integer("dhsl", "1")},
         {uniqueIndex({"spno"})}},
        {"jfdhmain",
         joinColumns({{key("pid"), text("jfdhdh", 25), datetime("jfdhdate"),
                       text("memberno", 20), text("membername", 40), text("truecard", 30),
                       integer("dhfs"), real("dhje"), integer("dhjf"), integer("curjf"),
                       text("actorname", 50), boolean("iszf")},
                      uploadColumns()}),
         {lookupIndex({"jfdhdh"})}},
        {"dhjf",
         joinColumns({{key("pid"), text("jfdhdh", 25), text("spno", 50), text("spname", 80),
                       integer("spnum"), integer("spjf"), integer("spzjf"),
                       text("actorname", 50)},
                      uploadColumns()}),
         {lookupIndex({"jfdhdh"})}},
        // Widths follow the columns the values are copied from.
        {"sjjl",
         {key("pid"), text("memberno", 20), datetime("pdatetime"), text("sjwz"),
          integer("sjqjf"), text("sjqcardno", 5), text("sjqcardname", 50),
          text("sjhcardno", 50)},
         {}},
        // Never hold rows: they only give the goods pickers' cached lists their shape.
        {"xfsptemp",
         {key("pid"), text("spno", 50), text("spname", 60), real("spdj"), real("spnum"),
          boolean("isfwxsp"), real("zkl")},
         {}},
        {"dhjftemp",
         {key("pid"), text("spno", 50), text("spname", 80), integer("dhjf"), integer("dhsl"),
          integer("dhzjf")},
         {}},
    };
}

}  // namespace schema
