/*
 * Fuzzing the list writer against the model of the line rules: for any
 * list bytes and any change (an entry added, a row's line removed, a rule
 * written into the first line), the new bytes must read, by the model, as
 * the old lines with exactly that change, and keep every other line's
 * bytes: the old bytes before and after the changed line are the new
 * bytes' beginning and end. A change may be refused only where the rules
 * say so. The input's first three bytes choose the change, its row and its
 * text; the rest is the list.
 */
#include "fuzz/listfile_model.h"
#include "launch/listwrite.h"
#include "launch/rules.h"
#include "launch/sizes.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

#include <string>

/* Entries as users add them: plain, quoted with blanks, an accent (a byte
   of its own in the code page), two characters whose code page bytes also
   read as UTF-8 of another, beyond the code page, beyond the plane, the
   most one read takes with its line feed and one more, empty. */
static const std::wstring s_texts[] = {
    L"notepad",
    L"\"C:\\Program Files\\App\\app.exe\" -x",
    L"C:\\Caf\xe9\\app.exe",
    L"C:\\\xc3\xa9.exe",
    L"C:\\\x65e5\x672c\\app.exe",
    L"C:\\\xd83d\xde00.exe",
    std::wstring(258, L'y'),
    std::wstring(256, L'y') + L"\xd83d\xde00",
    std::wstring(259, L'y'),
    L"",
};
static const wchar_t *const s_types[] = {L".pdf", L"https:", L".txt"};

static bool Fail(const char *what)
{
    fprintf(stderr, "list writer: %s\n", what);
    abort();
}

/* The model's reads from first to end, as texts. */
static std::vector<std::wstring> Reads(const ModelLines &m, size_t first, size_t end)
{
    std::vector<std::wstring> r;
    for (size_t i = first; i < end; i++)
        r.push_back(std::wstring(m.line(i)));
    return r;
}

/* The reads of the line of read: [*first, *end). */
static void LineOfRead(const ModelLines &m, size_t read, size_t *first, size_t *end)
{
    *first = read;
    while (*first > 0 && !m.ended[*first - 1])
        --*first;
    *end = read;
    while (*end < m.count() && !m.ended[*end])
        ++*end;
    *end = *end < m.count() ? *end + 1 : *end;
}

/* How many bytes old and now share at their beginning and at their end. */
static void Shared(const std::string &old, const std::string &now, size_t *head, size_t *tail)
{
    size_t most = old.size() < now.size() ? old.size() : now.size();
    for (*head = 0; *head < most && old[*head] == now[*head]; ++*head) {
    }
    for (*tail = 0;
         *tail < most - *head && old[old.size() - 1 - *tail] == now[now.size() - 1 - *tail];
         ++*tail) {
    }
}

/* What the change must make of the old reads; false where it must be
   refused. */
static bool Expected(const ModelLines &m, const ListChange &c, std::vector<std::wstring> *want)
{
    size_t n = m.count(), first, end;
    switch (c.edit) {
    case EDIT_ADD:
        *want = Reads(m, 0, n);
        want->push_back(c.text);
        if (n == 0)
            want->push_back(c.text);
        return true;
    case EDIT_REMOVE:
        if ((size_t)c.row + 1 >= n)
            return false;
        LineOfRead(m, (size_t)c.row + 1, &first, &end);
        if (first == 0)
            return false;
        *want = Reads(m, 0, first);
        for (const std::wstring &r : Reads(m, end, n))
            want->push_back(r);
        return true;
    case EDIT_FIRST_LINE:
        if (n == 0 || (n > 1 && !m.ended[0])) /* none, or cut by the read */
            return false;
        *want = Reads(m, 0, n);
        (*want)[0] = c.text;
        return true;
    }
    return false;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    static ModelLines old, now;
    const std::string bytes(reinterpret_cast<const char *>(data) + 3, size - 3);
    ReadModelLines(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size(), &old);
    const std::wstring &text = s_texts[data[2] % (sizeof s_texts / sizeof s_texts[0])];
    ListChange change = {static_cast<ListEdit>(data[0] % 3), data[1], text.c_str()};
    wchar_t line[COMMAND_SIZE];
    if (change.edit == EDIT_FIRST_LINE) {
        /* Always: the rule written into the first line as read. */
        std::wstring first = old.count() ? std::wstring(old.line(0)) : L"";
        bool cut = old.count() > 1 && !old.ended[0];
        const wchar_t *type = s_types[data[2] % 3];
        if (!LineWithRule(first.c_str(), cut, type, text.c_str(), line, COMMAND_SIZE))
            return 0;
        change.text = line;
    }
    ListBytes out;
    ListWriteResult r =
        ChangeList(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size(), &change, &out);
    std::vector<std::wstring> want;
    bool possible = Expected(old, change, &want);
    /* A read takes 259 units, its line feed among them. */
    bool fits = wcslen(change.text) <= 258;
    /* A last line without its line feed that fills a read: its line end
       would be a read of its own, an empty row. */
    bool lastFull = change.edit == EDIT_ADD && old.count() > 0 && !old.ended.back();
    if (r != LIST_CHANGED) {
        if (possible && fits && !(lastFull && r == LIST_READS_OTHERWISE))
            Fail("a change refused that the rules allow");
        return 0;
    }
    if (!possible)
        Fail("a change made that the rules refuse");
    const std::string written(reinterpret_cast<const char *>(out.bytes), out.n);
    free(out.bytes);
    ReadModelLines(reinterpret_cast<const uint8_t *>(written.data()), written.size(), &now);
    if (Reads(now, 0, now.count()) != want)
        Fail("the new bytes do not read as the old with the change");
    /* Every other line's bytes kept: what differs lies in one stretch. */
    size_t head, tail;
    Shared(bytes, written, &head, &tail);
    if (change.edit == EDIT_REMOVE && written.size() != head + tail)
        Fail("a removal changed bytes beyond the line it took");
    if (change.edit == EDIT_ADD && bytes.size() != head + tail)
        Fail("an addition changed bytes of the old lines");
    return 0;
}
