/*
 * Runvo's own icon on its windows, portable: a window shows it small (the
 * title bar) and large (the taskbar button, Alt+Tab) at the sizes its
 * monitor's DPI asks for, set again when it moves to a monitor of another
 * DPI. Each icon set destroys the one it replaces (only Runvo sets its
 * windows' icons), and one that cannot be drawn leaves the one before.
 * Icons and windows are the platform's handles, opaque here.
 */
#ifndef RUNVO_OWNICON_H
#define RUNVO_OWNICON_H

/* What setting a window's icons asks of the platform. */
struct OwnIconCalls {
    void *(*load)(int size); /* the icon drawn at size; NULL where it cannot be */
    /* Sets the window's small or large icon; gives the one it replaced
       (NULL for none). */
    void *(*set)(void *window, bool large, void *icon);
    void (*destroy)(void *icon);
};

/* Sets the window's icons at these sizes. */
void SetOwnIcons(void *window, int smallSize, int largeSize, const OwnIconCalls *calls);

#endif /* RUNVO_OWNICON_H */
