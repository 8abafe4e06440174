/*
 * Reading the first line's rules, and the rule that the documents meet.
 */
#include "launch/rules.h"

#include "launch/arguments.h"
#include "launch/sizes.h"
#include "launch/tail.h"
#include "launch/text.h"
#include "platform/platform.h"

#include <wchar.h>

/* A stretch of the line, [begin, end). */
struct Span {
    const wchar_t *begin, *end;
};

static Span Trimmed(Span s)
{
    while (s.begin < s.end && IsBlank(*s.begin))
        s.begin++;
    while (s.end > s.begin && IsBlank(s.end[-1]))
        s.end--;
    return s;
}

/* The part of the line that begins at p and ends at its next '|' or at the
   line's end. */
static Span PartAt(const wchar_t *p)
{
    const wchar_t *bar = wcschr(p, L'|');
    return Span{p, bar ? bar : p + wcslen(p)};
}

/* .ext: a dot and the characters of a name's extension. */
static bool IsExtension(Span t)
{
    if (t.end - t.begin < 2 || t.begin[0] != L'.')
        return false;
    for (const wchar_t *p = t.begin + 1; p < t.end; p++)
        if (*p == L'.' || *p == L'\\' || *p == L'/' || *p == L':' || *p == L'=' || *p == L'"')
            return false;
    return true;
}

/* The length of the scheme that text begins with, its colon included (the
   characters of RFC 3986's schemes, two or more of them); 0 for none. */
static size_t SchemeLength(const wchar_t *text, const wchar_t *end)
{
    const wchar_t *p = text;
    if (p == end || !IsAsciiLetter(*p))
        return 0;
    while (p < end &&
           (IsAsciiLetter(*p) || IsAsciiDigit(*p) || *p == L'+' || *p == L'-' || *p == L'.'))
        p++;
    return p < end && *p == L':' && p - text >= 2 ? (size_t)(p - text) + 1 : 0;
}

static bool IsType(Span t)
{
    return IsExtension(t) || SchemeLength(t.begin, t.end) == (size_t)(t.end - t.begin);
}

/* The next of the blank-separated types at the start of *types, taken
   from it; false when none is left. */
static bool NextType(Span *types, Span *type)
{
    *types = Trimmed(*types);
    if (types->begin == types->end)
        return false;
    *type = Span{types->begin, types->begin};
    while (type->end < types->end && !IsBlank(*type->end))
        type->end++;
    types->begin = type->end;
    return true;
}

/* A rule: its types, and its text. False when the part does not read as
   one. */
static bool ReadRule(Span part, Span *types, Span *text)
{
    const wchar_t *eq = part.begin;
    while (eq < part.end && *eq != L'=')
        eq++;
    if (eq == part.end)
        return false;
    *types = Trimmed(Span{part.begin, eq});
    *text = Trimmed(Span{eq + 1, part.end});
    Span rest = *types, type;
    if (types->begin == types->end || text->begin == text->end)
        return false;
    while (NextType(&rest, &type))
        if (!IsType(type))
            return false;
    return true;
}

/* The parts after the line's first '|', in turn, from *p on: the next into
 *part; false when none is left. */
static bool NextPartAfterBar(const wchar_t **p, Span *part)
{
    if (!*p)
        return false;
    *part = PartAt(*p);
    *p = *part->end ? part->end + 1 : NULL;
    return true;
}

/* Whether the line carries rules: a '|', and every part after one reads as
   a rule. */
static bool CarriesRules(const wchar_t *line)
{
    const wchar_t *p = wcschr(line, L'|');
    Span part, types, text;
    if (!p++)
        return false;
    while (NextPartAfterBar(&p, &part))
        if (!ReadRule(part, &types, &text))
            return false;
    return true;
}

static void PutSpan(wchar_t *text, size_t size, Span s)
{
    size_t n = (size_t)(s.end - s.begin);
    TextBuf t;
    Put(OutStart(&t, text, size), s.begin, n < size ? n : size - 1);
}

void FirstLineDefault(const wchar_t *line, wchar_t *text, size_t size, bool cut)
{
    Span whole = {line, line + wcslen(line)};
    if (!cut && CarriesRules(line)) {
        whole.end = wcschr(line, L'|');
        while (whole.end > whole.begin && IsBlank(whole.end[-1]))
            whole.end--;
    }
    PutSpan(text, size, whole);
}

/* Whether a type as the text names it is the type (n characters), upper
   and lower case alike. */
static bool SameType(Span named, const wchar_t *type, size_t n)
{
    return (size_t)(named.end - named.begin) == n && SameCaseBlind(named.begin, type, n);
}

/* Whether the document has the type: a document that begins with a scheme
   has that scheme alone; any other, the extension of its last name. */
static bool HasType(Span doc, Span type)
{
    size_t typeLen = (size_t)(type.end - type.begin);
    size_t scheme = SchemeLength(doc.begin, doc.end);
    if (scheme)
        return SameType(Span{doc.begin, doc.begin + scheme}, type.begin, typeLen);
    Span ext = {ExtensionOf(doc.begin, doc.end), doc.end};
    return ext.begin && IsExtension(ext) && SameType(ext, type.begin, typeLen);
}

static bool HasOneOf(Span doc, Span types)
{
    Span type;
    while (NextType(&types, &type))
        if (HasType(doc, type))
            return true;
    return false;
}

/* Whether every document of the tail has one of the types, and there is
   one at least. A document longer than any command the chooser starts has
   none. */
static bool AllHaveOneOf(const wchar_t *tail, bool split, Span types)
{
    if (!split) {
        Span doc = Trimmed(Span{tail, tail + wcslen(tail)});
        return doc.begin < doc.end && HasOneOf(doc, types);
    }
    wchar_t document[COMMAND_SIZE];
    TextBuf doc;
    size_t count = 0;
    for (const wchar_t *p = tail; (p = NextArgument(p, OutStart(&doc, document, COMMAND_SIZE)));
         count++)
        if (doc.truncated || !HasOneOf(Span{document, document + doc.len}, types))
            return false;
    return count > 0;
}

bool RuleForTail(const wchar_t *line, const wchar_t *tail, TailForm form, wchar_t *text,
                 size_t size, bool cut)
{
    if (cut || !CarriesRules(line))
        return false;
    const wchar_t *p = wcschr(line, L'|') + 1;
    Span part, types, ruleText;
    while (NextPartAfterBar(&p, &part)) {
        ReadRule(part, &types, &ruleText);
        if (AllHaveOneOf(tail, form == TAIL_ARGUMENTS, types)) {
            PutSpan(text, size, ruleText);
            return true;
        }
    }
    return false;
}

/* A document's type as a rule names it, into type (size); false for none. */
static bool DocumentType(Span doc, wchar_t *type, size_t size)
{
    size_t scheme = SchemeLength(doc.begin, doc.end);
    Span t = {doc.begin, doc.begin + scheme};
    if (!scheme && !(t.begin = ExtensionOf(doc.begin, doc.end)))
        return false;
    if (!scheme)
        t.end = doc.end;
    if (!IsType(t) || (size_t)(t.end - t.begin) >= size)
        return false;
    for (const wchar_t *p = t.begin; p < t.end; p++)
        if (IsBlank(*p) || *p == L'|')
            return false;
    PutSpan(type, size, t);
    for (wchar_t *p = type; *p; p++)
        *p = *p >= L'A' && *p <= L'Z' ? (wchar_t)(*p - L'A' + L'a') : *p;
    return true;
}

/* Whether the document has a type, the one of the documents before it
   where there were any (type, size characters, "" before the first). */
static bool OfType(const wchar_t *document, bool (*isFolder)(const wchar_t *path), wchar_t *type,
                   size_t size)
{
    wchar_t one[COMMAND_SIZE];
    if (!document[0] || isFolder(document) ||
        !DocumentType(Span{document, document + wcslen(document)}, one, COMMAND_SIZE) ||
        (type[0] && wcscmp(one, type) != 0) || wcslen(one) >= size)
        return false;
    wcscpy(type, one);
    return true;
}

bool TailType(const wchar_t *tail, TailForm form, bool (*isFolder)(const wchar_t *path),
              wchar_t *type, size_t size)
{
    wchar_t document[COMMAND_SIZE];
    type[0] = L'\0';
    if (form != TAIL_ARGUMENTS) {
        /* One document, longer than any command the chooser starts: none. */
        Span whole = Trimmed(Span{tail, tail + wcslen(tail)});
        if ((size_t)(whole.end - whole.begin) >= COMMAND_SIZE)
            return false;
        PutSpan(document, COMMAND_SIZE, whole);
        return OfType(document, isFolder, type, size);
    }
    TextBuf doc;
    size_t count = 0;
    for (const wchar_t *p = tail; (p = NextArgument(p, OutStart(&doc, document, COMMAND_SIZE)));
         count++)
        if (doc.truncated || !OfType(document, isFolder, type, size))
            return false;
    return count > 0;
}

/* Whether the types name the type, case-blind. */
static bool NamesType(Span types, const wchar_t *type)
{
    Span one;
    size_t n = wcslen(type);
    while (NextType(&types, &one))
        if (SameType(one, type, n))
            return true;
    return false;
}

/* Puts a rule anew without the type: its other types and its text; nothing
   where no type is left. */
static void PutRuleWithout(TextBuf *t, Span types, Span text, const wchar_t *type)
{
    Span one;
    bool any = false;
    size_t n = wcslen(type), mark = t->len;
    PutText(t, L"| ");
    while (NextType(&types, &one)) {
        if (SameType(one, type, n))
            continue;
        Put(t, one.begin, (size_t)(one.end - one.begin));
        PutChar(t, L' ');
        any = true;
    }
    if (!any) { /* the rule goes */
        t->len = mark;
        t->buf[mark] = L'\0';
        return;
    }
    PutText(t, L"= ");
    Put(t, text.begin, (size_t)(text.end - text.begin));
    PutChar(t, L' ');
}

bool LineWithRule(const wchar_t *line, bool cut, const wchar_t *type, const wchar_t *text,
                  wchar_t *out, size_t size)
{
    size_t n = wcslen(text);
    const wchar_t *bar = wcschr(line, L'|');
    if (cut || !n || IsBlank(text[0]) || IsBlank(text[n - 1]) || wcschr(text, L'|') ||
        (bar && !CarriesRules(line)))
        return false;
    TextBuf t;
    /* The default as it stands, then each rule as it stands but one that
       names the type. */
    Put(OutStart(&t, out, size), line, bar ? (size_t)(bar - line) : wcslen(line));
    const wchar_t *p = bar ? bar + 1 : NULL;
    Span part, types, ruleText;
    while (NextPartAfterBar(&p, &part)) {
        ReadRule(part, &types, &ruleText);
        if (NamesType(types, type)) {
            PutRuleWithout(&t, types, ruleText, type);
        } else {
            PutChar(&t, L'|');
            Put(&t, part.begin, (size_t)(part.end - part.begin));
        }
    }
    if (t.len > 0 && !IsBlank(out[t.len - 1]))
        PutChar(&t, L' ');
    PutText(&t, L"| ");
    PutText(&t, type);
    PutText(&t, L" = ");
    PutText(&t, text);
    return !t.truncated;
}

int RowBeginningWith(const wchar_t *text, EntryAtFn entryAt, void *context)
{
    wchar_t entry[PATH_SIZE];
    size_t n = wcslen(text);
    for (int i = 0; entryAt(context, i, entry); i++)
        if (wcslen(entry) >= n && SameCaseBlind(entry, text, n))
            return i;
    return -1;
}

int PreselectedRow(const wchar_t *first, bool cut, const wchar_t *tail, TailForm form,
                   EntryAtFn entryAt, void *context)
{
    wchar_t text[COMMAND_SIZE];
    int row;
    if (RuleForTail(first, tail, form, text, COMMAND_SIZE, cut) &&
        (row = RowBeginningWith(text, entryAt, context)) >= 0)
        return row;
    FirstLineDefault(first, text, COMMAND_SIZE, cut);
    return RowBeginningWith(text, entryAt, context);
}
