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
// membername, class name, curmoney, curcs, khdate, dqdate, sfzh, xfcs, xfze, cardstatus, cardno.
QSqlQuery memberPickList(const QSqlDatabase& db, const MemberFilter& filter);
inline constexpr int memberPickClassColumn = 11;

}  // namespace mc::members
