/* tavrik-card-demo: a host program that knows only the public header. It opens the reader
 * on the given COM port, waits for an SLE4442 card, presents the factory code, writes a
 * card number and a balance the way the membership program lays them out, and reads them
 * back. Try it on the simulator:
 *     build/tavrik/sim/tavrik-sim &        (prints /dev/pts/N)
 *     TAVRIK_COM1=/dev/pts/N build/tavrik/examples/tavrik-card-demo 1 */
#include "tavrik.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static int fail(const char *what, TK_STATUS status)
{
    char text[64];
    TK_SetLanguage(0);
    TK_GetLastError(status, text);
    fprintf(stderr, "%s: %u %s\n", what, status, text);
    TK_Com_Close();
    return 1;
}

int main(int argc, char **argv)
{
    const uint8_t port = (uint8_t)(argc > 1 ? atoi(argv[1]) : 1);
    TK_STATUS r;
    int waited = 0;
    char number[11] = {0}, balance[11] = {0};

    if ((r = TK_Com_Open(port, 115200)) != 0) return fail("open", r);
    if ((r = TK_TestDevice()) != 0) return fail("device", r);
    while (TK_TestCard() != 0) {
        const struct timespec tick = {0, 100 * 1000 * 1000};
        if (++waited == 1) fprintf(stderr, "waiting for a card...\n");
        nanosleep(&tick, NULL);
    }
    if ((r = TK_SLE4442_OpenCard()) != 0) return fail("open card", r);
    if ((r = TK_SLE4442_VerifyPWD(0xFF, 0xFF, 0xFF)) != 0) return fail("verify", r);
    /* Card number: ten decimal digits at 9; balance in cents, ten digits at 26. */
    if ((r = TK_SLE4442_WriteChar(9, 5, "0000001234")) != 0) return fail("write number", r);
    if ((r = TK_SLE4442_WriteChar(26, 5, "0000012550")) != 0) return fail("write balance", r);
    if ((r = TK_SLE4442_ReadChar(9, 5, number)) != 0) return fail("read number", r);
    if ((r = TK_SLE4442_ReadChar(26, 5, balance)) != 0) return fail("read balance", r);
    TK_Control_light(0);
    TK_SLE4442_CloseCard();
    TK_Com_Close();
    printf("card %s balance %.2f\n", number, strtol(balance, NULL, 10) / 100.0);
    return strcmp(number, "0000001234") == 0 && strcmp(balance, "0000012550") == 0 ? 0 : 1;
}
