/*
 * Which monitor the chooser opens on, where on it, and how it comes
 * forward.
 */
#include "ui/placement.h"

static bool Holds(const ScreenRect &r, long x, long y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

/* How much of two rectangles overlaps, in square pixels. */
static long long Overlap(const ScreenRect &a, const ScreenRect &b)
{
    long w = (a.right < b.right ? a.right : b.right) - (a.left > b.left ? a.left : b.left);
    long h = (a.bottom < b.bottom ? a.bottom : b.bottom) - (a.top > b.top ? a.top : b.top);
    return w > 0 && h > 0 ? (long long)w * h : 0;
}

int UsersMonitor(const MonitorArea *monitors, int count, const Pointer *pointer,
                 const ScreenRect *foreground)
{
    if (pointer->shown)
        for (int i = 0; i < count; i++)
            if (Holds(monitors[i].area, pointer->x, pointer->y))
                return i;
    int best = 0;
    long long most = 0;
    for (int i = 0; i < count; i++) {
        long long overlap = Overlap(monitors[i].area, *foreground);
        if (overlap > most) {
            most = overlap;
            best = i;
        }
    }
    return best;
}

/* A length at fromDpi, at toDpi, rounded; no more than most. (Lengths of
   screens and DPIs of monitors keep the product well within a long.) */
static long Scaled(long length, unsigned fromDpi, unsigned toDpi, long most)
{
    long n = fromDpi ? (length * (long)toDpi + (long)fromDpi / 2) / (long)fromDpi : length;
    return n < most ? n : most;
}

ScreenRect CentredOn(const MonitorArea *monitor, long width, long height, unsigned fromDpi)
{
    const ScreenRect &work = monitor->work;
    long w = Scaled(width, fromDpi, monitor->dpi, work.right - work.left);
    long h = Scaled(height, fromDpi, monitor->dpi, work.bottom - work.top);
    long left = work.left + (work.right - work.left - w) / 2;
    long top = work.top + (work.bottom - work.top - h) / 2;
    return ScreenRect{left, top, left + w, top + h};
}

void ComeForward(void *window, const ForwardCalls *calls)
{
    if (!calls->isForeground(window) && !calls->setForeground(window))
        calls->flash(window);
}
