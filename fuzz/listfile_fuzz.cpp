/*
 * Fuzzing the list file reader against a model of the line rules written the
 * simplest way, a byte at a time: for any bytes, the list view and the
 * indexed lookup must yield the same lines, and as many, as the model.
 */
#include "launch/listfile.h"
#include "platform/platform.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

typedef std::vector<std::string> Lines;

static Lines ModelLines(const uint8_t *data, size_t size)
{
    std::string stream; /* the bytes as read: up to a Ctrl-Z, CR LF as LF */
    for (size_t i = 0; i < size && data[i] != 26; i++)
        if (!(data[i] == '\r' && i + 1 < size && data[i + 1] == '\n'))
            stream += (char)data[i];
    Lines reads;
    std::string cur;
    for (char c : stream) {
        cur += c;
        if (c == '\n' || cur.size() == 259) {
            reads.push_back(cur);
            cur.clear();
        }
    }
    if (!cur.empty())
        reads.push_back(cur);
    for (std::string &r : reads) {
        r = r.substr(0, r.find('\0'));
        while (!r.empty() && (unsigned char)r.back() >= 1 && (unsigned char)r.back() <= 32)
            r.pop_back();
    }
    return reads;
}

static void Collect(void *context, const char *entry)
{
    static_cast<Lines *>(context)->push_back(entry);
}

static std::string s_path;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    char dir[] = "/dev/shm/runvo-fuzz-XXXXXX";
    if (!mkdtemp(dir)) {
        strcpy(dir, "/tmp/runvo-fuzz-XXXXXX");
        if (!mkdtemp(dir))
            abort();
    }
    s_path = std::string(dir) + "/runvo.DAT";
    NativeSetModulePath((std::string(dir) + "/runvo.exe").c_str());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FILE *f = fopen(s_path.c_str(), "wb");
    fwrite(data, 1, size, f);
    fclose(f);
    Lines want = ModelLines(data, size);

    char def[LIST_DEFAULT_SIZE];
    Lines got;
    size_t count = ReadProgramList(def, Collect, &got);
    if (count > 0)
        got.insert(got.begin(), def);
    if (count != want.size() || got != want)
        abort();
    char line[LIST_LINE_SIZE];
    for (size_t i : {size_t(0), count / 2, count - 1, count}) {
        bool found = ReadListLine((int)i, line);
        if (found != (i < count) || (found && want[i] != line))
            abort();
    }
    return 0;
}
