/*
 * Fuzzing the command line: the tail after the program's name, the option,
 * the quick-launch command built into an exact 264-unit buffer (so that the
 * sanitizer sees any unit written past it), the program that command names,
 * its file and the command that runs it as a batch file. Every input gives
 * either a command within the limit, formed as it should be, or the length
 * error.
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

/* The program a command names: the line up to its first quote, looked for
   when that holds no folder, else found from the launcher's folder; and the
   command that runs it if it is a batch file, which gives back the rest of
   the command once its escapes are taken away. */
static void CheckProgram(const wchar_t *cmd, const std::wstring &line)
{
    wchar_t *name = (wchar_t *)malloc(COMMAND_SIZE * sizeof(wchar_t));
    const wchar_t *rest = ProgramName(cmd, name);
    std::wstring program = line.substr(0, line.find(L'"'));
    Check(program == name);
    Check(NamesNoFolder(name) == (program.find_first_of(L"\\/:") == std::wstring::npos));
    Check(rest == cmd + program.size() + 2); /* past the quote that ends the name */

    wchar_t *path = (wchar_t *)malloc(260 * sizeof(wchar_t));
    if (ProgramFile(name, L"D:\\Tools\\", path, 260))
        Check(wcslen(path) < 260 && wcsstr(path, name + (name[0] && name[1] == L':') * 2));
    free(path);

    enum { SIZE = 2 * COMMAND_SIZE + 40 };
    wchar_t *batch = (wchar_t *)malloc(SIZE * sizeof(wchar_t));
    const std::wstring head = L"\"C:\\cmd.exe\" /s /c \"\"x.bat\"";
    if (BatchCommand(batch, SIZE, L"C:\\cmd.exe", L"x.bat", rest)) {
        std::wstring got = batch;
        Check(got.compare(0, head.size(), head) == 0 && got.back() == L'"');
        std::wstring plain;
        bool quoted = false;
        for (size_t i = head.size(); i + 1 < got.size(); i++) {
            quoted = quoted != (got[i] == L'"');
            if (!quoted && got[i] == L'^')
                i++;
            plain += got[i];
        }
        Check(plain == rest);
    }
    free(batch);
    free(name);
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
    if (fits)
        CheckProgram(cmd, line);
    free(cmd);

    wchar_t *status = (wchar_t *)malloc(289 * sizeof(wchar_t));
    FormatText(status, 289, L"Starting\n%ls\n%ls\n\nPlease wait...", line.c_str(), rest);
    Check(wcslen(status) < 289);
    free(status);

    /* The rest of the input as a PATH: what is kept is a list of whole
       entries of it, with no empty one. */
    std::wstring path = cmdline, kept = path;
    size_t most = data[0] * 3u;
    size_t len = KeepAbsoluteFolders(&kept[0], most);
    Check(len == wcslen(kept.c_str()) && len <= path.size() && len <= most);
    kept.resize(len);
    Check(len == 0 || (kept[0] != L';' && kept[len - 1] != L';'));
    Check(kept.find(L";;") == std::wstring::npos);
    return 0;
}
