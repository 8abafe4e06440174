/*
 * The first line's rules, unit by unit: how a first line reads (its
 * default, and whether what follows a '|' is rules or part of a plain
 * default), and which rule the documents of a tail meet.
 */
#include "launch/rules.h"
#include "launch/sizes.h"
#include "launch/tail.h"
#include "tests/harness.h"

#include <locale.h>
#include <wchar.h>

#include <string>
#include <vector>

static void test_default(void)
{
    static const struct {
        const wchar_t *line, *def;
    } rows[] = {
        {L"notepad", L"notepad"},
        {L"notepad | .txt = ed", L"notepad"},
        {L"  notepad\t| .txt=ed|https: = ff", L"  notepad"},
        {L"| .txt = ed", L""},
        {L"\"C:\\Program Files\\App | .jpg .PNG .gif = viewer", L"\"C:\\Program Files\\App"},
        /* Not rules: the whole line, as it always was. */
        {L"C:\\a|b", L"C:\\a|b"},
        {L"notepad | .txt = ed | junk", L"notepad | .txt = ed | junk"},
        {L"notepad | .txt", L"notepad | .txt"},
        {L"notepad | = ed", L"notepad | = ed"},
        {L"notepad | .txt =", L"notepad | .txt ="},
        {L"notepad | txt = ed", L"notepad | txt = ed"},
        {L"notepad | c: = ed", L"notepad | c: = ed"},
        {L"notepad | . = ed", L"notepad | . = ed"},
        {L"notepad |", L"notepad |"},
        {L"notepad || .txt = ed", L"notepad || .txt = ed"},
    };
    for (const auto &row : rows) {
        wchar_t def[8 + 1]; /* truncated to fit, never past it */
        FirstLineDefault(row.line, def, 9);
        std::wstring want = std::wstring(row.def).substr(0, 8);
        ok(def == want, "[%s]: [%s]", Shown(row.line).c_str(), Shown(def).c_str());
    }
    /* A line that the read cut short: the rest of its rule's text would be
       read as a text that selects another program. */
    const wchar_t *cut = L"notepad | .txt = C:\\Apps\\Ar";
    wchar_t def[64], text[64];
    FirstLineDefault(cut, def, 64, true);
    ok(wcscmp(def, cut) == 0, "a cut line's default: [%s]", Shown(def).c_str());
    ok(!RuleForTail(cut, L"a.txt", TAIL_VERBATIM, text, 64, true), "a cut line's rule applies");
}

/* The files of the tests' file system: a tail of unquoted names is several
   documents when each is a file. */
static bool Exists(const wchar_t *name)
{
    return wcscmp(name, L"C:\\P\\a.jpg") == 0 || wcscmp(name, L"C:\\P\\b.png") == 0 ||
           wcscmp(name, L"C:\\P\\c.pdf") == 0;
}

/* The rule for the tail as the launcher reads it on this file system. */
static bool Rule(const wchar_t *line, const wchar_t *tail, wchar_t *text)
{
    return RuleForTail(line, tail, TailIsArguments(tail, Exists) ? TAIL_ARGUMENTS : TAIL_VERBATIM,
                       text, 64);
}

/* The rows of a list, as the chooser shows them. */
static bool EntryAt(void *context, int index, wchar_t *entry)
{
    const auto &rows = *static_cast<const std::vector<std::wstring> *>(context);
    if (index < 0 || (size_t)index >= rows.size())
        return false;
    wcscpy(entry, rows[(size_t)index].c_str());
    return true;
}

/* The row the chooser opens on, by the first line and the tail. */
static void test_preselected_row(void)
{
    const std::vector<std::wstring> rows = {L"C:\\Apps\\Archive.exe", L"notepad", L"Notepad++",
                                            L"ed -r"};
    static const struct {
        const char *what;
        const wchar_t *first;
        bool cut;
        const wchar_t *tail;
        int row;
    } cases[] = {
        {"the default", L"notepad", false, L"", 1},
        {"the default, case-blind", L"NOTEPAD+", false, L"", 2},
        {"the rule the tail meets", L"notepad | .txt = ed", false, L"C:\\d\\a.txt", 3},
        {"a rule the tail does not meet", L"notepad | .txt = ed", false, L"C:\\d\\a.doc", 1},
        {"a rule's text that begins no row: the default", L"notepad | .txt = vi", false, L"a.txt",
         1},
        {"an empty default: the first row", L"| .txt = ed", false, L"a.doc", 0},
        {"a default that begins no row: none", L"wordpad", false, L"", -1},
        /* The read cut the line short: neither its rule's text (C:\Apps\Ar
           begins another program's row) nor what comes before a '|'. */
        {"a cut first line", L"notepad | .txt = C:\\Apps\\Ar", true, L"a.txt", -1},
        {"the same line whole", L"notepad | .txt = C:\\Apps\\Ar", false, L"a.txt", 0},
    };
    for (const auto &c : cases) {
        int row = PreselectedRow(c.first, c.cut, c.tail, TAIL_VERBATIM, EntryAt,
                                 const_cast<std::vector<std::wstring> *>(&rows));
        ok(row == c.row, "%s: row %d", c.what, row);
    }
    const std::vector<std::wstring> none;
    ok(PreselectedRow(L"", false, L"", TAIL_VERBATIM, EntryAt,
                      const_cast<std::vector<std::wstring> *>(&none)) == -1,
       "an empty list: a row");
}

static void test_rule_for_tail(void)
{
    const wchar_t *line = L"notepad | .jpg .PNG = \"C:\\Program Files\\Viewer | .pdf = sumatra "
                          L"| https: mailto: = firefox | .txt .md = ed";
    static const struct {
        const wchar_t *tail, *text; /* NULL: no rule */
    } rows[] = {
        {L"C:\\a.jpg", L"\"C:\\Program Files\\Viewer"},
        {L"C:\\My Docs\\A.JPG  ", L"\"C:\\Program Files\\Viewer"},
        {L"\"C:\\My Docs\\a.png\"", L"\"C:\\Program Files\\Viewer"},
        {L"\"C:\\a b.jpg\" \"C:\\c.png\"", L"\"C:\\Program Files\\Viewer"},
        {L"C:\\P\\a.jpg C:\\P\\b.png", L"\"C:\\Program Files\\Viewer"},
        {L"C:\\P\\a.jpg C:\\P\\c.pdf", NULL}, /* mixed types */
        {L"\"C:\\a.jpg\" \"C:\\b.txt\"", NULL},
        {L"C:\\b.pdf", L"sumatra"},
        {L"https://example.com/a.pdf", L"firefox"}, /* a link is its scheme */
        {L"MAILTO:someone@example.com", L"firefox"},
        {L"ftp://example.com", NULL},
        {L"C:\\readme", NULL},
        {L"C:\\x.jpg\\readme", NULL},
        {L"C:\\notes.", NULL},
        {L"", NULL},
        {L"   ", NULL},
        {L"\"\"", NULL},
        {L"C:\\notes.MD", L"ed"},
    };
    for (const auto &row : rows) {
        wchar_t text[64] = L"untouched";
        bool got = Rule(line, row.tail, text);
        ok(got == (row.text != NULL) && (!got || wcscmp(text, row.text) == 0), "[%s]: %d [%s]",
           Shown(row.tail).c_str(), got, got ? Shown(text).c_str() : "");
    }
}

/* Lines of their own: which rule wins, lines without rules, and documents
   longer than any command the chooser starts, which meet none. */
static void test_rule_lines(void)
{
    const std::wstring longName = std::wstring(300, L'x');
    const std::wstring longDoc = L"\"C:\\" + longName + L".txt\" \"C:\\y.txt\"";
    /* Cut short, the link would still begin with its scheme. */
    const std::wstring longLink = L"\"https://example.com/" + longName + L"\" \"C:\\y.txt\"";
    const struct {
        const wchar_t *line, *tail, *text; /* NULL: no rule */
    } rows[] = {
        {L"d | .txt = a | .txt .md = b", L"x.txt", L"a"}, /* the first that applies */
        {L"notepad", L"x.txt", NULL},
        {L"notepad | .txt = ed | junk", L"x.txt", NULL},
        {L"d | .txt = ed", longDoc.c_str(), NULL},
        {L"d | https: .txt = b", longLink.c_str(), NULL},
        {L"d | https: .txt = b", L"\"https://example.com/a\" \"C:\\y.txt\"", L"b"},
    };
    for (const auto &row : rows) {
        wchar_t text[64] = L"untouched";
        bool got = Rule(row.line, row.tail, text);
        ok(got == (row.text != NULL) && (!got || wcscmp(text, row.text) == 0),
           "[%s] [%.40s]: %d [%s]", Shown(row.line).c_str(), Shown(row.tail).c_str(), got,
           got ? Shown(text).c_str() : "");
    }
}

/* A rule written for a type into the first line: the default and the
   other rules as they stand, the type taken out of a rule that had it. */
static void test_line_with_rule(void)
{
    const std::wstring longLine = L"notepad | .txt = " + std::wstring(230, L'e');
    static const struct {
        std::wstring line, type, text;
        bool cut;
        std::wstring out; /* empty: refused */
    } rows[] = {
        {L"notepad", L".pdf", L"C:\\Apps\\reader.exe", false,
         L"notepad | .pdf = C:\\Apps\\reader.exe"},
        {L"", L".pdf", L"reader", false, L"| .pdf = reader"},
        {L"notepad | .jpg = viewer", L".pdf", L"reader", false,
         L"notepad | .jpg = viewer | .pdf = reader"},
        {L"  notepad\t| .txt=ed|https: = ff", L".pdf", L"reader", false,
         L"  notepad\t| .txt=ed|https: = ff | .pdf = reader"},
        {L"notepad | .jpg .PDF .png = viewer | .txt = ed", L".pdf", L"reader", false,
         L"notepad | .jpg .png = viewer | .txt = ed | .pdf = reader"},
        {L"notepad | .pdf = old | .txt = ed", L".pdf", L"reader", false,
         L"notepad | .txt = ed | .pdf = reader"},
        {L"notepad | https: = ff", L"https:", L"\"C:\\Apps\\browser.exe\" --new", false,
         L"notepad | https: = \"C:\\Apps\\browser.exe\" --new"},
        {L"notepad", L".pdf", L"a | b", false, L""}, /* a text no rule keeps whole */
        {L"notepad", L".pdf", L" reader", false, L""},
        {L"C:\\a|b", L".pdf", L"reader", false, L""}, /* a bar that is no rule's */
        {L"notepad", L".pdf", L"reader", true, L""},  /* the read cut it */
        {longLine, L".pdf", L"reader", false, L""},   /* past the line's size */
    };
    for (const auto &row : rows) {
        wchar_t out[PATH_SIZE];
        bool got = LineWithRule(row.line.c_str(), row.cut, row.type.c_str(), row.text.c_str(), out,
                                PATH_SIZE);
        const std::wstring &want = row.out;
        ok(got == !want.empty() && (!got || out == want), "[%s] + %s: %d [%s]",
           Shown(row.line).c_str(), Shown(row.type).c_str(), got, got ? Shown(out).c_str() : "");
        if (!got)
            continue;
        /* It reads back: the same default, and the rule for the type. */
        wchar_t before[PATH_SIZE], after[PATH_SIZE], text[PATH_SIZE];
        FirstLineDefault(row.line.c_str(), before, PATH_SIZE);
        FirstLineDefault(out, after, PATH_SIZE);
        std::wstring doc = row.type == L"https:" ? L"https://example.com/" : L"C:\\a" + row.type;
        ok(wcscmp(before, after) == 0 &&
               RuleForTail(out, doc.c_str(), TAIL_VERBATIM, text, PATH_SIZE) && text == row.text,
           "[%s]: default [%s], rule [%s]", Shown(out).c_str(), Shown(after).c_str(),
           Shown(text).c_str());
    }
}

static bool NoFolder(const wchar_t *)
{
    return false;
}

static bool IsFolder(const wchar_t *path)
{
    return wcscmp(path, L"C:\\Users\\me\\site.com") == 0;
}

/* The one type of a tail's documents, as a rule names it. */
static void test_tail_type(void)
{
    static const struct {
        const wchar_t *tail;
        TailForm form;
        const wchar_t *type; /* NULL: none */
    } rows[] = {
        {L"C:\\Docs\\report.PDF", TAIL_VERBATIM, L".pdf"},
        {L"C:\\My Docs\\a b.txt", TAIL_VERBATIM, L".txt"},
        {L"\"C:\\a.txt\" \"C:\\b.TXT\"", TAIL_ARGUMENTS, L".txt"},
        {L"\"C:\\a.txt\" \"C:\\b.pdf\"", TAIL_ARGUMENTS, NULL},
        {L"https://example.com/a.pdf", TAIL_VERBATIM, L"https:"},
        {L"", TAIL_VERBATIM, NULL},
        {L"C:\\Docs\\README", TAIL_VERBATIM, NULL},
        {L"C:\\Users\\me\\site.com", TAIL_VERBATIM, NULL}, /* a folder */
        {L"C:\\Docs.d\\README", TAIL_VERBATIM, NULL},
        {L"C:\\x.my ext", TAIL_VERBATIM, NULL}, /* no rule names it */
    };
    for (const auto &row : rows) {
        wchar_t type[16];
        bool got = TailType(row.tail, row.form, IsFolder, type, 16);
        ok(got == (row.type != NULL) && (!got || wcscmp(type, row.type) == 0), "[%s]: %d [%s]",
           Shown(row.tail).c_str(), got, got ? Shown(type).c_str() : "");
    }
    wchar_t type[16];
    ok(!TailType(L"C:\\a.txt", TAIL_VERBATIM, NoFolder, type, 4), "a type past its buffer");
}

int main()
{
    setlocale(LC_CTYPE, "C.UTF-8");
    test_line_with_rule();
    test_tail_type();
    test_default();
    test_rule_for_tail();
    test_preselected_row();
    test_rule_lines();
    return TestSummary("rules");
}
