/*
 * Where the chooser opens, portable: on the monitor the user works on, the
 * one under the mouse pointer, or where there is no pointer to go by (it is
 * hidden, as while one types, or there is no mouse), the one that holds the
 * window the user was in; centred in that monitor's work area (the taskbar
 * left out), at its DPI. The launcher moves its hidden status window there
 * before the chooser opens: the chooser centres itself on its owner's
 * monitor, and the status window shows on that one later.
 *
 * And how it comes forward: to the foreground where Windows lets it, else
 * its taskbar button flashes, so that a chooser opened behind other windows
 * is never lost.
 */
#ifndef RUNVO_PLACEMENT_H
#define RUNVO_PLACEMENT_H

/* A rectangle of the virtual screen, in pixels: right and bottom lie just
   outside it. */
struct ScreenRect {
    long left, top, right, bottom;
};

/* A monitor: all of it, its work area, and its DPI. */
struct MonitorArea {
    ScreenRect area, work;
    unsigned dpi;
};

/* The mouse pointer, where the user can go by it. */
struct Pointer {
    bool shown; /* there is a mouse, and its pointer is neither hidden nor
                   suppressed (by pen or touch) */
    long x, y;
};

/* The index of the monitor the user works on among count (the first is the
   primary one): the one under the pointer where it is shown; else the one
   that holds most of the foreground window (none: an empty rectangle); else
   the first. */
int UsersMonitor(const MonitorArea *monitors, int count, const Pointer *pointer,
                 const ScreenRect *foreground);

/* A window of width x height pixels at fromDpi, at the monitor's DPI, no
   larger than its work area and centred in it. */
ScreenRect CentredOn(const MonitorArea *monitor, long width, long height, unsigned fromDpi);

/* What bringing a window forward asks of the platform. */
struct ForwardCalls {
    bool (*isForeground)(void *window);
    bool (*setForeground)(void *window); /* false where Windows refuses */
    void (*flash)(void *window);         /* its taskbar button, until it is used */
};

/* Brings the window to the foreground, or flashes its taskbar button where
   Windows refuses (another program has the user's input). */
void ComeForward(void *window, const ForwardCalls *calls);

#endif /* RUNVO_PLACEMENT_H */
