/*
 * Which icon each row of the chooser keeps, unit by unit: one loaded per
 * program, shared by the rows that follow it, and each destroyed once, by
 * the row that loaded it, when a DPI move replaces it or its row goes.
 */
#include "tests/harness.h"
#include "ui/rowicon.h"

#include <stdint.h>

#include <algorithm>
#include <vector>

/* The icons the tests' platform makes: 1, 2, ... in turn. */
static std::vector<intptr_t> s_loaded;

static void *FakeLoad(const void *, int)
{
    s_loaded.push_back((intptr_t)s_loaded.size() + 1);
    return reinterpret_cast<void *>(s_loaded.back());
}

/* Rows shown in turn, as the chooser shows the rows in view, by name
   alone, at 16 pixels, and again at 24 after a move to a monitor of
   another DPI, then let go: a row shares the icon of the last row that
   showed a file only where it shows the same one; every icon loaded is
   destroyed once, at the move or when its row goes, and none before its
   last use. */
static void test_icons_on_a_dpi_move(void)
{
    static const struct {
        const char *what;
        std::vector<const wchar_t *> files; /* each row's; NULL: missing */
        size_t loaded;                      /* icons loaded at each size */
    } rows[] = {
        {"one program", {L"C:\\a.exe"}, 1},
        {"one program, three lines", {L"C:\\a.exe", L"C:\\a.exe", L"C:\\a.exe"}, 1},
        {"two programs", {L"C:\\a.exe", L"C:\\b.exe"}, 2},
        {"a, b, a", {L"C:\\a.exe", L"C:\\b.exe", L"C:\\a.exe"}, 3},
        {"a, missing, a", {L"C:\\a.exe", NULL, L"C:\\a.exe"}, 1},
        {"missing alone", {NULL}, 0},
    };
    for (const auto &row : rows) {
        std::vector<RowIcon> icons(row.files.size(), RowIcon{NULL, 0, false});
        LastRow last = {NULL, L"", L""};
        std::vector<intptr_t> destroyed;
        auto destroy = [&](void *handle) {
            if (handle)
                destroyed.push_back(reinterpret_cast<intptr_t>(handle));
        };
        s_loaded.clear();
        int shownAt = 0; /* the size of the rows' icons: 0 before one is loaded */
        for (int size : {0, 16, 0, 24}) {
            shownAt = size ? size : shownAt;
            for (size_t i = 0; i < icons.size(); i++) {
                destroy(ShowRowIcon(&last, &icons[i], row.files[i], L"name", size, FakeLoad, NULL));
                ok((icons[i].handle != NULL) == (shownAt && row.files[i]) &&
                       icons[i].size == shownAt,
                   "%s, row %lu at %d: icon %p at %d", row.what, (unsigned long)i, size,
                   icons[i].handle, icons[i].size);
            }
            if (size == 16)
                ok(s_loaded.size() == row.loaded && destroyed.empty(),
                   "%s at 16: %lu loaded, %lu destroyed", row.what, (unsigned long)s_loaded.size(),
                   (unsigned long)destroyed.size());
        }
        ok(s_loaded.size() == 2 * row.loaded, "%s: %lu icons loaded", row.what,
           (unsigned long)s_loaded.size());
        /* The first size's icons went at the move; the second's go with
           their rows. */
        size_t atMove = destroyed.size();
        for (auto &icon : icons)
            destroy(ForgetRowIcon(&last, &icon));
        std::sort(destroyed.begin(), destroyed.end());
        ok(atMove == row.loaded && destroyed == s_loaded,
           "%s: %lu destroyed at the move, %lu in all", row.what, (unsigned long)atMove,
           (unsigned long)destroyed.size());
        ok(last.icon == NULL, "%s: the last row outlives its row", row.what);
    }
}

int main()
{
    test_icons_on_a_dpi_move();
    return TestSummary("rowicon");
}
