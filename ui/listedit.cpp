/*
 * The chooser's changes to the list file, and what it tells of them: a
 * change read again and written whole (launch/listwrite.h), a row's line
 * removed after a question, and Always's rule.
 */
#include "ui/listedit.h"

#include "launch/listfile.h"
#include "launch/rules.h"
#include "ui/rows.h"

#include <stdlib.h>
#include <wchar.h>

void TellOfList(const Chooser *c, StringId text, const WCHAR *const *more, size_t n, bool starting)
{
    /* Too big for a frame of the 32-bit build's stack, with the rest. */
    static WCHAR s_note[MESSAGE_SIZE];
    WCHAR path[PATH_SIZE];
    const WCHAR *inserts[4] = {ListFilePath(path) ? path : L""};
    for (size_t i = 0; i < n && i < 3; i++)
        inserts[i + 1] = more[i];
    TextBuf t;
    PutOwnText(OutStart(&t, s_note, MESSAGE_SIZE), text, inserts, n + 1);
    if (starting) {
        PutText(&t, L"\n\n");
        PutOwnText(&t, IDS_STARTS_ANYWAY);
    }
    MessageBoxW(c->dlg, s_note, L"Runvo", MB_OK | MB_ICONWARNING);
}

/* The list's bytes as they are, checked against what the chooser showed;
   false, told, where they cannot be had or the list changed meanwhile
   (shown anew then). */
static bool ReadListAsShown(Chooser *c, const WCHAR *path, ListBytes *bytes, bool starting)
{
    WCHAR words[SYSTEM_WORDS_SIZE];
    const WCHAR *said[] = {words};
    if (!SameStamp(FileStampOf(path), c->listStamp)) {
        ShowListAgain(c, -1);
        TellOfList(c, IDS_LIST_CHANGED, NULL, 0, starting);
        return false;
    }
    DWORD error = ReadWholeFile(path, bytes);
    if (error == ERROR_FILE_NOT_FOUND) /* no list yet: one is made */
        error = ERROR_SUCCESS;
    if (!error)
        return true;
    ErrorWords(error, path, words, SYSTEM_WORDS_SIZE);
    TellOfList(c, IDS_LIST_NOT_WRITTEN, said, 1, starting);
    return false;
}

bool ChangeListFile(Chooser *c, const ListChange *change, int row, bool starting)
{
    static const unsigned char s_none[1] = {0};
    WCHAR path[PATH_SIZE], words[SYSTEM_WORDS_SIZE];
    const WCHAR *said[] = {words};
    ListBytes old = {NULL, 0}, now = {NULL, 0};
    if (!ListFilePath(path) || !ReadListAsShown(c, path, &old, starting))
        return false;
    DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        free(old.bytes);
        TellOfList(c, IDS_LIST_READ_ONLY, NULL, 0, starting);
        return false;
    }
    ListWriteResult result = ChangeList(old.bytes ? old.bytes : s_none, old.n, change, &now);
    DWORD error = result == LIST_CHANGED ? ReplaceWholeFile(path, now.bytes, now.n) : 0;
    free(old.bytes);
    free(now.bytes);
    if (error) {
        ErrorWords(error, path, words, SYSTEM_WORDS_SIZE);
        TellOfList(c, IDS_LIST_NOT_WRITTEN, said, 1, starting);
        return false;
    }
    if (result != LIST_CHANGED) {
        TellOfList(c, result == LIST_NO_SUCH_ROW ? IDS_LIST_CHANGED : IDS_LIST_READS_OTHERWISE,
                   NULL, 0, starting);
        return false;
    }
    ShowListAgain(c, row);
    return true;
}

void RemoveRow(Chooser *c, int row)
{
    WCHAR path[PATH_SIZE], name[ROW_NAME_SIZE], rows[16], question[MESSAGE_SIZE];
    ListBytes bytes = {NULL, 0};
    if (row < 0 || !ListFilePath(path) || !ReadListAsShown(c, path, &bytes, false))
        return;
    int pieces = RowsOfLine(bytes.bytes, bytes.n, row);
    free(bytes.bytes);
    ShownRowName(c->list, row, name, ROW_NAME_SIZE);
    if (pieces == 0) { /* a row of the first line's, which holds the default */
        TellOfList(c, IDS_REMOVE_FIRST_LINE);
        return;
    }
    FormatText(rows, 16, L"%d", pieces);
    const WCHAR *inserts[] = {name, rows};
    TextBuf t;
    PutOwnText(OutStart(&t, question, MESSAGE_SIZE),
               pieces > 1 ? IDS_REMOVE_QUESTION_PIECES : IDS_REMOVE_QUESTION, inserts, 2);
    if (MessageBoxW(c->dlg, question, L"Runvo", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
        IDYES)
        return;
    const ListChange change = {EDIT_REMOVE, row, NULL};
    ChangeListFile(c, &change, row); /* the next row takes its place */
}

/* Whether a document names a folder: not asked where looking may wait (a
   network, a disc): such a name is taken as a document's. */
static bool IsFolder(const WCHAR *path)
{
    DWORD attributes = FileMayWait(path) ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool AlwaysType(const Chooser *c, WCHAR *type, size_t size)
{
    return TailType(c->tail->text, c->tail->form, IsFolder, type, size);
}

void WriteAlways(Chooser *c, int row)
{
    WCHAR type[ROW_NAME_SIZE], entry[PATH_SIZE], first[PATH_SIZE], line[PATH_SIZE];
    WCHAR name[ROW_NAME_SIZE], earlier[ROW_NAME_SIZE];
    bool cut;
    if (!AlwaysType(c, type, ROW_NAME_SIZE) || !RowEntry(c->list, row, entry))
        return;
    ShownRowName(c->list, row, name, ROW_NAME_SIZE);
    /* The rule's text is the row's entry: no other text chooses the row
       where an earlier row begins with it. */
    int chosen = RowBeginningWith(entry, ListEntryAt, c->list);
    if (chosen != row) {
        ShownRowName(c->list, chosen, earlier, ROW_NAME_SIZE);
        const WCHAR *inserts[] = {name, type, earlier};
        TellOfList(c, IDS_ALWAYS_NO_TEXT, inserts, 3, true);
        return;
    }
    const WCHAR *inserts[] = {name, type};
    if (!ReadListLine(0, first, &cut) || !LineWithRule(first, cut, type, entry, line, PATH_SIZE) ||
        wcslen(line) > LIST_LINE_UNITS) {
        TellOfList(c, IDS_ALWAYS_LINE_FULL, inserts, 2, true);
        return;
    }
    const ListChange change = {EDIT_FIRST_LINE, 0, line};
    ChangeListFile(c, &change, row, true);
}
