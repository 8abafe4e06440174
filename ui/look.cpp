/*
 * The chooser's look in each theme.
 */
#include "ui/look.h"

#include <stddef.h>

ChooserLook LookFor(bool appsDark, bool highContrast)
{
    /* High contrast's colours are the user's: the system's, whatever the
       apps' theme. */
    if (!appsDark || highContrast)
        return ChooserLook{false, NULL, false, Palette{0, 0, 0, 0, 0, 0}};
    /* Windows' own dark surfaces; the grey stays readable on them. */
    const Palette dark = {0x202020, 0x2B2B2B, 0xFFFFFF, 0xB0B0B0, 0xD47800, 0xFFFFFF};
    return ChooserLook{true, L"DarkMode_Explorer", true, dark};
}
