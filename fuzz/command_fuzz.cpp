/*
 * Fuzzing the command line: the tail after the program's name, the option,
 * the quick-launch command built into an exact 264-unit buffer (so that the
 * sanitizer sees any unit written past it), and the program that command
 * names. Every input gives either a command within the limit, formed as it
 * should be, or the length error.
 */
#include "launch/command.h"
#include "launch/text.h"

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

/* The quick command as it should be: a tail with quotes of its own stays as
   it is; any other is quoted, its trailing backslashes doubled. */
static std::wstring WantedCommand(const std::wstring &line, const std::wstring &r)
{
    if (r.find(L'"') != std::wstring::npos)
        return L"\"" + line + L"\" " + r;
    size_t k = 0;
    while (k < r.size() && r[r.size() - 1 - k] == L'\\')
        k++;
    return L"\"" + line + L"\" \"" + r + std::wstring(k, L'\\') + L"\"";
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
    bool fits = BuildQuickCommand(cmd, line.c_str(), rest);
    Check(fits == (want.size() <= QUICK_COMMAND_MAX));
    Check(!fits || want == cmd);

    /* The program it names: the line up to its first quote, looked for when
       that holds no folder. */
    if (fits) {
        wchar_t *name = (wchar_t *)malloc(COMMAND_SIZE * sizeof(wchar_t));
        bool bare = ProgramWithoutFolder(cmd, name);
        std::wstring program = line.substr(0, line.find(L'"'));
        Check(program == name);
        Check(bare == (program.find_first_of(L"\\/:") == std::wstring::npos));
        free(name);
    }
    free(cmd);

    wchar_t *status = (wchar_t *)malloc(289 * sizeof(wchar_t));
    FormatText(status, 289, L"Starting\n%ls\n%ls\n\nPlease wait...", line.c_str(), rest);
    Check(wcslen(status) < 289);
    free(status);

    /* The rest of the input as a PATH: what is kept is a list of whole
       entries of it, with no empty one. */
    std::wstring path = cmdline, kept = path;
    size_t len = KeepAbsoluteFolders(&kept[0]);
    Check(len == wcslen(kept.c_str()) && len <= path.size());
    kept.resize(len);
    Check(len == 0 || (kept[0] != L';' && kept[len - 1] != L';'));
    Check(kept.find(L";;") == std::wstring::npos);
    return 0;
}
