/*
 * The list file's line rules, read through the launcher's own operations from
 * real files: each row is the file's bytes and the cleaned lines it yields.
 */
#include "launch/listfile.h"
#include "platform/platform.h"
#include "tests/harness.h"

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <string>
#include <vector>

typedef std::vector<std::string> Lines;

static std::string s_dir;

static void WriteFile(const std::string &path, const std::string &bytes)
{
    FILE *f = fopen(path.c_str(), "wb");
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

static void UseList(const std::string &bytes)
{
    WriteFile(s_dir + "/runvo.DAT", bytes);
}

static void CollectEntry(void *context, const char *entry)
{
    static_cast<Lines *>(context)->push_back(entry);
}

/* Every line the list view yields: the default first, then the entries. */
static Lines ReadAll(size_t *count)
{
    char def[LIST_DEFAULT_SIZE];
    Lines entries;
    *count = ReadProgramList(def, CollectEntry, &entries);
    Lines all;
    if (*count > 0)
        all.push_back(def);
    all.insert(all.end(), entries.begin(), entries.end());
    return all;
}

static std::string Join(const Lines &lines)
{
    std::string s;
    for (const std::string &l : lines)
        s += "[" + Shown(l) + "]";
    return s;
}

static void test_line_rules(void)
{
    const std::string x259(259, 'x'), x300(300, 'y'), x258(258, 'z');
    const struct {
        const char *name;
        std::string bytes;
        Lines lines;
    } rows[] = {
        {"LF ends", B("a\nb\nc\n"), {"a", "b", "c"}},
        {"CR LF ends", B("a\r\nb\r\nc\r\n"), {"a", "b", "c"}},
        {"last line without LF", B("a\nb"), {"a", "b"}},
        {"lone CR stays inside", B("a\rb\n"), {"a\rb"}},
        {"CR CR LF keeps one CR, trimmed", B("a\r\r\nb"), {"a", "b"}},
        {"Ctrl-Z ends the file",
         B("a\nb\x1a"
           "c\nd\n"),
         {"a", "b"}},
        {"Ctrl-Z first",
         B("\x1a"
           "a\n"),
         {}},
        {"300 bytes make two lines", x300 + "\n", {x300.substr(0, 259), x300.substr(259)}},
        {"259 bytes and LF: an empty line follows", x259 + "\n", {x259, ""}},
        {"CR LF at the 259-byte boundary merges first", x258 + "\r\nb\n", {x258, "b"}},
        {"259 bytes and CR LF", x259 + "\r\n", {x259, ""}},
        {"empty line is an entry", B("d\na\n\nb\n"), {"d", "a", "", "b"}},
        {"blanks and tabs only", B("d\n \t \t\n"), {"d", ""}},
        {"leading blanks stay", B("d\n  prog  \n"), {"d", "  prog"}},
        {"control codes trimmed", B("a\x01\x1f \t\x0b\n"), {"a"}},
        {"high bytes never trimmed", B("prog\xa0\xff\n\xe9x\x80\n"), {"prog\xa0\xff", "\xe9x\x80"}},
        {"NUL ends the text", B("ab\0cd\nef\n"), {"ab", "ef"}},
        {"NUL first", B("\0zz\nq\n"), {"", "q"}},
        {"empty file", "", {}},
        {"one line", B("only"), {"only"}},
        {"LF only", B("\n"), {""}},
    };
    for (const auto &row : rows) {
        UseList(row.bytes);
        size_t count;
        Lines got = ReadAll(&count);
        ok(got == row.lines, "%s: got %s, want %s", row.name, Join(got).c_str(),
           Join(row.lines).c_str());
        ok(count == row.lines.size(), "%s: count %lu", row.name, (unsigned long)count);
    }
}

/* The raw reads, before trimming: what stays of a CR. */
static void test_raw_reads(void)
{
    const std::string chunkEndCr = std::string(LIST_CHUNK - 1, 'c') + "\r";
    const struct {
        const char *name;
        std::string bytes;
        Lines reads;
    } rows[] = {
        {"CR as last byte stays", B("a\r"), {"a\r"}},
        {"CR before Ctrl-Z stays", B("a\r\x1a\n"), {"a\r"}},
        {"CR LF reads as LF", B("a\r\n"), {"a\n"}},
        {"CR ending the first chunk, then the end", chunkEndCr, {}},
        {"CR ending the first chunk, then LF", chunkEndCr + "\n", {}},
        {"CR ending the first chunk, then Ctrl-Z", chunkEndCr + "\x1a", {}},
    };
    for (const auto &row : rows) {
        UseList(row.bytes);
        FILE *f = fopen((s_dir + "/runvo.DAT").c_str(), "rb");
        ListReader *reader = new ListReader;
        ListReaderInit(reader, f);
        char line[LIST_LINE_SIZE];
        std::string all;
        Lines reads;
        while (ListReaderNext(reader, line)) {
            reads.push_back(line);
            all += line;
        }
        fclose(f);
        delete reader;
        if (!row.reads.empty()) {
            ok(reads == row.reads, "%s: got %s", row.name, Join(reads).c_str());
            continue;
        }
        /* Long rows: check only how the stream ends. */
        std::string want = row.bytes;
        if (want.back() == '\x1a')
            want.pop_back();
        if (want.size() >= 2 && want.compare(want.size() - 2, 2, "\r\n") == 0)
            want.erase(want.size() - 2, 1);
        ok(all == want, "%s: %lu bytes, tail %s", row.name, (unsigned long)all.size(),
           Shown(all.substr(all.size() - 3)).c_str());
    }
}

/* Lines of every length, crossing reads and chunks at every position: the
   CR LF file must read exactly as the same file with LF. */
static void test_crlf_equals_lf(void)
{
    std::string lf, crlf;
    for (int i = 0; lf.size() < 3 * LIST_CHUNK; i++) {
        std::string line((size_t)(i * 37 % 601), (char)('a' + i % 26));
        lf += line + "\n";
        crlf += line + "\r\n";
    }
    size_t nLf, nCrlf;
    UseList(lf);
    Lines a = ReadAll(&nLf);
    UseList(crlf);
    Lines b = ReadAll(&nCrlf);
    ok(nLf == nCrlf && a == b, "CR LF and LF differ: %lu vs %lu lines", (unsigned long)nLf,
       (unsigned long)nCrlf);
    ok(nLf > 300, "too few lines read: %lu", (unsigned long)nLf);
}

static void test_read_list_line(void)
{
    const std::string y300(300, 'y');
    const struct {
        const char *name;
        std::string bytes;
        int index;
        bool found;
        const char *line;
    } rows[] = {
        {"index 0 of one line", B("first  \n"), 0, true, "first"},
        {"index 1 of one line", B("first\n"), 1, false, ""},
        {"empty lines count", B("a\n\nb\n"), 2, true, "b"},
        {"the empty line itself", B("a\n\nb\n"), 1, true, ""},
        {"a long line counts twice", y300 + "\nb\n", 2, true, "b"},
        {"past the end", B("a\nb\nc\nd\ne\n"), 5, false, ""},
        {"last line without LF", B("a\nlast"), 1, true, "last"},
        {"negative index", B("a\n"), -1, false, ""},
        {"after Ctrl-Z",
         B("a\n\x1a"
           "b\n"),
         1, false, ""},
        {"CR LF file", B("a\r\nb \r\n"), 1, true, "b"},
    };
    for (const auto &row : rows) {
        UseList(row.bytes);
        char line[LIST_LINE_SIZE] = "untouched";
        bool found = ReadListLine(row.index, line);
        ok(found == row.found, "%s: found %d", row.name, found);
        if (found && row.found)
            ok(strcmp(line, row.line) == 0, "%s: got [%s]", row.name, Shown(line).c_str());
    }
    unlink((s_dir + "/runvo.DAT").c_str());
    char line[LIST_LINE_SIZE];
    ok(!ReadListLine(0, line), "no list file: found");
    char def[LIST_DEFAULT_SIZE] = "stale";
    ok(ReadProgramList(def, CollectEntry, NULL) == 0 && def[0] == '\0', "no list file: lines");
}

static void test_list_file_path(void)
{
    /* A path that fills the 260-byte buffer is cut short; the file named after
       the cut path must not be read. */
    std::string deep = s_dir;
    while (deep.size() < 300) {
        deep += "/" + std::string(40, 'd');
        mkdir(deep.c_str(), 0700);
    }
    std::string exe259 = s_dir + "/" + std::string(259 - s_dir.size() - 1 - 4, 'p') + ".exe";
    std::string exe260 = exe259.substr(0, exe259.size() - 4) + "q.exe";
    std::string cut = exe260.substr(0, 259);
    WriteFile(cut.substr(0, 256) + "DAT", "trap\n");

    const struct {
        const char *name;
        std::string module;
        bool ok;
        std::string path;
    } rows[] = {
        {"exe becomes DAT", "/tmp/r/runvo.exe", true, "/tmp/r/runvo.DAT"},
        {"by position only", "/tmp/r/runvo", true, "/tmp/r/ruDAT"},
        {"three bytes", "abc", true, "DAT"},
        {"too short", "ab", false, ""},
        {"no path", "", false, ""},
        {"259 bytes fit", exe259, true, exe259.substr(0, 256) + "DAT"},
        {"260 bytes were cut", exe260, false, ""},
        {"far too long", deep + "/runvo.exe", false, ""},
    };
    for (const auto &row : rows) {
        NativeSetModulePath(row.module.c_str());
        char path[MODULE_PATH_SIZE];
        bool got = ListFilePath(path);
        ok(got == row.ok, "%s: %d", row.name, got);
        if (got && row.ok)
            ok(path == row.path, "%s: got %s", row.name, path);
    }
    NativeSetModulePath(exe260.c_str());
    char line[LIST_LINE_SIZE];
    ok(!ReadListLine(0, line), "a cut path opened %s", line);
    NativeSetModulePath((s_dir + "/runvo.exe").c_str());
}

static void test_trim(void)
{
    const struct {
        const char *in, *out;
    } rows[] = {
        {"", ""},           {" \t\r\n", ""},    {"a b ", "a b"},    {" a", " a"},
        {"a\x01", "a"},     {"a\x20", "a"},     {"a\x21", "a\x21"}, {"a\x7f", "a\x7f"},
        {"a\x80", "a\x80"}, {"a\xff", "a\xff"}, {"\xa0 ", "\xa0"},
    };
    for (const auto &row : rows) {
        char buf[32];
        strcpy(buf, row.in);
        TrimLineEnd(buf);
        ok(strcmp(buf, row.out) == 0, "trim [%s]: got [%s]", Shown(row.in).c_str(),
           Shown(buf).c_str());
    }
}

int main()
{
    char tmpl[] = "/tmp/runvo-list-XXXXXX";
    s_dir = mkdtemp(tmpl);
    NativeSetModulePath((s_dir + "/runvo.exe").c_str());
    test_line_rules();
    test_raw_reads();
    test_crlf_equals_lf();
    test_read_list_line();
    test_list_file_path();
    test_trim();
    std::string rm = "rm -rf " + s_dir;
    if (system(rm.c_str()) != 0)
        printf("could not remove %s\n", s_dir.c_str());
    return TestSummary("listfile");
}
