/*
 * How fast the launcher starts under Wine, against minimal programs that do
 * only the same visible work, measured in the same run and interleaved:
 *  - from process start to a chooser that can be used (visible, and its
 *    thread answering a message), against a program that opens the same
 *    dialog template empty; with one entry and with 1,000;
 *  - from then until the rows in view show their icons and names: until the
 *    list's picture stops changing;
 *  - quick launch from process start to exit, less its 300 ms wait, against
 *    a program that only calls WinExec and Sleep(300);
 *  - a letter that selects the last of 100 and of 1,000 rows, whose name
 *    alone begins with it: the first, as soon as the chooser can be used
 *    (the names of the rows out of view may not be known yet), and a later
 *    one, against the same letter in a list box of the same rows' names,
 *    searched by its own type-ahead.
 * With the program before a change (before.exe), its start to a usable
 * chooser is measured too, in the same rounds. RUNVO_BENCH_ROUNDS sets the
 * rounds (25); RUNVO_BENCH_CHOOSER set, the chooser alone is measured.
 * Prints medians and ratios; decides nothing.
 *   startup_bench runvo.exe probe.exe baseline_dialog.exe baseline_quick.exe [before.exe]
 */
#include "tests/e2e/driver.h"
#include "ui/resource.h"

#include <stdlib.h>

#include <algorithm>

/* Rounds of each measurement: RUNVO_BENCH_ROUNDS, else 25. */
static int Rounds(void)
{
    const char *n = getenv("RUNVO_BENCH_ROUNDS");
    return n && atoi(n) > 0 ? atoi(n) : 25;
}
static const int ROUNDS = Rounds();

static double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

static double Now(void)
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart * 1000.0 / (double)f.QuadPart;
}

static bool Start(const std::string &exe, const std::string &tail, Launched *l)
{
    return StartProgram(exe, "\"" + exe + "\" " + tail, NULL, l);
}

/* Milliseconds from since until the list's picture last changed, once it
   has kept still for 300 ms (5 s at most). */
static double TimeToSettled(HWND dlg, double since)
{
    HWND list = GetDlgItem(dlg, IDC_PROGLIST);
    std::vector<DWORD> last;
    double changed = Now();
    for (double now = changed; now - changed < 300 && now - since < 5000; now = Now()) {
        Pixels p = CaptureControl(dlg, list);
        if (p.px != last) {
            last = p.px;
            changed = now;
        }
        Sleep(2);
    }
    return changed - since;
}

/* Milliseconds from the start to a dialog that can be used; *rows: from then
   until its rows are drawn in full; *visible: from the start until it is
   visible, as measured before (NULL: not measured). The dialog is then
   closed. */
static double TimeToDialog(const std::string &exe, double *rows = NULL, double *visible = NULL)
{
    Launched l;
    double t0 = Now();
    if (!Start(exe, "C:\\docs\\a.txt", &l))
        return -1;
    HWND dlg = NULL;
    while (!(dlg = FindProcessWindow(l.pid, "#32770", "Select Program")) &&
           WaitForSingleObject(l.process, 0) == WAIT_TIMEOUT)
        Sleep(1);
    if (visible)
        *visible = Now() - t0;
    DWORD_PTR answer;
    SendMessageTimeoutA(dlg, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
    double ms = Now() - t0;
    if (rows)
        *rows = TimeToSettled(dlg, t0 + ms);
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    WaitExit(&l, 10000);
    CloseHandle(l.process);
    /* What Wine does after a program's end (its windows, its icons) would
       be counted against the next start: let it settle. */
    Sleep(250);
    return dlg ? ms : -1;
}

/* Milliseconds from the start to the end, less the 300 ms wait. */
static double TimeQuick(const std::string &exe, const std::string &tail)
{
    Launched l;
    double t0 = Now();
    if (!Start(exe, tail, &l))
        return -1;
    WaitExit(&l, 20000);
    CloseHandle(l.process);
    return Now() - t0 - 300;
}

/* Starts the program and waits for its chooser, usable; NULL if it never
   is. */
static HWND OpenUsable(const std::string &exe, const std::string &tail, Launched *l)
{
    if (!Start(exe, tail, l))
        return NULL;
    HWND dlg = NULL;
    while (!(dlg = FindProcessWindow(l->pid, "#32770", "Select Program")) &&
           WaitForSingleObject(l->process, 0) == WAIT_TIMEOUT)
        Sleep(1);
    DWORD_PTR answer;
    SendMessageTimeoutA(dlg, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
    return dlg;
}

/* Milliseconds from a key to the selection of row want (20 s at most). */
static double TimeToSelect(HWND list, WORD key, LRESULT want)
{
    double t0 = Now();
    PressKey(key);
    while (SendMessageW(list, LB_GETCURSEL, 0, 0) != want && Now() - t0 < 20000)
        Sleep(1);
    return Now() - t0;
}

/* The first and a later letter that select the last row, in milliseconds;
   in between, another letter selects the first. */
static void TimeLetters(const std::string &exe, const std::string &tail, int rows, double *first,
                        double *later)
{
    Launched l;
    HWND dlg = OpenUsable(exe, tail, &l);
    HWND list = GetDlgItem(dlg, IDC_PROGLIST);
    WaitFor([&] { return FocusOf(l.tid) == list; }, 5000);
    *first = TimeToSelect(list, 'R', rows - 1);
    TimeToSelect(list, 'P', 0);
    *later = TimeToSelect(list, 'R', rows - 1);
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    WaitExit(&l, 10000);
    CloseHandle(l.process);
}

static void Report(const char *what, const std::vector<double> &runvo,
                   const std::vector<double> &base, const char *target)
{
    double r = Median(runvo), b = Median(base);
    printf("%-34s runvo %7.1f ms, baseline %7.1f ms, ratio %.2fx (target: %s)\n", what, r, b, r / b,
           target);
}

int main(int argc, char **argv)
{
    if (argc < 5) {
        printf("usage: %s runvo.exe probe.exe baseline_dialog.exe baseline_quick.exe\n", argv[0]);
        return 2;
    }
    SetUpWorkDir(argc, argv);
    std::string runvo = WorkPath("runvo.exe"), dialog = argv[3], quick = argv[4];
    /* The program before, in a folder of its own, beside a list of its own. */
    std::string before = argc > 5 ? WorkPath("before\\runvo.exe") : "";
    if (!before.empty()) {
        CreateDirectoryA(WorkPath("before").c_str(), NULL);
        CopyFileA(argv[5], before.c_str(), FALSE);
    }
    /* Programs that are there, each with its icon to load. */
    std::string shortList = ProbePath() + "\n\"" + ProbePath() + "\" --one\n";
    std::string longList = ProbePath() + "\n";
    for (int i = 0; i < 1000; i++)
        longList += "\"" + ProbePath() + "\" --tool " + std::to_string(i) + "\n";

    printf("%d rounds each, interleaved; medians\n", ROUNDS);
    const struct {
        const char *what;
        std::string list;
    } dialogs[] = {{"start to usable chooser, 1 entry", shortList},
                   {"start to usable chooser, 1,000 entries", longList}};
    for (const auto &d : dialogs) {
        WriteList(d.list);
        if (!before.empty())
            WriteWholeFile(WorkPath("before\\runvo.DAT"), d.list);
        std::vector<double> r, b, p, rows, rv, bv;
        TimeToDialog(runvo); /* warm them */
        TimeToDialog(dialog);
        if (!before.empty())
            TimeToDialog(before);
        for (int i = 0; i < ROUNDS; i++) {
            double drawn, seen;
            /* Each first in turn, so that none is measured always after
               the same. */
            for (int k = 0; k < 3; k++) {
                switch ((i + k) % 3) {
                case 0:
                    r.push_back(TimeToDialog(runvo, &drawn, &seen));
                    rows.push_back(drawn);
                    rv.push_back(seen);
                    break;
                case 1:
                    b.push_back(TimeToDialog(dialog, NULL, &seen));
                    bv.push_back(seen);
                    break;
                default:
                    if (!before.empty())
                        p.push_back(TimeToDialog(before));
                }
            }
        }
        Report(d.what, r, b, "within 1.05x");
        Report("  of which to a visible chooser", rv, bv, "within 1.05x");
        if (!before.empty()) {
            Report("  the program before", p, b, "none");
            Report("  this against the program before", r, p, "none");
        }
        printf("%-34s then %7.1f ms until the rows in view show their icons (target: within 100 "
               "ms)\n",
               "", Median(rows));
    }

    if (getenv("RUNVO_BENCH_CHOOSER")) {
        TearDownWorkDir();
        return 0;
    }
    WriteList(shortList);
    std::vector<double> r, b;
    std::string probeCmd = "\"" + ProbePath() + "\" \"C:\\docs\\a.txt\"";
    for (int i = 0; i < ROUNDS + 1; i++) {
        double tr = TimeQuick(runvo, "-n 0 C:\\docs\\a.txt");
        double tb = TimeQuick(quick, probeCmd);
        if (i > 0) { /* the first round warms both */
            r.push_back(tr);
            b.push_back(tb);
        }
    }
    Report("quick launch, less the 300 ms", r, b, "within 1.10x");

    /* A letter: rows of the probe ("probe"), then a copy of the launcher
       ("Runvo"). */
    const std::string other = WorkPath("other.exe");
    CopyFileA(runvo.c_str(), other.c_str(), FALSE);
    for (int rows : {100, 1000}) {
        std::string list = "none\n";
        for (int i = 0; i + 1 < rows; i++)
            list += "\"" + ProbePath() + "\" --tool " + std::to_string(i) + "\n";
        WriteList(list + other + "\n");
        std::vector<double> rf, rl, bf, bl;
        for (int i = 0; i < ROUNDS / 2; i++) {
            double first, later;
            TimeLetters(runvo, "a.txt", rows, &first, &later);
            rf.push_back(first);
            rl.push_back(later);
            TimeLetters(dialog, "--rows " + std::to_string(rows), rows, &first, &later);
            bf.push_back(first);
            bl.push_back(later);
        }
        std::string what = "a letter, " + std::to_string(rows) + " rows: the first";
        Report(what.c_str(), rf, bf, "none");
        Report("  a later one", rl, bl, "none");
    }
    DeleteFileA(other.c_str());
    TearDownWorkDir();
    return 0;
}
