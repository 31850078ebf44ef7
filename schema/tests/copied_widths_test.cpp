// A value copied from one column into another must fit: the target is at least as wide as the
// column the value comes from, or the save that copies it fails on a long name or number.

#include "table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Copy {
    const char* source;                // "table.column"
    std::vector<const char*> targets;  // every "table.column" the value is written into
};

// Names, codes and numbers, from where they are kept to the journals and ledgers that copy them.
const std::vector<Copy> copies = {
    {"xssp.spno",
     {"kccl.spno", "xfsp.spno", "dhsp.spno", "dhjf.spno", "xfsptemp.spno", "dhjftemp.spno",
      "sptc.spno", "cardfj.xmno", "memberfj.xmno"}},
    {"xssp.spname",
     {"kccl.spname", "xfsp.spname", "dhsp.spname", "sptc.spname", "xfsptemp.spname",
      "daycount.spname", "monthcount.spname"}},
    {"dhsp.spname", {"dhjf.spname", "dhjftemp.spname"}},
    {"spclass.classno",
     {"xssp.spclass", "cardfj.xmclass", "memberfj.xmclass", "spxfjf.spclass"}},
    {"cardfj.xmno", {"memberfj.xmno"}},
    {"membercurlist.memberno",
     {"memberxx.memberno", "memberjf.memberno", "memberxk.memberno", "memberhk.memberno",
      "memberfj.memberno", "actormoney.memberno", "jfdhmain.memberno", "sjjl.memberno",
      "smssend.memberno", "xfsp.memberno", "membercurlist.rhjsr"}},
    {"membercurlist.truecard", {"jfdhmain.truecard", "memberhk.ycardno", "memberhk.hcardno"}},
    {"membercurlist.membername",
     {"memberxx.membername", "memberxk.membername", "memberhk.membername",
      "jfdhmain.membername", "membercurlist.jsrname"}},
    {"membercurlist.movetel", {"smssend.movetel"}},
    {"cardclass.cardno",
     {"membercurlist.cardno", "cardfj.cardno", "jffltable.cardno", "autosj.cardno",
      "autosj.sjhcardno", "sjjl.sjqcardno", "sjjl.sjhcardno", "memberxk.yklx", "memberxk.xklx"}},
    {"cardclass.cardname", {"sjjl.sjqcardname"}},
    {"gsyg.ygid",
     {"xfsp.ygid", "xfsp.actor", "xfsp.jsr", "memberxx.ygid", "kccl.actor",
      "actormoney.actorid", "actorjs.actorid", "kqjg.ygid", "gzjsjg.ygid", "czrz.czyno"}},
    // Operator names are the staff names of gsyg.
    {"gsyg.ygname",
     {"xfsp.ygname", "memberxx.ygname", "memberxx.actor", "memberxx.bcactor",
      "memberxx.zfactor", "memberjf.actor", "memberxk.actor", "memberhk.actor", "kccl.actor",
      "actormoney.actorname", "actormoney.jzactor", "actorjs.actorname", "kqjg.ygname",
      "gzjsjg.ygname", "gzjsmon.jsr", "gzjsmon.qrr", "czrz.czy", "jfdhmain.actorname",
      "dhjf.actorname"}},
    {"zl_dep.dep_id", {"gsyg.dep_id"}},
    {"gsyg.dep_id", {"xfsp.dep_id", "memberxx.dep_id"}},
    {"ygclass.yglb", {"gsyg.yglb", "classqx.ygclass"}},
    {"gszh.zhname",
     {"actormoney.zhname", "memberxx.jkfs", "membercurlist.khjkfs", "memberxk.jkzh",
      "memberhk.jkzh"}},
    {"xfclass.xfclass", {"xfsp.fwclass", "memberxx.xfclass", "sysset.mrxfclass", "sptc.fwlx"}},
    {"gsfd.fdname", {"kccl.fdh", "memberjf.fdh", "actormoney.fdh"}},
    // Document numbers come from the number registry.
    {"ysydjno.djcode",
     {"xfsp.xfno", "memberxx.xfdh", "kccl.xfdh", "memberjf.xfdh", "actormoney.xfh",
      "jfdhmain.jfdhdh", "dhjf.jfdhdh", "membercurlist.xgdh"}},
};

// The described column named "table.column"; a failed expectation when there is none.
const schema::Column* columnNamed(const std::string& name)
{
    const auto dot = name.find('.');
    const schema::Table* table = schema::findTable(schema::accountSetTables(), name.substr(0, dot));
    const schema::Column* column = table ? schema::findColumn(*table, name.substr(dot + 1)) : nullptr;
    EXPECT_NE(column, nullptr) << name << " is not described";
    if (column) {
        EXPECT_EQ(column->type, schema::ColumnType::Text) << name << " is not a text column";
    }
    return column;
}

}  // namespace

TEST(CopiedWidths, EveryTargetIsAtLeastAsWideAsItsSource)
{
    for (const auto& copy : copies) {
        const schema::Column* source = columnNamed(copy.source);
        for (const char* target : copy.targets) {
            const schema::Column* to = columnNamed(target);
            if (source && to) {
                EXPECT_GE(to->width, source->width)
                    << copy.source << " (" << source->width << ") is copied into " << target
                    << " (" << to->width << ")";
            }
        }
    }
}
