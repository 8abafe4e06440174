/*
 * Bounded appending into the launcher's fixed buffers.
 */
#include "launch/text.h"

#include <string.h>

bool AppendText(char *buf, size_t size, const char *src)
{
    size_t used = strnlen(buf, size);
    if (used >= size)
        return false; /* no terminator: nothing can be added safely */
    size_t room = size - 1 - used;
    size_t len = strlen(src);
    bool whole = len <= room;
    if (!whole)
        len = room;
    memcpy(buf + used, src, len);
    buf[used + len] = '\0';
    return whole;
}
