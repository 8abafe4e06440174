/*
 * Which of Runvo's icons a window shows, and which go.
 */
#include "ui/ownicon.h"

static void SetOwnIcon(void *window, bool large, int size, const OwnIconCalls *calls)
{
    void *icon = calls->load(size);
    if (!icon)
        return;
    void *before = calls->set(window, large, icon);
    if (before)
        calls->destroy(before);
}

void SetOwnIcons(void *window, int smallSize, int largeSize, const OwnIconCalls *calls)
{
    SetOwnIcon(window, false, smallSize, calls);
    SetOwnIcon(window, true, largeSize, calls);
}
