/* Starts a program and prints, in milliseconds, the time until a window of the given title is mapped,
 * then its resident memory in KiB once mapped; the program is then ended.
 * Usage: maptime TITLE PROGRAM [ARGS...]   (in an X server, e.g. under xvfb-run) */
#define _DEFAULT_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static long resident_kib(pid_t pid)
{
    char path[64], line[256];
    long kib = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *status = fopen(path, "r");
    if (!status)
        return -1;
    while (fgets(line, sizeof line, status))
        if (sscanf(line, "VmRSS: %ld", &kib) == 1)
            break;
    fclose(status);
    return kib;
}

int main(int argc, char *argv[])
{
    if (argc < 3) {
        fprintf(stderr, "usage: maptime TITLE PROGRAM [ARGS...]\n");
        return 2;
    }
    /* A server started just before (xvfb-run) may not take connections yet: give it five seconds. */
    Display *display = XOpenDisplay(NULL);
    for (int tries = 0; !display && tries < 50; ++tries) {
        usleep(100000);
        display = XOpenDisplay(NULL);
    }
    if (!display) {
        fprintf(stderr, "maptime: no X display\n");
        return 2;
    }
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = now_ms();
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    double mapped = -1;
    while (mapped < 0 && now_ms() - start < 30000) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify)
                continue;
            char *name = NULL;
            if (XFetchName(display, event.xmap.window, &name) && name) {
                if (strncmp(name, argv[1], strlen(argv[1])) == 0)
                    mapped = now_ms() - start;
                XFree(name);
            }
        }
        if (mapped < 0)
            usleep(200);
        if (waitpid(child, NULL, WNOHANG) == child) {
            fprintf(stderr, "maptime: %s exited before mapping its window\n", argv[2]);
            return 1;
        }
    }
    usleep(300000);   /* let the first paint settle before reading the memory */
    const long kib = resident_kib(child);
    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    if (mapped < 0) {
        fprintf(stderr, "maptime: no window titled %s\n", argv[1]);
        return 1;
    }
    printf("%.1f %ld\n", mapped, kib);
    return 0;
}
