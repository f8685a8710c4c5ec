/* Clicks places of the screen, one after the other, with sway's own cursor, and prints, one per line, the
 * milliseconds from each click until PATH is written and closed (the typing target records its text at
 * each change). The pointer is moved to each place first, outside the time taken.
 * Usage: waylandclicktime PATH X,Y [X,Y...]   (with $SWAYSOCK set; a time of -1 is a click that typed
 * nothing within 2 s). CLICKTIME_PAUSE_MS sets the pause between clicks (100 ms unless set). */
#define _DEFAULT_SOURCE
#include <poll.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

/* One command through sway's IPC ("i3-ipc", length, type 0), and its reply read whole: sway has
 * dispatched the command's input events once it answers. */
static int sway_command(int ipc, const char *command)
{
    char header[14] = "i3-ipc";
    const uint32_t length = (uint32_t)strlen(command), type = 0;
    memcpy(header + 6, &length, 4);
    memcpy(header + 10, &type, 4);
    if (write(ipc, header, sizeof header) != (ssize_t)sizeof header
        || write(ipc, command, length) != (ssize_t)length)
        return -1;
    char reply[14];
    size_t got = 0;
    while (got < sizeof reply) {
        const ssize_t n = read(ipc, reply + got, sizeof reply - got);
        if (n <= 0)
            return -1;
        got += (size_t)n;
    }
    uint32_t left;
    memcpy(&left, reply + 6, 4);
    char skipped[256];
    while (left > 0) {
        const ssize_t n = read(ipc, skipped, left < sizeof skipped ? left : sizeof skipped);
        if (n <= 0)
            return -1;
        left -= (uint32_t)n;
    }
    return 0;
}

int main(int argc, char *argv[])
{
    const char *socket_path = getenv("SWAYSOCK");
    if (argc < 3 || !socket_path) {
        fprintf(stderr, "usage: SWAYSOCK=... waylandclicktime PATH X,Y [X,Y...]\n");
        return 2;
    }
    struct sockaddr_un address = {.sun_family = AF_UNIX};
    strncpy(address.sun_path, socket_path, sizeof address.sun_path - 1);
    const int ipc = socket(AF_UNIX, SOCK_STREAM, 0);
    if (ipc < 0 || connect(ipc, (struct sockaddr *)&address, sizeof address) < 0) {
        perror("waylandclicktime: sway's socket");
        return 2;
    }
    const int watch = inotify_init1(IN_NONBLOCK);
    if (watch < 0 || inotify_add_watch(watch, argv[1], IN_CLOSE_WRITE) < 0) {
        perror("waylandclicktime: inotify");
        return 2;
    }
    const char *pause = getenv("CLICKTIME_PAUSE_MS");
    for (int place = 2; place < argc; ++place) {
        int x = 0, y = 0;
        char command[128];
        if (sscanf(argv[place], "%d,%d", &x, &y) != 2)
            return 2;
        snprintf(command, sizeof command, "seat - cursor set %d %d", x, y);
        sway_command(ipc, command);
        /* The pointer's arrival is not part of the click, nor what the last click left to settle. */
        usleep((useconds_t)(pause ? atoi(pause) : 100) * 1000);
        char stale[4096];
        while (read(watch, stale, sizeof stale) > 0)
            ;
        const double start = now_ms();
        if (sway_command(ipc, "seat - cursor press button1, seat - cursor release button1") < 0)
            return 2;
        double seen = -1;
        while (seen < 0 && now_ms() - start < 2000) {
            struct pollfd ready = {watch, POLLIN, 0};
            char buffer[4096];
            if (poll(&ready, 1, 100) > 0 && read(watch, buffer, sizeof buffer) > 0)
                seen = now_ms() - start;
        }
        printf("%.3f\n", seen);
        fflush(stdout);
    }
    return 0;
}
