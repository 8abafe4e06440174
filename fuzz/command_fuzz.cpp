/*
 * Fuzzing the command line: the tail after the program's name, the option,
 * the quick-launch command built into an exact 264-unit buffer (so that the
 * sanitizer sees any unit written past it), the line read as a list entry,
 * the command an entry's arguments and the tail give, as the program reads
 * it back, and the command that runs a batch file, as the interpreter reads
 * it back. Every input gives either commands formed as they should be, or
 * the length error.
 */
#include "launch/batch.h"
#include "launch/command.h"
#include "launch/entry.h"
#include "launch/launch.h"
#include "launch/tail.h"
#include "launch/text.h"
#include "platform/native.h"
#include "tests/interpreter_model.h"

#include <stdint.h>
#include <stdlib.h>
#include <wchar.h>

#include <string>

static StartTexts s_texts;

static void Check(bool cond)
{
    if (!cond)
        abort();
}

/* Pairs of bytes as UTF-16 units, up to the first 0. */
static std::wstring Units(const uint8_t *data, size_t size)
{
    std::wstring s;
    for (size_t i = 0; i + 1 < size; i += 2) {
        wchar_t c = (wchar_t)(data[i] | data[i + 1] << 8);
        if (c == 0)
            break;
        s += c;
    }
    return s;
}

/* The file system of the fuzzer: a name exists unless its length is a
   multiple of 3. */
static bool Exists(const wchar_t *name)
{
    return wcslen(name) % 3 != 0;
}

/* Whether the tail passes as it is: it has quotes, or it is no file and
   splits at blanks into two or more files. */
static bool WantedAsItIs(const std::wstring &r)
{
    if (r.find(L'"') != std::wstring::npos)
        return true;
    size_t names = 0;
    bool all = true;
    for (size_t i = 0; i < r.size();) {
        size_t j = i;
        while (j < r.size() && !IsBlank(r[j]))
            j++;
        if (j > i) {
            names++;
            all = all && j - i < PATH_SIZE && Exists(r.substr(i, j - i).c_str());
        }
        i = j + (j < r.size());
    }
    return names >= 2 && all && !Exists(r.c_str());
}

/* The quick command as it should be: a tail that is its arguments stays as
   it is; any other is quoted, its trailing backslashes doubled. */
static std::wstring WantedCommand(const std::wstring &line, const std::wstring &r)
{
    if (WantedAsItIs(r))
        return L"\"" + line + L"\" " + r;
    size_t k = 0;
    while (k < r.size() && r[r.size() - 1 - k] == L'\\')
        k++;
    return L"\"" + line + L"\" \"" + r + std::wstring(k, L'\\') + L"\"";
}

/* The line read as a list entry: a quoted program and what follows, or one
   program path. */
static void CheckEntry(const std::wstring &line)
{
    wchar_t program[COMMAND_SIZE];
    const wchar_t *args = NULL;
    bool read = SplitEntry(line.c_str(), program, COMMAND_SIZE, &args);
    size_t close = line.find(L'"', 1);
    if (line[0] != L'"')
        Check(read && program == line && *args == 0);
    else
        Check(
            read == (close != std::wstring::npos) &&
            (!read || (program == line.substr(1, close - 1) && args == line.c_str() + close + 1)));
}

static size_t FuzzVariable(const wchar_t *name, wchar_t *value, size_t size)
{
    /* A's value is a word; B's a placeholder, which is not read again; C's
       a quote and a blank; D's ends in a backslash. */
    static const struct {
        const wchar_t *name, *value;
    } variables[] = {{L"A", L"va"}, {L"B", L"%1"}, {L"C", L"a \"b"}, {L"D", L"c\\"}};
    const wchar_t *v = NULL;
    for (const auto &each : variables)
        if (wcscmp(name, each.name) == 0)
            v = each.value;
    if (!v || wcslen(v) >= size)
        return v ? wcslen(v) + 1 : 0;
    wcscpy(value, v);
    return wcslen(v);
}

static const wchar_t MARK = L'\x01'; /* where a placeholder's documents go */

/* Where a command line's reading stands by today's C runtime, fed a unit at
   a time: inside quotes, and whether two quotes inside quotes (which the
   older runtime reads another way) were met. */
struct Reading {
    size_t slashes = 0;
    bool quoted = false, closed = false, twoWays = false;
    void Feed(wchar_t c)
    {
        bool quote = c == L'"' && slashes % 2 == 0;
        twoWays = twoWays || (quote && closed);
        closed = quote && quoted;
        quoted = quoted != quote;
        slashes = c == L'\\' ? slashes + 1 : 0;
    }
};

/* The arguments that a line with marks reads as, each mark the documents:
   the first joined to what comes before it, the last to what follows. */
static Arguments WithDocuments(const std::wstring &line, const Arguments &docs)
{
    Arguments got;
    for (const std::wstring &arg : ProgramArguments(line)) {
        std::wstring cur;
        for (wchar_t c : arg) {
            if (c != MARK) {
                cur += c;
                continue;
            }
            for (size_t i = 0; i < docs.size(); i++) {
                if (i > 0) {
                    got.push_back(cur);
                    cur.clear();
                }
                cur += docs[i];
            }
        }
        got.push_back(cur);
    }
    return got;
}

/* An entry's arguments made of the line's units as tokens, glued to the one
   before or after a blank: words, escaped and lone quotes, placeholders in
   and out of quotes, variables with quotes, blanks and backslashes. Read
   back by today's and the older runtime's rules alike, the command is the
   same text with the documents where a placeholder stands (or after it all),
   each whole; it is refused only where its quotes read two ways or stay
   open; a batch file gets the same through the interpreter's readings. */
static void CheckArguments(const std::wstring &line, const std::wstring &tail, bool quick)
{
    static const wchar_t *const tokens[] = {L"w",     L"%1",  L"\"%1\"", L"%L",     L"\"%*\"",
                                            L"x%A%y", L"%B%", L"\\\"",   L"\"",     L"\"-o%1.bak\"",
                                            L"%C%",   L"%D%", L"v\\\\",  L"\"%D%\""};
    static const wchar_t *const marked[] = {
        L"w",    L"\x01", L"\"\x01\"",       L"\x01",  L"\"\x01\"", L"xvay",  L"%1",
        L"\\\"", L"\"",   L"\"-o\x01.bak\"", L"a \"b", L"c\\",      L"v\\\\", L"\"c\\\""};
    bool split = TailIsArguments(tail.c_str(), Exists);
    Arguments docs = split ? ProgramArguments(tail) : Arguments{tail};
    std::wstring args, expected = L"\"p\"";
    Reading r;
    bool placed = false;
    for (size_t i = 0; i < line.size() && i < 40; i++) {
        size_t k = line[i] % 14;
        std::wstring blank = line[i] / 14 % 3 == 0 ? L"" : L" ";
        args += blank + tokens[k];
        if (i == 0)
            blank = L" "; /* after the program's quote, always */
        /* The marks stand as the builder places documents: in quotes of
           their own where the text so far is not inside quotes. */
        for (const wchar_t *m = blank.c_str(); *m; m++)
            r.Feed(*m);
        expected += blank;
        /* %L before a name's character is text: %LOCALAPPDATA% unset. */
        size_t next = i + 1 < line.size() && i + 1 < 40 ? line[i + 1] % 14 : 1;
        bool glued = i + 1 < line.size() && i + 1 < 40 && line[i + 1] / 14 % 3 == 0;
        const wchar_t *m = marked[k];
        if (k == 3 && glued && (next == 0 || next == 5 || next == 12))
            m = L"%L";
        for (; *m; m++) {
            std::wstring piece(1, *m);
            if (*m == MARK && !r.quoted) {
                size_t slashes = expected.size() - 1 - expected.find_last_not_of(L'\\');
                piece = std::wstring(slashes, L'\\') + L"\"\x01\"";
            }
            placed = placed || *m == MARK;
            for (wchar_t c : piece)
                r.Feed(c);
            expected += piece;
        }
    }
    bool twoWays = r.twoWays || r.quoted;
    TailForm form = split ? TAIL_ARGUMENTS : quick ? TAIL_QUOTED : TAIL_VERBATIM;
    Arguments want = WithDocuments(expected, docs);
    if (!placed) {
        Arguments after = form == TAIL_QUOTED ? Arguments{tail} : ProgramArguments(tail);
        want.insert(want.end(), after.begin(), after.end());
    }
    /* Exact sizes, static: allocated an input, they took most of its time. */
    static wchar_t built[COMMAND_LINE_SIZE], batch[INTERPRETER_LINE_SIZE];
    TextBuf out;
    BuildResult result =
        BuildCommand(OutStart(&out, built, COMMAND_LINE_SIZE), L"p", L"", args.c_str(),
                     tail.c_str(), form, FuzzVariable, s_texts.argument);
    if (result == BUILD_TOO_LONG)
        return;
    Check((result == BUILD_AMBIGUOUS_QUOTES) == twoWays);
    if (result != BUILD_OK)
        return;
    Check(ProgramArguments(built) == want && OlderRuntimeArguments(built) == want);
    std::wstring file;
    if (!BatchCommand(OutStart(&out, batch, INTERPRETER_LINE_SIZE), L"C:\\b\\x.cmd",
                      CommandLineTail(built), s_texts.argument))
        return; /* too long, or a quote or a line break, which no file's name holds */
    std::optional<std::wstring> all = BatchArguments(batch, &file);
    want.erase(want.begin());
    Check(all && file == L"C:\\b\\x.cmd" && PassedOn(*all, false) == want &&
          PassedOn(*all, true) == want);
}

/* A document whose ANSI best-fit form would hold a quote, a backslash or a
   wildcard (U+FF02, U+FF3C, U+FF0A and their kin) reaches no program: the
   start is refused, naming it, as none of these has a short name. */
static void CheckAnsiNames(const std::wstring &tail, bool quick)
{
    static const NativeFile files[] = {{L"p", L"C:\\p.exe"}, {NULL, NULL}};
    g_nativeLaunch = NativeLaunch();
    g_nativeLaunch.files = files;
    bool split = TailIsArguments(tail.c_str(), Exists);
    Start start = {
        L"p",    tail.c_str(), split ? TAIL_ARGUMENTS : quick ? TAIL_QUOTED : TAIL_VERBATIM,
        false,   NULL,         NULL,
        &s_texts};
    StartResult r = StartEntry(&start);
    Check(r != START_OK || AnsiKeepsArguments(g_nativeLaunch.command));
    Check(r != START_ANSI_NAME ||
          (!AnsiKeepsArguments(tail.c_str()) && start.file && !AnsiKeepsArguments(start.file)));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    /* The first byte says how many units of the rest are the list line (at
       most 259, as the reader gives it); the rest is the command line. */
    size_t lineBytes = 2 * (data[0] % 260) < size - 1 ? 2 * (data[0] % 260) : size - 1;
    std::wstring line = Units(data + 1, lineBytes);
    std::wstring cmdline = Units(data + 1 + lineBytes, size - 1 - lineBytes);

    wchar_t *tail = CommandLineTail(&cmdline[0]);
    Check(tail >= cmdline.c_str() && tail <= cmdline.c_str() + cmdline.size());
    Check(!IsBlank(*tail));
    int index = -1;
    const wchar_t *rest = NULL;
    bool quick = ParseQuickOption(tail, &index, &rest);
    Check(rest >= tail && rest <= tail + wcslen(tail));
    Check(!quick || index >= 0);

    std::wstring want = WantedCommand(line, rest);
    wchar_t *cmd = (wchar_t *)malloc(COMMAND_SIZE * sizeof(wchar_t));
    bool arguments = TailIsArguments(rest, Exists);
    Check(arguments == WantedAsItIs(rest));
    bool fits =
        BuildQuickCommand(cmd, line.c_str(), rest, arguments ? TAIL_ARGUMENTS : TAIL_QUOTED);
    Check(fits == (want.size() <= QUICK_COMMAND_MAX));
    Check(!fits || want == cmd);
    free(cmd);
    CheckEntry(line);
    CheckArguments(line, rest, quick);
    CheckAnsiNames(rest, quick);

    wchar_t *status = (wchar_t *)malloc(289 * sizeof(wchar_t));
    FormatText(status, 289, L"Starting\n%ls\n%ls\n\nPlease wait...", line.c_str(), rest);
    Check(wcslen(status) < 289);
    free(status);

    return 0;
}
