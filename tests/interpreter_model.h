/*
 * The command interpreter's three readings of what reaches a batch file,
 * written from its documented parsing: the /c line that starts it, the line
 * in the batch file that passes %* on, and the one that passes "%~1" on.
 * Each gives the arguments the program started by the batch file gets, read
 * by the platform's rules (NextArgument), or nothing when a character would
 * act as the interpreter's own (& | < > outside quotes) and so run something
 * else.
 */
#ifndef RUNVO_INTERPRETER_MODEL_H
#define RUNVO_INTERPRETER_MODEL_H

#include "launch/command.h"

#include <wctype.h>

#include <optional>
#include <string>
#include <vector>

typedef std::vector<std::wstring> Arguments;

/* %NAME% on a command line: a variable that is set (here CD and PATH, and
   the empty part %cd:~,%) is expanded; otherwise the % stays, and the next
   % may begin a name. */
inline std::wstring ExpandAtPrompt(const std::wstring &s)
{
    std::wstring out;
    for (size_t i = 0; i < s.size(); i++) {
        size_t close = s.find(L'%', i + 1);
        std::wstring name =
            s[i] == L'%' && close != std::wstring::npos ? s.substr(i + 1, close - i - 1) : L"";
        for (wchar_t &c : name)
            c = (wchar_t)towupper(c);
        if (name == L"CD" || name == L"PATH" || name == L"CD:~,") {
            out += name == L"CD" ? L"C:\\Work" : name == L"PATH" ? L"C:\\bin" : L"";
            i = close;
        } else {
            out += s[i];
        }
    }
    return out;
}

/* What a line runs: ^ escapes outside quotes are taken away; nothing when
   & | < > stand outside quotes. */
inline std::optional<std::wstring> RunsAtPrompt(const std::wstring &s)
{
    std::wstring out;
    bool quoted = false;
    for (size_t i = 0; i < s.size(); i++) {
        quoted = quoted != (s[i] == L'"');
        if (!quoted && wcschr(L"&|<>", s[i]))
            return std::nullopt;
        if (!quoted && s[i] == L'^' && i + 1 < s.size())
            i++;
        out += s[i];
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

/* The batch file's arguments as one text (%*), from the interpreter's
   command line, with the file's path in *batch. */
inline std::optional<std::wstring> BatchArguments(const std::wstring &cmdline, std::wstring *batch)
{
    size_t c = cmdline.find(L" /s /c \"");
    if (c == std::wstring::npos || cmdline.back() != L'"')
        return std::nullopt;
    /* /s: less the first and the last quote. */
    std::wstring line = cmdline.substr(c + 8, cmdline.size() - c - 9);
    std::optional<std::wstring> runs = RunsAtPrompt(ExpandAtPrompt(line));
    if (!runs || (*runs)[0] != L'"' || runs->find(L'"', 1) == std::wstring::npos)
        return std::nullopt;
    size_t close = runs->find(L'"', 1);
    *batch = runs->substr(1, close - 1);
    size_t first = runs->find_first_not_of(L" \t,;=", close + 1);
    return first == std::wstring::npos ? L"" : runs->substr(first);
}

/* The program's arguments when the batch file passes %* on. */
inline std::optional<Arguments> PassedOnAll(const std::wstring &all)
{
    std::optional<std::wstring> runs = RunsAtPrompt(L"\"prog\" " + all);
    if (!runs)
        return std::nullopt;
    Arguments argv = ProgramArguments(*runs);
    argv.erase(argv.begin());
    return argv;
}

/* The program's arguments when the batch file passes each "%~N" on: its
   arguments part at blanks, tabs , ; = outside quotes; ~ takes a quote
   away from each end. */
inline std::optional<Arguments> PassedOnEach(const std::wstring &all)
{
    Arguments got;
    bool quoted = false;
    std::wstring token;
    for (size_t i = 0; i <= all.size(); i++) {
        bool end = i == all.size() || (!quoted && wcschr(L" \t,;=\x0b\x0c\xff", all[i]));
        if (!end) {
            quoted = quoted != (all[i] == L'"');
            token += all[i];
            continue;
        }
        if (token.empty())
            continue;
        std::wstring bare = token.substr(token[0] == L'"');
        if (!bare.empty() && bare.back() == L'"')
            bare.pop_back();
        std::optional<std::wstring> runs = RunsAtPrompt(L"\"prog\" \"" + bare + L"\"");
        if (!runs)
            return std::nullopt;
        Arguments one = ProgramArguments(*runs);
        got.insert(got.end(), one.begin() + 1, one.end());
        token.clear();
    }
    return got;
}

#endif /* RUNVO_INTERPRETER_MODEL_H */
