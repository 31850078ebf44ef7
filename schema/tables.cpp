#include "table.h"
#include "table_lists.h"

namespace schema {

const std::vector<Table>& catalogueTables()
{
    static const std::vector<Table> tables = catalogueTableList();
    return tables;
}

const std::vector<Table>& accountSetTables()
{
    static const std::vector<Table> tables = [] {
        std::vector<Table> all;
        for (auto part : {systemTableList(), memberTableList(), goodsTableList(), staffTableList(),
                          moneyTableList(), messageTableList()})
            all.insert(all.end(), part.begin(), part.end());
        return all;
    }();
    return tables;
}

const Table* findTable(const std::vector<Table>& tables, std::string_view name)
{
    for (const auto& t : tables)
        if (t.name == name)
            return &t;
    return nullptr;
}

const Column* findColumn(const Table& table, std::string_view name)
{
    for (const auto& c : table.columns)
        if (c.name == name)
            return &c;
    return nullptr;
}

}  // namespace schema
