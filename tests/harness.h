/*
 * The one assertion of every test program, native or Win32:
 * ok(condition, format, ...) prints file:line and the message when the
 * condition is false; TestSummary() reports and gives the exit code.
 */
#ifndef RUNVO_TEST_HARNESS_H
#define RUNVO_TEST_HARNESS_H

#include <stdarg.h>
#include <stdio.h>
#include <string>

inline int g_testChecks, g_testFailures;

#define ok(cond, ...) OkAt(__FILE__, __LINE__, (cond), __VA_ARGS__)

inline bool OkAt(const char *file, int line, bool cond, const char *fmt, ...)
{
    g_testChecks++;
    if (cond)
        return true;
    g_testFailures++;
    fprintf(stdout, "%s:%d: Test failed: ", file, line);
    va_list ap;
    va_start(ap, fmt);
    vfprintf(stdout, fmt, ap);
    va_end(ap);
    fputc('\n', stdout);
    fflush(stdout);
    return false;
}

inline int TestSummary(const char *name)
{
    printf("%s: %d checks, %d failures\n", name, g_testChecks, g_testFailures);
    return g_testFailures ? 1 : 0;
}

/* A string literal as bytes, NULs and all. */
#define B(lit) std::string(lit, sizeof lit - 1)

/* Bytes made printable for messages: \xNN for anything outside 32..126. */
inline std::string Shown(const std::string &s)
{
    std::string out;
    char hex[8];
    for (unsigned char c : s) {
        if (c >= 32 && c < 127) {
            out += (char)c;
        } else {
            snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out;
}

/* UTF-16 (or wide) text made printable the same way: \u{N} for any unit
   outside 32..126. */
inline std::string Shown(const std::wstring &s)
{
    std::string out;
    char hex[16];
    for (wchar_t c : s) {
        if (c >= 32 && c < 127) {
            out += (char)c;
        } else {
            snprintf(hex, sizeof hex, "\\u{%x}", (unsigned)c);
            out += hex;
        }
    }
    return out;
}

#endif /* RUNVO_TEST_HARNESS_H */
