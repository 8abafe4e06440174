/*
 * The list file's line rules, read through the launcher's own operations from
 * real files: each row is the file's bytes and the cleaned lines it yields,
 * in UTF-8 (the code page's stand-in here is ISO 8859-1: "\xe9" reads as
 * "\u00e9").
 */
#include "launch/listfile.h"
#include "platform/native.h"
#include "tests/harness.h"

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wchar.h>
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

/* UTF-16 units as UTF-8; a lone surrogate as \u{N}. */
static std::string Utf8(const std::wstring &text)
{
    std::string s;
    for (const wchar_t *w = text.c_str(), *end = w + text.size(); w < end; w++) {
        unsigned c = (unsigned)*w;
        if (c >= 0xD800 && c <= 0xDBFF && w[1] >= 0xDC00 && w[1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + ((unsigned)*++w - 0xDC00);
        char buf[16];
        if (c < 0x80)
            s += (char)c;
        else if (c >= 0xD800 && c <= 0xDFFF)
            s += (snprintf(buf, sizeof buf, "\\u{%x}", c), buf);
        else if (c < 0x800)
            s += {(char)(0xC0 | c >> 6), (char)(0x80 | (c & 0x3F))};
        else if (c < 0x10000)
            s +=
                {(char)(0xE0 | c >> 12), (char)(0x80 | (c >> 6 & 0x3F)), (char)(0x80 | (c & 0x3F))};
        else
            s += {(char)(0xF0 | c >> 18), (char)(0x80 | (c >> 12 & 0x3F)),
                  (char)(0x80 | (c >> 6 & 0x3F)), (char)(0x80 | (c & 0x3F))};
    }
    return s;
}

static void CollectEntry(void *context, const wchar_t *entry)
{
    static_cast<Lines *>(context)->push_back(Utf8(entry));
}

/* Every line the list view yields: the default first, then the entries. */
static Lines ReadAll(size_t *count)
{
    wchar_t def[COMMAND_SIZE];
    Lines entries;
    *count = ReadProgramList(def, CollectEntry, &entries);
    Lines all;
    if (*count > 0)
        all.push_back(Utf8(def));
    all.insert(all.end(), entries.begin(), entries.end());
    return all;
}

static const std::string E_ACUTE = "\u00e9";
static const std::u16string E_ACUTE16 = u"\u00e9";

template <class String>
static String Repeat(const String &s, size_t n)
{
    String r;
    while (n--)
        r += s;
    return r;
}

/* Text as the code page (ISO 8859-1 here; false when it cannot hold it),
   UTF-8, UTF-8 with its mark and UTF-16 LE with its mark would hold it. */
static bool Encode(const std::u16string &text, std::string forms[4])
{
    bool latin1 = true;
    std::wstring w(text.begin(), text.end());
    forms[1] = Utf8(w);
    forms[2] = "\xef\xbb\xbf" + forms[1];
    forms[3] = "\xff\xfe";
    for (char16_t c : text) {
        latin1 = latin1 && c <= 0xFF;
        forms[0] += (char)c;
        forms[3] += {(char)(c & 0xFF), (char)(c >> 8)};
    }
    return latin1;
}

static std::string Join(const Lines &lines)
{
    std::string s;
    for (const std::string &l : lines) {
        s += '[';
        s += Shown(l);
        s += ']';
    }
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
        {"a mark begins lines",
         B("\xef\xbb\xbf"
           "a\r\n\xef\xbb\xbf\xef\xbb\xbf"
           "b\n\xef\xbb\xbf"),
         {"a", "\xef\xbb\xbf"
               "b"}},
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
        {"high bytes never trimmed",
         B("prog\xa0\xff\n\xe9x\x80\n"),
         {"prog\u00a0\u00ff", "\u00e9x\u0080"}},
        {"NUL ends the text", B("ab\0cd\nef\n"), {"ab", "ef"}},
        {"NUL first", B("\0zz\nq\n"), {"", "q"}},
        {"empty file", "", {}},
        {"one line", B("only"), {"only"}},
        {"LF only", B("\n"), {""}},
        {"a code page line beside a UTF-8 one",
         B("\xe9t\xe9\nJos\xc3\xa9\n"),
         {"\u00e9t\u00e9", "Jos\u00e9"}},
        {"not well-formed UTF-8 is the code page's",
         B("\xc0\xaf\n\xed\xa0\x80\n\xf4\x90\x80\x80\n\xc3\n\xa9x\n"),
         {"\u00c0\u00af", "\u00ed\u00a0\u0080", "\u00f4\u0090\u0080\u0080", "\u00c3", "\u00a9x"}},
        {"the largest well-formed",
         B("\xf4\x8f\xbf\xbf\n\xef\xbf\xbf\n"),
         {"\U0010ffff", "\uffff"}},
        {"ill-formed past the cut is the next line's",
         Repeat(E_ACUTE, 259) + "\xff\n",
         {Repeat(E_ACUTE, 259), "\u00ff"}},
        {"UTF-16: an odd last byte is no unit",
         B("\xff\xfe"
           "a\0b"),
         {"a"}},
        {"UTF-16: only the unit 26 is a Ctrl-Z", B("\xff\xfe\x1a\x01\n\0\x1a\0z\0"), {"\u011a"}},
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

/* The same text in every encoding that can hold it (the code page, UTF-8
   without and with its mark, UTF-16 LE) gives the same lines: limits count
   characters, whatever their bytes. */
static void test_encodings(void)
{
    const std::string e259 = Repeat(E_ACUTE, 259);
    const struct {
        const char *name;
        std::u16string text;
        Lines lines;
    } rows[] = {
        {"accented", u"Jos\u00e9\r\n\u00e9t\u00e9 \t\n", {"Jos\u00e9", "\u00e9t\u00e9"}},
        {"any script",
         u"\u03a9\u03bc\n\u65e5\u672c \U0001f600",
         {"\u03a9\u03bc", "\u65e5\u672c \U0001f600"}},
        {"300 characters", Repeat(E_ACUTE16, 300) + u"\n", {e259, Repeat(E_ACUTE, 41)}},
        {"259 characters and CR LF", Repeat(E_ACUTE16, 259) + u"\r\n", {e259, ""}},
        {"258 and one beyond the plane",
         Repeat(E_ACUTE16, 258) + u"\U0001f600\n",
         {Repeat(E_ACUTE, 258), "\U0001f600"}},
        {"NUL and Ctrl-Z",
         std::u16string(u"\u00e9\0x\nb\x1a"
                        u"c\n",
                        8),
         {"\u00e9", "b"}},
        {"lone CR", u"\u00e9\rb\r", {"\u00e9\rb"}},
        {"marks begin lines", u"a\n\ufeffb\r\n\ufeff\ufeffc\n\ufeff", {"a", "b", "\ufeffc"}},
        {"nothing", u"", {}},
    };
    for (const auto &row : rows) {
        std::string forms[4], names[4] = {"code page", "UTF-8", "UTF-8 with its mark", "UTF-16"};
        bool inCodePage = Encode(row.text, forms);
        for (int i = inCodePage ? 0 : 1; i < 4; i++) {
            UseList(forms[i]);
            size_t count;
            Lines got = ReadAll(&count);
            ok(got == row.lines, "%s in %s: got %s", row.name, names[i].c_str(), Join(got).c_str());
        }
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
        wchar_t line[PATH_SIZE];
        std::string all;
        Lines reads;
        while (ListReaderNext(reader, line)) {
            reads.push_back(Utf8(line));
            all += reads.back();
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
    const std::string y300(300, 'y'), y259(259, 'y');
    const struct {
        const char *name;
        std::string bytes;
        int index;
        bool found;
        std::string line;
        bool cut = false; /* longer than a read, more than blanks left */
    } rows[] = {
        {"a first line of 300: cut", y300 + "\nb\n", 0, true, y259, true},
        {"a line of 300: cut", "a\n" + y300 + "\nb\n", 1, true, y259, true},
        {"259 and its line feed: whole", y259 + "\nb\n", 0, true, y259},
        {"259 and blanks: whole", y259 + " \t \r\nb\n", 0, true, y259},
        {"259 at the end of the file: whole", y259, 0, true, y259},
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
        wchar_t line[PATH_SIZE] = L"untouched";
        bool cut = !row.cut;
        bool found = ReadListLine(row.index, line, &cut);
        ok(found == row.found && cut == row.cut, "%s: found %d, cut %d", row.name, found, cut);
        if (found && row.found)
            ok(Utf8(line) == row.line, "%s: got [%s]", row.name, Shown(Utf8(line)).c_str());
        /* The list view says the same of its first line. */
        wchar_t def[COMMAND_SIZE];
        bool defaultCut = !cut;
        Lines entries;
        ReadProgramList(def, CollectEntry, &entries, &defaultCut);
        ok(row.index != 0 || defaultCut == row.cut, "%s: the default cut %d", row.name, defaultCut);
    }
    unlink((s_dir + "/runvo.DAT").c_str());
    wchar_t line[PATH_SIZE];
    ok(!ReadListLine(0, line), "no list file: found");
    wchar_t def[COMMAND_SIZE] = L"stale";
    ok(ReadProgramList(def, CollectEntry, NULL) == 0 && def[0] == L'\0', "no list file: lines");
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
        char path[PATH_SIZE];
        bool got = ListFilePath(path);
        ok(got == row.ok, "%s: %d", row.name, got);
        if (got && row.ok)
            ok(path == row.path, "%s: got %s", row.name, path);
    }
    NativeSetModulePath(exe260.c_str());
    wchar_t line[PATH_SIZE];
    ok(!ReadListLine(0, line), "a cut path opened %s", Utf8(line).c_str());
    NativeSetModulePath((s_dir + "/runvo.exe").c_str());
}

static void test_trim(void)
{
    const struct {
        const wchar_t *in, *out;
    } rows[] = {
        {L"", L""},           {L" \t\r\n", L""},    {L"a b ", L"a b"},    {L" a", L" a"},
        {L"a\x01", L"a"},     {L"a\x20", L"a"},     {L"a\x21", L"a\x21"}, {L"a\x7f", L"a\x7f"},
        {L"a\x80", L"a\x80"}, {L"a\xff", L"a\xff"}, {L"\xa0 ", L"\xa0"},  {L"a\x3000", L"a\x3000"},
    };
    for (const auto &row : rows) {
        wchar_t buf[32];
        wcscpy(buf, row.in);
        TrimLineEnd(buf);
        ok(wcscmp(buf, row.out) == 0, "trim [%s]: got [%s]", Shown(row.in).c_str(),
           Shown(buf).c_str());
    }
}

int main()
{
    char tmpl[] = "/tmp/runvo-list-XXXXXX";
    s_dir = mkdtemp(tmpl);
    NativeSetModulePath((s_dir + "/runvo.exe").c_str());
    test_line_rules();
    test_encodings();
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
