#pragma once
// Turns the table description into CREATE statements for one engine.

#include "engine.h"
#include "table.h"

#include <string>
#include <vector>

namespace schema {

// Quoted identifier, lower case, so that reserved words such as `default` stay usable and
// unquoted names in queries resolve to the same column in both engines.
std::string quoteName(std::string_view name);

std::string columnDefinition(const Table& table, const Column& column, Engine engine);
// CREATE TABLE followed by its CREATE INDEX statements.
std::vector<std::string> createStatements(const Table& table, Engine engine);
std::vector<std::string> createStatements(const std::vector<Table>& tables, Engine engine);

}  // namespace schema
