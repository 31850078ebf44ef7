#pragma once
// The table lists that together make up the schema, one function per group of tables.
// Internal to the schema library.

#include "table.h"

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace schema {

std::vector<Table> catalogueTableList();  // sjklj
std::vector<Table> systemTableList();     // settings, log, document numbers, staff, rights
std::vector<Table> memberTableList();     // card classes, members and their journals
std::vector<Table> goodsTableList();      // goods, stock, consumption lines, points
std::vector<Table> staffTableList();      // departments, staff types, attendance, wages
std::vector<Table> moneyTableList();      // accounts, operator ledger, shifts, report scratch
std::vector<Table> messageTableList();    // SMS log

// Joins column groups, so that a block of columns shared by several tables is written once.
inline std::vector<Column> joinColumns(std::initializer_list<std::vector<Column>> groups)
{
    std::vector<Column> all;
    for (const auto& group : groups)
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

inline Index uniqueIndex(std::vector<std::string_view> columns)
{
    return {std::move(columns), true};
}

inline Index lookupIndex(std::vector<std::string_view> columns)
{
    return {std::move(columns), false};
}

// Branch, writing workstation, uploaded flag and upload time, carried by the journal tables.
inline std::vector<Column> uploadColumns()
{
    return {col::text("fdh", 30), col::text("scip", 20), col::boolean("issc"),
            col::datetime("scdatetime")};
}

}  // namespace schema
