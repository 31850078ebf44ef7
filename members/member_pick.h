#pragma once
// The member list of the member picker.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

namespace mc::members {

struct MemberFilter {
    enum class By { All, Kind, Class };
    By by = By::All;
    QString value;  // the kind text or the class code
};

// Members not cancelled, the cash customer left out, in member-number order. Columns: memberno,
// membername, cardname, curmoney, curcs, khdate, dqdate, sfzh, xfcs, xfze, cardstatus, cardno.
QSqlQuery memberPickList(const QSqlDatabase& db, const MemberFilter& filter);

// The member a picker hands back.
struct MemberPick {
    QString memberno;
    QString membername;
    QString cardno;  // the class code
};

}  // namespace mc::members
