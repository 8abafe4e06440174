/*
 * Where the chooser opens, and how it comes forward, unit by unit: the
 * monitor the user works on and the rectangle on it, for the cases one
 * virtual screen under test cannot show (two monitors, another DPI, a
 * taskbar on the left); and the foreground refused, which Wine never does.
 */
#include "tests/harness.h"
#include "ui/placement.h"

#include <string>

/* A 1920 x 1080 monitor at 96 DPI with its taskbar at the bottom, and a
   2560 x 1440 one at 144 DPI to its right; a third to the left of the
   first, with its taskbar on its left. */
static const MonitorArea s_monitors[] = {
    {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96},
    {{1920, 0, 4480, 1440}, {1920, 0, 4480, 1392}, 144},
    {{-1280, 0, 0, 1024}, {-1220, 0, 0, 1024}, 96},
};

static void test_users_monitor(void)
{
    static const struct {
        const char *what;
        Pointer pointer;
        ScreenRect foreground;
        int monitor;
    } rows[] = {
        {"the pointer on the second monitor", {true, 3000, 700}, {0, 0, 800, 600}, 1},
        {"the pointer on the first", {true, 10, 10}, {2000, 0, 2800, 600}, 0},
        {"the pointer on the shared edge: the second's first column",
         {true, 1920, 700},
         {0, 0, 800, 600},
         1},
        {"the first's last column", {true, 1919, 700}, {2000, 0, 2800, 600}, 0},
        {"the third's last column", {true, -1, 500}, {0, 0, 800, 600}, 2},
        {"below the first, beside the second: the second", {true, 1920, 1200}, {0, 0, 0, 0}, 1},
        {"below the first alone: off every monitor, the foreground's",
         {true, 1000, 1080},
         {2000, 0, 2800, 600},
         1},
        {"no pointer: the foreground window's", {false, 3000, 700}, {-1000, 100, -200, 700}, 2},
        {"no pointer: most of the foreground window", {false, 0, 0}, {1800, 0, 2400, 600}, 1},
        {"no pointer, no foreground window: the primary", {false, 0, 0}, {0, 0, 0, 0}, 0},
        {"a pointer off every monitor: the foreground's",
         {true, 9000, 9000},
         {1950, 0, 2000, 50},
         1},
    };
    for (const auto &row : rows) {
        int got = UsersMonitor(s_monitors, 3, &row.pointer, &row.foreground);
        ok(got == row.monitor, "%s: monitor %d", row.what, got);
    }
}

static std::string Shown(const ScreenRect &r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " to " + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

static void test_centred(void)
{
    static const struct {
        const char *what;
        int monitor;
        long width, height;
        unsigned fromDpi;
        ScreenRect rect;
    } rows[] = {
        {"centred in the work area, the taskbar left out", 0, 800, 600, 96, {560, 220, 1360, 820}},
        {"the second monitor, at its DPI", 1, 800, 600, 96, {2600, 246, 3800, 1146}},
        {"from 144 DPI to 96", 0, 1200, 900, 144, {560, 220, 1360, 820}},
        {"a taskbar on the left", 2, 640, 480, 96, {-930, 272, -290, 752}},
        {"larger than the work area: as large", 0, 2400, 1200, 96, {0, 0, 1920, 1040}},
    };
    for (const auto &row : rows) {
        ScreenRect got = CentredOn(&s_monitors[row.monitor], row.width, row.height, row.fromDpi);
        ok(Shown(got) == Shown(row.rect), "%s: %s", row.what, Shown(got).c_str());
    }
}

/* A desktop as Windows keeps it: the window in front, whether another
   program holds the user's input (then Windows refuses the foreground to a
   program in the background), and the window whose taskbar button flashes. */
static struct {
    void *foreground;
    bool inputHeld;
    void *flashing;
} s_desktop;

static bool IsForeground(void *window)
{
    return s_desktop.foreground == window;
}

static bool SetForeground(void *window)
{
    if (s_desktop.inputHeld)
        return false;
    s_desktop.foreground = window;
    return true;
}

static void Flash(void *window)
{
    s_desktop.flashing = window;
}

static void test_come_forward(void)
{
    static int chooser, other;
    static const struct {
        const char *what;
        bool inFront, inputHeld;
        void *front, *flashing; /* after: the window in front, the button flashing */
    } rows[] = {
        {"in front already", true, false, &chooser, nullptr},
        {"in front, another holding input: nothing flashes", true, true, &chooser, nullptr},
        {"behind: brought forward", false, false, &chooser, nullptr},
        {"refused: its taskbar button flashes", false, true, &other, &chooser},
    };
    static const ForwardCalls calls = {IsForeground, SetForeground, Flash};
    for (const auto &row : rows) {
        s_desktop.foreground = row.inFront ? (void *)&chooser : (void *)&other;
        s_desktop.inputHeld = row.inputHeld;
        s_desktop.flashing = nullptr;
        ComeForward(&chooser, &calls);
        ok(s_desktop.foreground == row.front && s_desktop.flashing == row.flashing,
           "%s: %s in front, %s", row.what,
           s_desktop.foreground == &chooser ? "the chooser" : "another",
           s_desktop.flashing ? "its button flashing" : "nothing flashing");
    }
}

int main()
{
    test_users_monitor();
    test_centred();
    test_come_forward();
    return TestSummary("placement");
}
