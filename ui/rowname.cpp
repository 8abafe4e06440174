/*
 * The chooser's row names and keys, portable, so that each rule is a unit
 * row.
 */
#include "ui/rowname.h"

#include "launch/entry.h"
#include "launch/paths.h"
#include "launch/sizes.h"
#include "launch/text.h"
#include "platform/platform.h"

#include <wchar.h>

void FileShownName(const wchar_t *file, wchar_t *name, size_t size)
{
    const wchar_t *base = FileNameOf(file);
    const wchar_t *dot = ExtensionOf(base);
    size_t n = dot && dot > base ? (size_t)(dot - base) : wcslen(base);
    TextBuf t;
    Put(OutStart(&t, name, size), base, n < size ? n : size - 1);
}

void EntryShownName(const wchar_t *entry, wchar_t *name, size_t size)
{
    wchar_t program[PATH_SIZE], expanded[PATH_SIZE];
    const wchar_t *args;
    TextBuf t;
    if (!SplitEntry(entry, program, PATH_SIZE, &args))
        PutText(OutStart(&t, program, PATH_SIZE), entry + (*entry == L'"'));
    ExpandEntry(OutStart(&t, expanded, PATH_SIZE), program, GetVariable, NULL, NULL);
    FileShownName(t.truncated ? program : expanded, name, size);
}

const wchar_t *EntryShownArguments(const wchar_t *entry)
{
    wchar_t program[PATH_SIZE];
    const wchar_t *args;
    return SplitEntry(entry, program, PATH_SIZE, &args) ? SkipBlanks(args) : L"";
}

bool RowDigit(int row, wchar_t *digit)
{
    digit[0] = (wchar_t)(L'1' + row);
    digit[1] = L'\0';
    return row >= 0 && row < DIGIT_ROWS;
}

int DigitRow(wchar_t key, int rows)
{
    int row = key - L'1';
    return IsDigitKey(key) && row < rows ? row : -1;
}

void StartRowSearch(RowSearch *s, wchar_t key, int current, int rows)
{
    int next = current + 1;
    *s = RowSearch{key, next >= 0 && next < rows ? next : 0, rows, rows};
}

int StepRowSearch(RowSearch *s, const wchar_t *name)
{
    if (s->left <= 0)
        return ROW_SEARCH_ON;
    if (name[0] && UpperCase(name[0]) == UpperCase(s->key)) {
        s->left = 0;
        return s->next;
    }
    s->left--;
    s->next = (s->next + 1) % s->rows;
    return ROW_SEARCH_ON;
}

/* Puts a part after the ones before it, parted by a comma. */
static void PutPart(TextBuf *t, const wchar_t *part)
{
    if (!part[0])
        return;
    if (t->len)
        PutText(t, L", ");
    PutText(t, part);
}

void PutSpokenRowName(TextBuf *t, int row, const wchar_t *name, const wchar_t *args, bool missing)
{
    wchar_t digit[2], notFound[ROW_NAME_SIZE];
    TextBuf words;
    if (RowDigit(row, digit))
        PutPart(t, digit);
    PutPart(t, name);
    if (missing)
        PutOwnText(OutStart(&words, notFound, ROW_NAME_SIZE), IDS_NOT_FOUND);
    PutPart(t, missing ? notFound : args);
}
