/*
 * Fuzzing the command line: the tail after the program's name, the option,
 * and the quick-launch command built into an exact 264-byte buffer (so that
 * the sanitizer sees any byte written past it). Every input gives either a
 * command within the limit, quoted as it should be, or the length error.
 */
#include "launch/command.h"
#include "launch/text.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

static void Check(bool cond)
{
    if (!cond)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    /* The first byte says how much of the rest is the list line (at most
       259 bytes, as the reader gives it); the rest is the command line. */
    size_t lineLen = data[0] % 260 < size - 1 ? data[0] % 260 : size - 1;
    std::string line((const char *)data + 1, lineLen);
    line = line.substr(0, line.find('\0'));
    std::string cmdline((const char *)data + 1 + lineLen, size - 1 - lineLen);
    cmdline = cmdline.substr(0, cmdline.find('\0'));

    char *tail = CommandLineTail(&cmdline[0]);
    Check(tail >= cmdline.c_str() && tail <= cmdline.c_str() + cmdline.size());
    Check(!IsBlank(*tail));
    int index = -1;
    const char *rest = NULL;
    bool quick = ParseQuickOption(tail, &index, &rest);
    Check(rest >= tail && rest <= tail + strlen(tail));
    Check(!quick || index >= 0);

    /* The command as it should be: a tail that is one quoted argument
       stays as it is; any other is quoted, its trailing backslashes doubled.
       The length check admits commands of at most 261 bytes. */
    std::string r = rest, arg;
    if (r.size() >= 2 && r.front() == '"' && r.back() == '"' && r.find('"', 1) == r.size() - 1) {
        arg = r;
    } else {
        size_t k = 0;
        while (k < r.size() && r[r.size() - 1 - k] == '\\')
            k++;
        arg = "\"" + r + std::string(k, '\\') + "\"";
    }
    std::string want = "\"" + line + "\" " + arg;

    char *cmd = (char *)malloc(COMMAND_SIZE);
    bool fits = BuildQuickCommand(cmd, line.c_str(), rest);
    Check(fits == (want.size() <= 261));
    Check(!fits || want == cmd);
    free(cmd);

    char *status = (char *)malloc(289);
    FormatText(status, 289, "Starting\n%s\n%s\n\nPlease wait...", line.c_str(), rest);
    Check(strlen(status) < 289);
    free(status);
    return 0;
}
