/*
 * Fuzzing the command line: the tail after the program's name, the option,
 * the quick-launch command built into an exact 264-unit buffer (so that the
 * sanitizer sees any unit written past it), the line read as a list entry,
 * the command an entry's arguments and the tail give, as the program reads
 * it back, and the command that runs a batch file, as the interpreter reads
 * it back. Every input gives either commands formed as they should be, or
 * the length error.
 */
#include "launch/command.h"
#include "launch/entry.h"
#include "launch/text.h"
#include "tests/interpreter_model.h"

#include <stdint.h>
#include <stdlib.h>
#include <wchar.h>

#include <string>

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
            all = all && j - i < COMMAND_SIZE && Exists(r.substr(i, j - i).c_str());
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

static size_t Lookup(const wchar_t *name, wchar_t *value, size_t size)
{
    /* A's value is a word; B's is a placeholder, which is not read again. */
    const wchar_t *v = wcscmp(name, L"A") == 0 ? L"va" : wcscmp(name, L"B") == 0 ? L"%1" : NULL;
    if (!v || wcslen(v) >= size)
        return v ? wcslen(v) + 1 : 0;
    wcscpy(value, v);
    return wcslen(v);
}

/* An entry's arguments made of the line's units as words, placeholders and
   variables: the program reads back those words with the documents where a
   placeholder stands, or after them; a batch file gets the same through the
   interpreter's readings. */
static void CheckArguments(const std::wstring &line, const std::wstring &tail, bool quick)
{
    static const wchar_t *const tokens[] = {L"w",      L"%1",    L"\"%1\"", L"%L",
                                            L"\"%*\"", L"x%A%y", L"%B%"};
    bool split = TailIsArguments(tail.c_str(), Exists);
    Arguments docs = split ? ProgramArguments(tail) : Arguments{tail}, want = {L"p"};
    std::wstring args;
    bool placed = false;
    for (wchar_t unit : line.substr(0, 40)) {
        const wchar_t *token = tokens[unit % 7];
        args += std::wstring(L" ") + token;
        placed = placed || (unit % 7 >= 1 && unit % 7 <= 4);
        if (unit % 7 >= 1 && unit % 7 <= 4)
            want.insert(want.end(), docs.begin(), docs.end());
        else
            want.push_back(unit % 7 == 0 ? L"w" : unit % 7 == 5 ? L"xvay" : L"%1");
    }
    TailForm form = split ? TAIL_ARGUMENTS : quick ? TAIL_QUOTED : TAIL_TYPED;
    if (!placed) {
        Arguments after = form == TAIL_QUOTED ? Arguments{tail} : ProgramArguments(tail);
        want.insert(want.end(), after.begin(), after.end());
    }
    /* Exact sizes, static: allocated an input, they took most of its time. */
    static wchar_t built[STARTED_SIZE], batch[INTERPRETER_SIZE];
    TextBuf out;
    if (!BuildCommand(OutStart(&out, built, STARTED_SIZE), L"p", L"", args.c_str(), tail.c_str(),
                      form, Lookup))
        return;
    Check(ProgramArguments(built) == want);
    std::wstring file;
    if (!BatchCommand(OutStart(&out, batch, INTERPRETER_SIZE), L"C:\\b\\x.cmd",
                      CommandLineTail(built)))
        return; /* too long, or a line break, which no name holds */
    std::optional<std::wstring> all = BatchArguments(batch, &file);
    want.erase(want.begin());
    Check(all && file == L"C:\\b\\x.cmd" && PassedOn(*all, false) == want &&
          PassedOn(*all, true) == want);
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
    bool asItIs = TailIsArguments(rest, Exists);
    Check(asItIs == WantedAsItIs(rest));
    bool fits = BuildQuickCommand(cmd, line.c_str(), rest, asItIs);
    Check(fits == (want.size() <= QUICK_COMMAND_MAX));
    Check(!fits || want == cmd);
    free(cmd);
    CheckEntry(line);
    CheckArguments(line, rest, quick);

    wchar_t *status = (wchar_t *)malloc(289 * sizeof(wchar_t));
    FormatText(status, 289, L"Starting\n%ls\n%ls\n\nPlease wait...", line.c_str(), rest);
    Check(wcslen(status) < 289);
    free(status);

    return 0;
}
