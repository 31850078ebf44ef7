#pragma once
// The one description of every table. Both the SQLite and the PostgreSQL DDL are generated
// from it, so a table is never written twice by hand.

#include <string_view>
#include <vector>

namespace schema {

enum class ColumnType {
    AutoKey,   // auto-increment integer primary key
    Text,      // text of at most `width` characters
    Memo,      // unbounded text
    SmallInt,  // 16-bit whole number
    Integer,   // 32-bit whole number
    Double,    // double precision
    Boolean,   // yes/no
    DateTime,  // date with time of day, stored in the canonical form
};

// What a column holds when an insert does not name it.
enum class Default { None, Zero, False, True, Value };

struct Column {
    std::string_view name;
    ColumnType type;
    int width = 0;                    // Text only
    Default defaultKind = Default::None;
    std::string_view defaultValue{};  // Default::Value only, as a literal of the column's type
};

struct Index {
    std::vector<std::string_view> columns;
    bool unique = false;
    // Partial index condition, written so that both engines accept it ("isjs = false").
    std::string_view where{};
    // The columns are expressions written as both engines accept them, not column names.
    bool expressions = false;
};

struct Table {
    std::string_view name;
    std::vector<Column> columns;
    std::vector<Index> indexes;
};

// The catalogue database (dbconnect.cdd).
const std::vector<Table>& catalogueTables();
// Every table of an account-set database, template included.
const std::vector<Table>& accountSetTables();

const Table* findTable(const std::vector<Table>& tables, std::string_view name);
const Column* findColumn(const Table& table, std::string_view name);

// Shorthands that keep the table lists readable.
namespace col {
inline Column key(std::string_view n) { return {n, ColumnType::AutoKey}; }
inline Column text(std::string_view n, int width = 20) { return {n, ColumnType::Text, width}; }
inline Column text(std::string_view n, int width, std::string_view def)
{ return {n, ColumnType::Text, width, Default::Value, def}; }
inline Column memo(std::string_view n) { return {n, ColumnType::Memo}; }
inline Column small(std::string_view n) { return {n, ColumnType::SmallInt, 0, Default::Zero}; }
inline Column integer(std::string_view n) { return {n, ColumnType::Integer, 0, Default::Zero}; }
inline Column integer(std::string_view n, std::string_view def)
{ return {n, ColumnType::Integer, 0, Default::Value, def}; }
inline Column real(std::string_view n) { return {n, ColumnType::Double, 0, Default::Zero}; }
inline Column real(std::string_view n, std::string_view def)
{ return {n, ColumnType::Double, 0, Default::Value, def}; }
inline Column boolean(std::string_view n, bool def = false)
{ return {n, ColumnType::Boolean, 0, def ? Default::True : Default::False}; }
inline Column datetime(std::string_view n) { return {n, ColumnType::DateTime}; }
}  // namespace col

}  // namespace schema
