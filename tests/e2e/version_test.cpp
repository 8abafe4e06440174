/*
 * The version information of runvo.exe, read back as Explorer's file
 * properties read it: the fixed numbers, the language, and the texts: the
 * project's version, its name and its maker.
 *   version_test runvo.exe
 */
#include <windows.h>

#include <string>
#include <vector>

#include "tests/harness.h"
#include "version.h"

static const WORD VERSION[] = {RUNVO_VERSION_NUMBERS};

/* A text of the version information, as UTF-8. */
static std::string Text(const std::vector<char> &info, const char *name)
{
    std::wstring key = L"\\StringFileInfo\\040904B0\\";
    for (const char *p = name; *p; p++)
        key += (wchar_t)*p;
    WCHAR *value = NULL;
    UINT len = 0;
    if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void **>(&value), &len) ||
        !value)
        return "(none)";
    char utf8[1024];
    int n = WideCharToMultiByte(CP_UTF8, 0, value, len > 0 ? (int)len - 1 : 0, utf8, sizeof utf8,
                                NULL, NULL);
    return std::string(utf8, n > 0 ? (size_t)n : 0);
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        printf("usage: %s runvo.exe\n", argv[0]);
        return 2;
    }
    DWORD size = GetFileVersionInfoSizeA(argv[1], NULL);
    std::vector<char> info(size);
    if (!ok(size > 0 && GetFileVersionInfoA(argv[1], 0, size, info.data()),
            "no version information in %s", argv[1]))
        return TestSummary("version");

    VS_FIXEDFILEINFO *fixed = NULL;
    UINT len = 0;
    VerQueryValueA(info.data(), "\\", reinterpret_cast<void **>(&fixed), &len);
    if (ok(fixed && len == sizeof *fixed && fixed->dwSignature == 0xFEEF04BD, "no fixed info")) {
        DWORD ms = MAKELONG(VERSION[1], VERSION[0]), ls = MAKELONG(VERSION[3], VERSION[2]);
        ok(fixed->dwFileVersionMS == ms && fixed->dwFileVersionLS == ls, "file version %lx.%lx",
           fixed->dwFileVersionMS, fixed->dwFileVersionLS);
        ok(fixed->dwProductVersionMS == ms && fixed->dwProductVersionLS == ls,
           "product version %lx.%lx", fixed->dwProductVersionMS, fixed->dwProductVersionLS);
        ok(fixed->dwFileType == VFT_APP && fixed->dwFileOS == VOS_NT_WINDOWS32, "type %lx, OS %lx",
           fixed->dwFileType, fixed->dwFileOS);
    }
    WORD *lang = NULL;
    VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void **>(&lang),
                   &len);
    ok(lang && len == 4 && lang[0] == 0x409 && lang[1] == 1200, "not en-US, Unicode");

    const struct {
        const char *name, *want;
    } texts[] = {
        {"FileDescription", "Runvo"},
        {"ProductName", "Runvo"},
        {"FileVersion", RUNVO_VERSION_TEXT},
        {"ProductVersion", RUNVO_VERSION_TEXT},
        {"OriginalFilename", "runvo.exe"},
        {"InternalName", "runvo"},
        /* The maker: Windows 10 leaves a program that names none out of
           Open with, as projects have reported. */
        {"CompanyName", "The Runvo developers"},
        {"LegalCopyright", "Copyright © 2026 the Runvo developers"},
        {"Comments", "Runvo passes a document to the program you choose from your own list."},
    };
    for (const auto &t : texts)
        ok(Text(info, t.name) == t.want, "%s: [%s]", t.name, Text(info, t.name).c_str());
    return TestSummary("version");
}
