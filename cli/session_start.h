#pragma once
// What membercard-cli does before a command runs, as the program does before its main window:
// prepare the data folder, open the account set, log in, check the command's permission and
// open a shift when none is open.

#include "command.h"
#include "invocation.h"
#include "reply.h"

#include <optional>

namespace mc::cli {

// Fills `session` and returns nothing when the command may run; otherwise the reply to print.
// Throws db::DbError when the database fails.
std::optional<Reply> startSession(const Invocation& invocation, const Command& command, Session& session);

}  // namespace mc::cli
