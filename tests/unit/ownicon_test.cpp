/*
 * Runvo's icon on a window that moves between monitors of other DPIs, the
 * state Wine never reaches: the window shows the icons of the last DPI, and
 * no icon outlives its place on the window.
 */
#include "tests/harness.h"
#include "ui/ownicon.h"

#include <set>
#include <vector>

/* Icons as the platform keeps them: each one drawn is alive, by its size,
   until destroyed; a size of 0 cannot be drawn. */
struct FakeIcon {
    int size;
};
static std::set<FakeIcon *> s_alive;

static void *Load(int size)
{
    if (!size)
        return nullptr;
    FakeIcon *icon = new FakeIcon{size};
    s_alive.insert(icon);
    return icon;
}

/* A window's two icons: small, large. */
struct FakeWindow {
    FakeIcon *icons[2];
};

static void *Set(void *window, bool large, void *icon)
{
    FakeIcon *&slot = static_cast<FakeWindow *>(window)->icons[large];
    FakeIcon *before = slot;
    slot = static_cast<FakeIcon *>(icon);
    return before;
}

static void Destroy(void *icon)
{
    ok(s_alive.erase(static_cast<FakeIcon *>(icon)) == 1, "an icon destroyed twice, or not drawn");
    delete static_cast<FakeIcon *>(icon);
}

static void test_dpi_moves(void)
{
    static const OwnIconCalls calls = {Load, Set, Destroy};
    static const struct {
        const char *what;
        std::vector<std::pair<int, int>> moves; /* the sizes asked, small and large, in turn */
        int small, large;                       /* the sizes shown after */
    } rows[] = {
        {"opened at 100 %", {{16, 32}}, 16, 32},
        {"to a 150 % monitor", {{16, 32}, {24, 48}}, 24, 48},
        {"and back", {{16, 32}, {24, 48}, {16, 32}}, 16, 32},
        {"the same DPI again", {{20, 40}, {20, 40}}, 20, 40},
        {"an icon that cannot be drawn: the one before stays", {{16, 32}, {0, 48}}, 16, 48},
        {"none drawn at all", {{0, 0}}, 0, 0},
    };
    for (const auto &row : rows) {
        FakeWindow window = {{nullptr, nullptr}};
        for (const auto &move : row.moves)
            SetOwnIcons(&window, move.first, move.second, &calls);
        int small = window.icons[0] ? window.icons[0]->size : 0,
            large = window.icons[1] ? window.icons[1]->size : 0;
        size_t shown = (window.icons[0] != nullptr) + (window.icons[1] != nullptr);
        ok(small == row.small && large == row.large && s_alive.size() == shown,
           "%s: shows %d and %d, %lu icons alive for %lu shown", row.what, small, large,
           (unsigned long)s_alive.size(), (unsigned long)shown);
        for (FakeIcon *icon : s_alive)
            delete icon;
        s_alive.clear();
    }
}

int main()
{
    test_dpi_moves();
    return TestSummary("ownicon");
}
