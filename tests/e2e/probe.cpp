/*
 * The program that the launcher starts in the end-to-end tests. It appends
 * to the file named by RUNVO_PROBE_OUT what it received: the exact command
 * line in both of its forms (the UTF-16 one as UTF-8), the arguments as the C
 * runtime splits them and as a program that reads the ANSI line gets them, which file it was
 * started from, its working folder, when it ran, whether it could load the DLL that RUNVO_PROBE_DLL
 * names, and whether its search for programs leaves the current folder out. When RUNVO_PROBE_HOLD
 * names an event, it then waits for it before it ends, as a program that is slow to come up keeps
 * the launcher waiting.
 */
#include <windows.h>

#include <shellapi.h>

#include <stdio.h>
#include <stdlib.h>

static void PutUtf8(FILE *f, const char *key, const WCHAR *text)
{
    static char utf8[65536];
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
    fprintf(f, "%s %s\n", key, n > 0 ? utf8 : "");
}

int main(int argc, char **argv)
{
    const char *out = getenv("RUNVO_PROBE_OUT");
    if (!out)
        return 2;
    FILE *f = fopen(out, "ab");
    if (!f)
        return 3;
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    ULARGE_INTEGER t;
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    fprintf(f, "TIME %llu\nCMD %s\n", (unsigned long long)t.QuadPart, GetCommandLineA());
    PutUtf8(f, "WCMD", GetCommandLineW());
    WCHAR path[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, path, MAX_PATH);
    PutUtf8(f, "EXE", path);
    GetCurrentDirectoryW(MAX_PATH, path);
    PutUtf8(f, "CWD", path);
    for (int i = 1; i < argc; i++)
        fprintf(f, "ARG %s\n", argv[i]);
    /* What a program that reads the ANSI command line gets on Windows: Wine's
       C runtime splits the UTF-16 one, so the ANSI line is split here. */
    int ansiCount = 0;
    static WCHAR ansi[32768];
    MultiByteToWideChar(CP_ACP, 0, GetCommandLineA(), -1, ansi, 32768);
    WCHAR **ansiArgs = CommandLineToArgvW(ansi, &ansiCount);
    for (int i = 1; ansiArgs && i < ansiCount; i++)
        PutUtf8(f, "AARG", ansiArgs[i]);
    if (const char *dll = getenv("RUNVO_PROBE_DLL"))
        fprintf(f, "DLL %d\n", LoadLibraryA(dll) != NULL);
    fprintf(f, "NOCWD %d\n", getenv("NoDefaultCurrentDirectoryInExePath") != NULL);
    fprintf(f, "END\n");
    fclose(f);
    if (const char *hold = getenv("RUNVO_PROBE_HOLD")) {
        HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, hold);
        if (event)
            WaitForSingleObject(event, 30000);
    }
    return 0;
}
