#pragma once
// The books check: every balance, count, points total, discount credit and stock quantity the
// program keeps on a row must equal what its journals say, and no document number may appear
// twice. A shop runs it to prove its books; the tests run it after the services they drive.
//
// Each journal kind has one rule saying what it moves (books_rules.cpp); a journal kind the
// check has no rule for is itself reported, so a new kind cannot slip past unchecked.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

namespace mc::books {

struct Checked {
    int members = 0;    // membercurlist rows
    int accounts = 0;   // gszh rows
    int goods = 0;      // xssp rows that keep stock
    int documents = 0;  // distinct document numbers
    int rowsRead = 0;   // rows read from every table checked
};

struct BooksReport {
    Checked checked;
    QStringList broken;  // one plain sentence per rule broken, naming the row and both figures
    bool balanced() const { return broken.isEmpty(); }
};

// Called now and then with the rows read so far and the rows there are to read.
using Progress = std::function<void(qint64 done, qint64 total)>;

// Reads the account set; writes nothing. Throws db::DbError when the database fails.
BooksReport checkBooks(const QSqlDatabase& db, const Progress& progress = {});

}  // namespace mc::books
