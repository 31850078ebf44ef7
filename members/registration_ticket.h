#pragma once
// The registration ticket: the lines of the POS ticket, and the member row the printed
// template (memberzc) shows.

#include "registration.h"

#include <QSqlQuery>
#include <QStringList>

namespace mc::members {

// The body lines of the POS ticket; the receipt frame adds titles, footers and blank lines.
// `savedAt` is the time of the save.
QStringList registrationTicket(const RegistrationDone& done, const QString& operatorName, const QDateTime& savedAt);

// The member just registered with its class names, for the ticket template. Throws db::DbError.
QSqlQuery ticketRow(const QSqlDatabase& db, int pid);

}  // namespace mc::members
