/*
 * The command interpreter's three readings of what reaches a batch file,
 * written from its documented parsing: the /c line that starts it, the line
 * in the batch file that passes %* on, and the one that passes "%~1" on.
 * Each gives the arguments that the program the batch file starts gets, read
 * by the platform's rules (NextArgument), or nothing when a character would
 * act as the interpreter's own (& | < > outside quotes) and so run something
 * else.
 */
#ifndef RUNVO_INTERPRETER_MODEL_H
#define RUNVO_INTERPRETER_MODEL_H

#include "launch/arguments.h"

#include <optional>
#include <string>
#include <vector>

typedef std::vector<std::wstring> Arguments;

/* What a command line runs, or nothing: %NAME% is taken to be set, its
   value in brackets (%cd:~,% is an empty part of one; of %%, the first %
   stays); then ^ outside quotes escapes the next unit. */
inline std::optional<std::wstring> RunsAtPrompt(const std::wstring &s, bool expand)
{
    std::wstring line, out;
    for (size_t i = 0; i < s.size(); i++) {
        size_t close = expand && s[i] == L'%' ? s.find(L'%', i + 1) : std::wstring::npos;
        if (close == std::wstring::npos || close == i + 1) {
            line += s[i];
            continue;
        }
        std::wstring name = s.substr(i + 1, close - i - 1);
        line += name == L"cd:~," ? L"" : L"[" + name + L"]";
        i = close;
    }
    bool quoted = false;
    for (size_t i = 0; i < line.size(); i++) {
        quoted = quoted != (line[i] == L'"');
        if (!quoted && wcschr(L"&|<>", line[i]))
            return std::nullopt;
        i += !quoted && line[i] == L'^' && i + 1 < line.size();
        out += line[i];
    }
    return out;
}

inline Arguments ProgramArguments(const std::wstring &line)
{
    Arguments argv;
    std::vector<wchar_t> buf(line.size() + 1);
    TextBuf arg;
    for (const wchar_t *p = line.c_str();
         (p = NextArgument(p, OutStart(&arg, &buf[0], buf.size())));)
        argv.push_back(&buf[0]);
    return argv;
}

/* The same line read by the older C runtime that msvcrt.dll still is, and
   that many programs use: two quotes inside quotes are a quote that ends
   them, where NextArgument (the C runtime of today) stays inside. */
inline Arguments OlderRuntimeArguments(const std::wstring &line)
{
    Arguments argv;
    size_t i = 0, n = line.size();
    for (;;) {
        while (i < n && (line[i] == L' ' || line[i] == L'\t'))
            i++;
        if (i == n)
            return argv;
        std::wstring arg;
        bool quoted = false;
        while (i < n && (quoted || (line[i] != L' ' && line[i] != L'\t'))) {
            size_t slashes = 0;
            while (i < n && line[i] == L'\\')
                slashes++, i++;
            if (i == n || line[i] != L'"') {
                arg.append(slashes, L'\\');
                if (!slashes)
                    arg += line[i++];
                continue;
            }
            arg.append(slashes / 2, L'\\');
            if (slashes % 2) {
                arg += L'"';
            } else if (quoted && i + 1 < n && line[i + 1] == L'"') {
                arg += L'"';
                i++;
                quoted = false;
            } else {
                quoted = !quoted;
            }
            i++;
        }
        argv.push_back(arg);
    }
}

/* The batch file's arguments as one text (%*), from the interpreter's
   command line, /s taking away its first and last quote; *batch: the file. */
inline std::optional<std::wstring> BatchArguments(const std::wstring &cmdline, std::wstring *batch)
{
    size_t c = cmdline.find(L" /s /c \"");
    std::optional<std::wstring> runs;
    if (c != std::wstring::npos && cmdline.back() == L'"')
        runs = RunsAtPrompt(cmdline.substr(c + 8, cmdline.size() - c - 9), true);
    size_t close = runs && (*runs)[0] == L'"' ? runs->find(L'"', 1) : std::wstring::npos;
    if (close == std::wstring::npos)
        return std::nullopt;
    *batch = runs->substr(1, close - 1);
    size_t first = runs->find_first_not_of(L" \t,;=", close + 1);
    return first == std::wstring::npos ? L"" : runs->substr(first);
}

/* The program's arguments when the batch file passes them on: all as %*,
   or each as "%~N" (its arguments part at blanks, tabs , ; = outside quotes,
   and ~ takes a quote away from each end). */
inline std::optional<Arguments> PassedOn(const std::wstring &all, bool each)
{
    std::vector<std::wstring> tokens{all};
    if (each) {
        tokens.assign(1, L"");
        bool quoted = false;
        for (wchar_t c : all) {
            bool part = !quoted && wcschr(L" \t,;=\x0b\x0c\xff", c);
            quoted = quoted != (c == L'"');
            if (!part)
                tokens.back() += c;
            else if (!tokens.back().empty())
                tokens.push_back(L"");
        }
    }
    Arguments got;
    for (std::wstring t : tokens) {
        if (each && t.empty())
            continue;
        if (each)
            t = L"\"" + t.substr(t[0] == L'"', t.size() - (t[0] == L'"') - (t.back() == L'"')) +
                L"\"";
        std::optional<std::wstring> runs = RunsAtPrompt(L"\"prog\" " + t, false);
        if (!runs)
            return std::nullopt;
        Arguments argv = ProgramArguments(*runs);
        got.insert(got.end(), argv.begin() + 1, argv.end());
    }
    return got;
}

#endif /* RUNVO_INTERPRETER_MODEL_H */
