#pragma once
// Who performs an operation, from where and when. Services take it as an argument instead of
// reading the global values, so the command program can act as any operator at a given time and
// tests can fix the clock.

#include <QDateTime>
#include <QString>

namespace mc {

struct Session {
    QString operatorCode;   // gsyg.ygid
    QString operatorName;   // gsyg.ygname
    QString operatorClass;  // gsyg.yglb
    QString address;        // scip of the rows written; empty
    QString branch;         // fdh of the rows written; empty
    QDateTime now;

    // The logged-in operator of this process at the current time: what a window passes.
    static Session current();
};

}  // namespace mc
