#pragma once

namespace schema {

// The two kinds of database an account set can live in.
enum class Engine { Sqlite, Postgres };

}  // namespace schema
