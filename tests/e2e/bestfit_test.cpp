/*
 * The characters that the best fit of the common ANSI code pages makes a
 * blank, a control character, a quote, a backslash or a wildcard of, as the
 * platform's own tables have them (a ? that stands for a character a page
 * cannot hold at all is none), are those that the command fuzzer's dictionary
 * names (bestfit_U....), and with which the host's stand-in refuses a
 * document: the fuzzer then tries every one in a document's place.
 *   bestfit_test.exe command.dict
 */
#include "launch/arguments.h"
#include "tests/bestfit_dict.h"
#include "tests/harness.h"

#include <windows.h>

#include <set>
#include <string>

static UINT s_codePage;

static bool IsLead(unsigned char byte)
{
    return IsDBCSLeadByteEx(s_codePage, byte);
}

/* Each BMP character beyond ASCII whose best fit in one of the code pages
   reads otherwise than the character. */
static std::set<unsigned> PlatformSplits(void)
{
    static const UINT pages[] = {1250, 1251, 1252, 1253, 1254, 1255, 1256,
                                 1257, 1258, 874,  932,  936,  949,  950};
    std::set<unsigned> found;
    for (UINT page : pages) {
        s_codePage = page;
        for (unsigned c = 0x80; c <= 0xFFFF; c++) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            WCHAR w = (WCHAR)c;
            unsigned char bytes[8];
            BOOL unheld = FALSE; /* a ? for a character the page cannot hold at all */
            int n = WideCharToMultiByte(page, 0, &w, 1, reinterpret_cast<char *>(bytes),
                                        sizeof bytes, NULL, &unheld);
            if (n > 0 && !unheld && !AnsiBytesReadAlike(bytes, (size_t)n, IsLead))
                found.insert(c);
        }
    }
    return found;
}

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    std::set<unsigned> platform = PlatformSplits(), named = BestFitNamed(argv[1], false);
    ok(platform.size() > 20, "the platform's tables give %lu characters",
       (unsigned long)platform.size());
    for (unsigned c : platform)
        ok(named.count(c) == 1, "U+%04X is missing from %s", c, argv[1]);
    for (unsigned c : named)
        ok(platform.count(c) == 1, "U+%04X reads alike in every code page", c);
    return TestSummary("bestfit");
}
