/*
 * Arguments as programs read them, unit by unit: a command line read back,
 * a character's bytes in an ANSI code page,
 * and the host's stand-in for the ANSI code pages' best fit.
 */
#include "launch/arguments.h"
#include "launch/text.h"
#include "platform/platform.h"
#include "tests/bestfit_dict.h"
#include "tests/harness.h"
#include "tests/interpreter_model.h"

#include <string.h>
#include <wchar.h>

#include <set>
#include <string>

/* A command line read back by the platform's rules. */
static void test_arguments(void)
{
    static const struct {
        const wchar_t *line;
        Arguments argv;
    } rows[] = {
        {L"a b\tc ", {L"a", L"b", L"c"}},
        {L"\"C:\\My Docs\\a.txt\" \"\"", {L"C:\\My Docs\\a.txt", L""}},
        {L"a\\b \"c\\\\\" \\\\\\\"d", {L"a\\b", L"c\\", L"\\\"d"}},
        {L"\"a\"\"b\" x\"y z\"w", {L"a\"b", L"xy zw"}},
        {L"  ", {}},
    };
    for (const auto &row : rows)
        ok(ProgramArguments(row.line) == row.argv, "[%s]", Shown(row.line).c_str());
}

/* Shift-JIS's lead bytes, for the ANSI reading in code page 932. */
static bool IsLead932(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

static bool NoLead(unsigned char)
{
    return false;
}

/* A character's bytes in an ANSI code page read as it does in UTF-16,
   unless a byte of its own is a quote, a backslash, a blank or a control
   character; the trail byte of a double-byte character is none of them. */
static void test_ansi_bytes(void)
{
    static const struct {
        const char *what, *bytes;
        bool lead932, alike;
    } rows[] = {
        {"U+8868 in 932, its trail 0x5C", "\x95\x5c", true, true},
        {"U+30BD in 932, its trail 0x5C", "\x83\x5c", true, true},
        {"U+3000 in 932, a double-byte space", "\x81\x40", true, true},
        {"U+00A5 in 932: a backslash", "\x5c", true, false},
        {"U+3000 in 1252: a blank", " ", false, false},
        {"U+2190 in 874: a control character", "\x1b", false, false},
        {"U+FF02 in 1252: a quote", "\"", false, false},
        {"U+00E9 in 1252", "\xe9", false, true},
        {"a lone lead byte at the end", "\x95", true, true},
        {"a trail byte read alone", "\x5c\x95", true, false},
    };
    for (const auto &row : rows) {
        const unsigned char *b = reinterpret_cast<const unsigned char *>(row.bytes);
        bool alike = AnsiBytesReadAlike(b, strlen(row.bytes), row.lead932 ? IsLead932 : NoLead);
        ok(alike == row.alike, "%s: %d", row.what, alike);
    }
}

/* The host stands in for the ANSI code pages with the characters that the
   command fuzzer's dictionary names: each of them, and none other, makes a
   name unsafe. */
static void test_best_fit_stand_in(void)
{
    std::set<unsigned> named = BestFitNamed(RUNVO_SOURCE_DIR "/fuzz/command.dict", true);
    ok(named.size() > 20, "the dictionary names %lu characters", (unsigned long)named.size());
    size_t refused = 0;
    for (unsigned c = 1; c <= 0xFFFF; c++) {
        wchar_t name[] = {L'a', (wchar_t)c, L'b', L'\0'};
        bool keeps = AnsiKeepsArguments(name);
        refused += !keeps;
        if (keeps == (named.count(c) == 1))
            ok(false, "U+%04X: kept %d", c, keeps);
    }
    ok(refused == named.size(), "%lu refused", (unsigned long)refused);
}

int main()
{
    test_arguments();
    test_ansi_bytes();
    test_best_fit_stand_in();
    return TestSummary("arguments");
}
