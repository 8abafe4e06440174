/*
 * Driving the launcher from another process, as a user would: start it with
 * an exact command line, find and read its windows, press keys, compare what
 * it painted, and read what the probe program received when it was started.
 */
#ifndef RUNVO_E2E_DRIVER_H
#define RUNVO_E2E_DRIVER_H

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/harness.h"

/* argv[1] is the launcher, argv[2] the probe: both are copied into a fresh
   working folder, where the list file is written too; in the temporary
   folder, or in base. */
void SetUpWorkDir(int argc, char **argv, const char *base = NULL);
void TearDownWorkDir(void);
std::string WorkPath(const std::string &name);
std::string ProbePath(void);
/* The probe's path made exactly len bytes long with ".\" steps. */
std::string ProbePathOfLength(size_t len);
void WriteList(const std::string &bytes);
/* The list file's bytes as they are now. */
std::string ReadList(void);
void WriteWholeFile(const std::string &path, const std::string &bytes);
void RemoveList(void);
/* A shortcut made by the shell's own object: its target, arguments and Start
   in folder (UTF-8), and flags of its header (SLDF_RUNAS_USER, say). */
bool MakeShortcut(const std::string &lnk, const std::string &target, const std::string &args,
                  const std::string &dir, DWORD flags = 0);

struct Launched {
    HANDLE process;
    DWORD pid, tid;
};

/* Text in the system code page, and UTF-8, to UTF-16 and back. */
std::wstring Widen(const std::string &s, UINT codePage = CP_ACP);
std::string Utf8(const std::wstring &s);

/* Starts the launcher with the command line "<launcher>" tail, or exactly as
   given; a show state of -1 leaves it to the system. */
bool StartLauncher(const std::string &tail, Launched *l);
bool StartRaw(const std::string &cmdline, Launched *l, int show = -1);
/* The same with a UTF-16 command line, as Explorer starts programs; the tail
   comes as UTF-8. dir is the folder it starts in (NULL: the work folder). */
bool StartLauncherUtf8(const std::string &tail, Launched *l, const char *dir = NULL, int show = -1);
/* Starts the launcher so, accepts the selected entry with Enter, and returns
   the status window once it is shown (NULL, reported, if it never is). */
HWND ChooseAndShow(const std::string &tail, Launched *l, const char *dir = NULL, int show = -1);
/* Starts any program with the command line given (in the system code page,
   or UTF-16), in the folder given (NULL: this one's). */
bool StartProgram(const std::string &exe, const std::string &cmdline, const char *dir, Launched *l,
                  int show = -1);
bool StartProgramW(const std::wstring &exe, std::wstring cmdline, const char *dir, Launched *l,
                   int show = -1);
/* How long a test waits, in milliseconds, before it calls a step failed:
   generous, as a program emulated by qemu under a busy machine may take
   seconds to come up. */
const DWORD WAIT_STEP_MS = 5000, /* a window to answer, a focus to move, a box to go */
    WAIT_EXIT_MS = 10000,        /* a launch to end once what it showed is closed; a window */
    WAIT_START_MS = 20000,       /* a launch to start a program, or to load many rows */
    WAIT_LONG_MS = 60000;        /* a launch that reads a list of thousands of lines */

/* The exit code, or -999 after killing it when it did not end in time. */
int WaitExit(Launched *l, DWORD timeoutMs);
/* When the process began and ended, in 100 ns units of the system clock. */
ULONGLONG StartTime(const Launched *l);
ULONGLONG ExitTime(const Launched *l);

/* One start of the probe. */
struct ProbeRun {
    ULONGLONG time; /* in 100 ns units of the system clock */
    std::string cmd;
    std::vector<std::string> args;
    std::vector<std::string> ansiArgs; /* UTF-8 */
    std::string wcmd, exe, cwd;        /* UTF-8 */
    std::string dll;                   /* "1" when it loaded RUNVO_PROBE_DLL, "0" when not */
    std::string nocwd;                 /* "1" when NoDefaultCurrentDirectoryInExePath was set */
};
std::vector<ProbeRun> ReadProbe(void);
/* What the probe received once it holds n starts, or after timeoutMs: the
   program the launcher starts may write after the launcher has ended (quick
   launch waits for no program, and an emulated one is slow to come up). */
std::vector<ProbeRun> WaitProbe(size_t n, DWORD timeoutMs = WAIT_START_MS);
void ClearProbe(void);

bool WaitFor(const std::function<bool()> &cond, DWORD timeoutMs);

/* A top-level window of the process, by class and title (NULL: any); only a
   visible one unless hidden ones are asked for. */
HWND FindProcessWindow(DWORD pid, const char *cls, const char *title, bool hidden = false);
HWND WaitWindow(DWORD pid, const char *cls, const char *title, DWORD timeoutMs = WAIT_EXIT_MS);
HWND WaitDialog(const Launched *l);
/* Starts the launcher with the tail and waits for its chooser; NULL,
   reported, if it never comes. */
HWND OpenChooser(const std::string &tail, Launched *l);

std::string GetText(HWND hwnd);
std::string GetTextUtf8(HWND hwnd); /* through WM_GETTEXT's UTF-16 form */
/* The list box's entries, in the code page given. */
std::vector<std::string> ListBoxTexts(HWND list, UINT codePage = CP_ACP);
HWND FocusOf(DWORD tid);
/* The text of a message box: its static control that holds text. */
std::string MessageBoxText(HWND box);
void PressKey(WORD vk);
/* A key pressed while a modifier (VK_CONTROL, VK_SHIFT) is held down. */
void PressWith(WORD modifier, WORD vk);
/* The file-name box of an Open dialog in another process: its first
   visible Edit that may be written; NULL for none. */
HWND FileNameBox(HWND dialog);
/* In the chooser in front: Insert, then the file (UTF-8) chosen in the Open
   dialog it opens. */
void AddByInsert(const Launched *l, const std::string &file, const char *what);
/* Opens the window's system menu as a user does (Alt+Space): the menu's
   window once it is shown, NULL if it never is. */
HWND OpenSystemMenu(HWND hwnd);
/* Closes it with Escape, and leaves the menu mode that Windows may keep the
   window in, with Escape again. */
void CloseSystemMenu(HWND hwnd, HWND menu);

/* What a screen reader learns of a window's client object (MSAA): its own
   name, then each child's, as UTF-8; empty when there is no object. */
std::vector<std::string> AccessibleNames(HWND hwnd);
/* Whether the client object answers every question itself: an enumerator
   of its children is none of the platform's, whose rows have no names (it
   hands out none), and the window it names is hwnd. */
bool AccessibleAnswersItself(HWND hwnd);

/* A window's client area as 32-bit pixels, and text drawn as the status
   window draws it into a client area of the same size. */
struct Pixels {
    int w = 0, h = 0;
    std::vector<DWORD> px;
};
/* The pixels of Runvo's icon's colours in an area of a picture: the tile's
   blue and the arrow's orange. */
struct IconInk {
    long blue = 0, orange = 0;
};
IconInk RunvoIconInk(const Pixels &p, const RECT &area);
/* Checks that the icon is Runvo's, drawn at size pixels on white. */
bool IsRunvoIcon(HICON icon, int size);
Pixels CaptureClient(HWND hwnd);
Pixels CaptureWindow(HWND hwnd); /* the whole window, frame too, off the screen */
Pixels CaptureScreen(const RECT &rc);
/* A control's client area as its dialog shows it (another process's child
   window is read through its top-level window). */
Pixels CaptureControl(HWND dlg, HWND control);
Pixels RenderStatus(const std::wstring &text, int w, int h);
/* The error text of a refused start: "Error N running" and the command
   (UTF-8), then the system's words for N. */
std::wstring ErrorText(DWORD error, const std::string &command);
/* What a window showed: text as the status window draws it, nothing but
   black, or another picture. */
enum Showing { SHOWING_TEXT, SHOWING_BLACK, SHOWING_OTHER };
/* Waits until the window shows text as the status window draws it; else
   says what it showed last, and saves both pictures as name-got.bmp and
   name-want.bmp when that was another picture. */
Showing WaitShowing(HWND hwnd, const std::wstring &text, const char *name, DWORD timeoutMs);
/* The same as a check: fails unless the window shows the text. */
bool ShowsText(HWND hwnd, const std::wstring &text, const char *name, DWORD timeoutMs);
/* A scenario that captures a window while the launcher waits without
   serving it (its second after a start, by design): a window that was
   mapped after it was painted stays black until then, more often on a busy
   or emulating machine. The scenario runs again while its capture is all
   black, at most tries times, each logged; the check fails when every try
   is black, or when one shows another picture. */
bool UntilNotBlack(const char *name, int tries, const std::function<Showing()> &scenario);
/* How many pixels differ; -1 when the sizes do. */
long DifferentPixels(const Pixels &a, const Pixels &b);
void SavePixels(const Pixels &p, const std::string &path); /* as a BMP */

#endif /* RUNVO_E2E_DRIVER_H */
