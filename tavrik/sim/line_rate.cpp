// Kept apart: the kernel's termios2 header does not mix with <termios.h>.
#include "line_rate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace tavriksim {

std::uint32_t lineRate(int fd)
{
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) return 0;
    return t.c_ospeed;
}

}  // namespace tavriksim
