#include "priority.h"

#include <sys/resource.h>

#include <cerrno>

namespace tavrik {

namespace {
bool raised = false;
int savedNice = 0;
}  // namespace

void raisePriority()
{
    if (raised) return;
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, 0);
    if (errno != 0) return;
    if (setpriority(PRIO_PROCESS, 0, nice - 5) == 0) {
        raised = true;
        savedNice = nice;
    }
}

bool restorePriority()
{
    if (!raised) return true;
    raised = false;
    return setpriority(PRIO_PROCESS, 0, savedNice) == 0;
}

}  // namespace tavrik
