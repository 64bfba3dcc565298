/* Starts a program on the X display named by $DISPLAY and measures the time
 * from just before its exec to the moment its first top-level window is
 * mapped, as the X server reports it (MapNotify on the root window), not by
 * polling.
 *
 *   WaitForMap [--timeout SECONDS] PROGRAM [ARGUMENT...]
 *
 * As soon as the window is mapped it prints "MILLISECONDS PID" on one line
 * and leaves the program running, so that its memory can be read; it then
 * waits until the program ends (the caller ends it) and exits with 0.
 * Exit status 2 when no window appeared within the time-out (10 s; the
 * program is then killed), 1 when the program ended without one, 127 when it
 * could not be started. */
#define _POSIX_C_SOURCE 200809L

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double MillisecondsBetween(const struct timespec* from, const struct timespec* to)
{
    return (double)(to->tv_sec - from->tv_sec) * 1e3 + (double)(to->tv_nsec - from->tv_nsec) / 1e6;
}

/* A window may be gone by the time its properties are asked for; that is
 * no reason to stop. */
static int IgnoreXError(Display* display, XErrorEvent* error)
{
    (void)display;
    (void)error;
    return 0;
}

/* Whether the window belongs to the process: by _NET_WM_PID, which Qt and
 * the other toolkits set before they map a window. A window without it
 * counts, because nothing else runs on the caller's private display. */
static int BelongsTo(Display* display, Window window, Atom pidAtom, pid_t pid)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = NULL;
    int belongs = 1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
            &count, &remaining, &data)
            == Success
        && data != NULL) {
        if (type == XA_CARDINAL && format == 32 && count == 1)
            belongs = (pid_t)(*(unsigned long*)data) == pid;
        XFree(data);
    }
    return belongs;
}

/* Ends a program that did not show a window in time; bounded. */
static void EndProgram(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int tries = 0; tries < 20; ++tries) {
        if (waitpid(pid, NULL, WNOHANG) == pid)
            return;
        nanosleep(&(struct timespec) { 0, 50000000 }, NULL);
    }
    kill(pid, SIGKILL);
    waitpid(pid, NULL, 0);
}

int main(int argc, char* argv[])
{
    double timeoutSeconds = 10.0;
    int first = 1;
    if (argc > 2 && strcmp(argv[1], "--timeout") == 0) {
        char* end = NULL;
        timeoutSeconds = strtod(argv[2], &end);
        if (end == argv[2] || *end != '\0' || !(timeoutSeconds > 0.0 && timeoutSeconds <= 3600.0)) {
            fprintf(stderr, "WaitForMap: the time-out is a number of seconds up to 3600\n");
            return 127;
        }
        first = 3;
    }
    if (first >= argc) {
        fprintf(stderr, "Usage: WaitForMap [--timeout SECONDS] PROGRAM [ARGUMENT...]\n");
        return 127;
    }

    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "WaitForMap: cannot open the display \"%s\"\n", XDisplayName(NULL));
        return 127;
    }
    XSetErrorHandler(IgnoreXError);
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    const Window root = DefaultRootWindow(display);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    /* Listen before the program exists, so that no map can be missed. */
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    /* The child sends its start time through the pipe, then the error of a
     * failed exec; a successful exec closes the pipe. */
    int channel[2];
    if (pipe(channel) != 0 || fcntl(channel[1], F_SETFD, FD_CLOEXEC) != 0) {
        perror("WaitForMap: pipe");
        return 127;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        perror("WaitForMap: fork");
        return 127;
    }
    if (pid == 0) {
        close(channel[0]);
        struct timespec start;
        clock_gettime(CLOCK_MONOTONIC, &start);
        if (write(channel[1], &start, sizeof start) == (ssize_t)sizeof start) {
            execvp(argv[first], argv + first);
            const int error = errno;
            if (write(channel[1], &error, sizeof error) < 0)
                _exit(127);
        }
        _exit(127);
    }
    close(channel[1]);
    struct timespec start;
    int execError = 0;
    if (read(channel[0], &start, sizeof start) != (ssize_t)sizeof start) {
        fprintf(stderr, "WaitForMap: the program did not start\n");
        waitpid(pid, NULL, 0);
        return 127;
    }
    if (read(channel[0], &execError, sizeof execError) == (ssize_t)sizeof execError) {
        fprintf(stderr, "WaitForMap: cannot start %s: %s\n", argv[first], strerror(execError));
        waitpid(pid, NULL, 0);
        return 127;
    }
    close(channel[0]);

    struct pollfd connection = { .fd = ConnectionNumber(display), .events = POLLIN };
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || event.xmap.event != root)
                continue;
            struct timespec mapped;
            clock_gettime(CLOCK_MONOTONIC, &mapped);
            /* Menus and tool tips map override-redirect windows; the
             * program's window is the first ordinary one. */
            if (event.xmap.override_redirect
                || !BelongsTo(display, event.xmap.window, pidAtom, pid))
                continue;
            printf("%.1f %ld\n", MillisecondsBetween(&start, &mapped), (long)pid);
            fflush(stdout);
            XCloseDisplay(display);
            waitpid(pid, NULL, 0);
            return 0;
        }
        struct timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        const double left = timeoutSeconds * 1e3 - MillisecondsBetween(&start, &now);
        if (left <= 0.0) {
            fprintf(stderr, "WaitForMap: no window within %g s\n", timeoutSeconds);
            EndProgram(pid);
            return 2;
        }
        /* The short slice only notices a program that ended early; a map
         * wakes the poll at once. */
        poll(&connection, 1, left < 100.0 ? (int)left + 1 : 100);
        if (waitpid(pid, NULL, WNOHANG) == pid) {
            fprintf(stderr, "WaitForMap: the program ended without a window\n");
            return 1;
        }
    }
}
