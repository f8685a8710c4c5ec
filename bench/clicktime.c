/* Clicks a place of a window again and again through XTEST and prints, one per line, the milliseconds
 * from each click until what it should bring about is seen:
 *   --file PATH          PATH is written and closed (the typing target records its text at each change);
 *   --damage X Y W H     the window's content changes inside that rectangle (the X server's damage report).
 * Usage: clicktime WINDOW X Y RUNS --file PATH | --damage X Y W H   (in an X server, e.g. under xvfb-run)
 * CLICKTIME_PAUSE_MS sets the pause between clicks (100 ms unless set). */
#define _DEFAULT_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/inotify.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static int overlaps(XRectangle a, int x, int y, int w, int h)
{
    return a.x < x + w && x < a.x + a.width && a.y < y + h && y < a.y + a.height;
}

int main(int argc, char *argv[])
{
    if (argc < 7) {
        fprintf(stderr, "usage: clicktime WINDOW X Y RUNS --file PATH | --damage X Y W H\n");
        return 2;
    }
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "clicktime: no X display\n");
        return 2;
    }
    const Window window = (Window)strtoul(argv[1], NULL, 0);
    const int x = atoi(argv[2]), y = atoi(argv[3]), runs = atoi(argv[4]);
    const int byFile = strcmp(argv[5], "--file") == 0;
    int area[4] = {0, 0, 0, 0};
    int watch = -1, damageEvent = 0, damageError = 0;
    if (byFile) {
        watch = inotify_init1(IN_NONBLOCK);
        if (watch < 0 || inotify_add_watch(watch, argv[6], IN_CLOSE_WRITE) < 0) {
            perror("clicktime: inotify");
            return 2;
        }
    } else {
        if (argc < 10 || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
            fprintf(stderr, "clicktime: no damage extension, or no rectangle\n");
            return 2;
        }
        for (int i = 0; i < 4; ++i)
            area[i] = atoi(argv[6 + i]);
        XDamageCreate(display, window, XDamageReportRawRectangles);
    }

    Window child;
    int rootX = 0, rootY = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
    XSync(display, False);
    usleep(200000);   /* the pointer's arrival repaints the button: not part of any click */
    while (XPending(display)) {
        XEvent skipped;
        XNextEvent(display, &skipped);
    }

    for (int run = 0; run < runs; ++run) {
        if (byFile) {
            char stale[4096];
            while (read(watch, stale, sizeof stale) > 0)
                ;
        }
        const double start = now_ms();
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
        double seen = -1;
        while (seen < 0 && now_ms() - start < 2000) {
            if (byFile) {
                struct pollfd ready = {watch, POLLIN, 0};
                if (poll(&ready, 1, 100) > 0) {
                    char buffer[4096];
                    if (read(watch, buffer, sizeof buffer) > 0)
                        seen = now_ms() - start;
                }
            } else if (!XPending(display)) {
                struct pollfd ready = {ConnectionNumber(display), POLLIN, 0};
                poll(&ready, 1, 100);
            } else {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == damageEvent + XDamageNotify) {
                    const XDamageNotifyEvent *damage = (const XDamageNotifyEvent *)&event;
                    if (overlaps(damage->area, area[0], area[1], area[2], area[3]))
                        seen = now_ms() - start;
                }
            }
        }
        printf("%.3f\n", seen);
        fflush(stdout);
        /* What follows the click (the button's release repaint, a spare key given back) settles first. */
        const char *pause = getenv("CLICKTIME_PAUSE_MS");
        usleep((useconds_t)(pause ? atoi(pause) : 100) * 1000);
        while (!byFile && XPending(display)) {
            XEvent skipped;
            XNextEvent(display, &skipped);
        }
    }
    XCloseDisplay(display);
    return 0;
}
