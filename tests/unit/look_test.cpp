/*
 * What the chooser asks for in each theme: the system's colours in the
 * light theme and in high contrast, which always wins; in the dark theme a
 * dark title bar, the controls' dark theme and a palette whose every text
 * reads at 4.5:1 at least.
 */
#include "tests/harness.h"
#include "ui/look.h"

#include <math.h>
#include <wchar.h>

/* A channel (0 to 255) as light, as the web's guidelines take it from sRGB. */
static double Linear(unsigned channel)
{
    double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : pow((c + 0.055) / 1.055, 2.4);
}

static double Luminance(Colour c)
{
    return 0.2126 * Linear(c & 0xFF) + 0.7152 * Linear(c >> 8 & 0xFF) +
           0.0722 * Linear(c >> 16 & 0xFF);
}

static double Contrast(Colour a, Colour b)
{
    double la = Luminance(a), lb = Luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

static void test_looks(void)
{
    static const struct {
        const char *what;
        bool appsDark, highContrast;
        bool darkTitle, ownColours;
        const wchar_t *theme;
    } rows[] = {
        {"light", false, false, false, false, NULL},
        {"dark", true, false, true, true, L"DarkMode_Explorer"},
        {"dark, high contrast", true, true, false, false, NULL},
        {"light, high contrast", false, true, false, false, NULL},
    };
    for (const auto &row : rows) {
        ChooserLook look = LookFor(row.appsDark, row.highContrast);
        bool theme =
            look.theme && row.theme ? wcscmp(look.theme, row.theme) == 0 : look.theme == row.theme;
        ok(look.darkTitle == row.darkTitle && look.ownColours == row.ownColours && theme,
           "%s: title dark %d, own colours %d, theme %s", row.what, look.darkTitle, look.ownColours,
           look.theme ? Shown(look.theme).c_str() : "(none)");
    }
}

/* Every text of the dark palette on each background it is drawn on. */
static void test_dark_contrast(void)
{
    const Palette p = LookFor(true, false).colours;
    static const struct {
        const char *what;
        Colour Palette::*ink, Palette::*paper;
    } rows[] = {
        {"a row's name", &Palette::text, &Palette::window},
        {"a label, the field", &Palette::text, &Palette::face},
        {"options and not found", &Palette::grey, &Palette::window},
        {"a grey menu item", &Palette::grey, &Palette::face},
        {"the selected row", &Palette::highlightText, &Palette::highlight},
    };
    for (const auto &row : rows) {
        double ratio = Contrast(p.*row.ink, p.*row.paper);
        ok(ratio >= 4.5, "%s: %.2f:1", row.what, ratio);
    }
    ok(Luminance(p.window) < 0.05 && Luminance(p.face) < 0.05, "the dark palette is not dark");
}

int main()
{
    test_looks();
    test_dark_contrast();
    return TestSummary("look");
}
