/*
 * Fuzzing the list file reader against a model of the line rules written the
 * simplest way, a unit at a time: for any bytes (UTF-8 or not, with either
 * mark or none), the list view and the indexed lookup must yield the same
 * lines, and as many, as the model. The reader is built with a 7-byte chunk,
 * so that every rule meets a chunk's end.
 */
#include "launch/listfile.h"
#include "fuzz/listfile_model.h"
#include "platform/native.h"

#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

/* Each entry is compared with the model's line as it comes. */
struct Expected {
    const ModelLines *want;
    size_t next;
    bool same;
};

static void Compare(void *context, const wchar_t *entry)
{
    Expected *e = static_cast<Expected *>(context);
    e->same = e->same && e->next < e->want->count() && e->want->line(e->next) == entry;
    e->next++;
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
    int fd = open(s_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || write(fd, data, size) != (ssize_t)size)
        abort();
    close(fd);
    static ModelLines want;
    ReadModelLines(data, size, &want);

    wchar_t def[COMMAND_SIZE];
    Expected got = {&want, 1, true};
    size_t count = ReadProgramList(def, Compare, &got);
    if (count != want.count() || !got.same || (count > 0 && want.line(0) != def) ||
        (count == 0 && def[0] != L'\0'))
        abort();
    wchar_t line[PATH_SIZE];
    for (size_t i : {size_t(0), count / 2, count - 1, count}) {
        bool found = ReadListLine((int)i, line);
        if (found != (i < count) || (found && want.line(i) != line))
            abort();
    }
    return 0;
}
