#include "session.h"

#include "globals.h"

namespace mc {

Session Session::current()
{
    return {mc::operatorCode, mc::operatorName, mc::operatorClass, mc::operatorIp, mc::branchNo, QDateTime::currentDateTime()};
}

}  // namespace mc
