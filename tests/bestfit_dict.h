/*
 * The characters that the command fuzzer's dictionary names as ones that
 * the best fit of a common ANSI code page makes blanks, control characters,
 * quotes, backslashes or wildcards of: its entries bestfit_U.... (the
 * platform's tables as Wine has them), and with windowsToo those of
 * windowsfit_U.... too (that Windows' tables fit to a wildcard, where
 * Wine's give the default character).
 */
#ifndef RUNVO_BESTFIT_DICT_H
#define RUNVO_BESTFIT_DICT_H

#include <stdio.h>

#include <set>

inline std::set<unsigned> BestFitNamed(const char *dictionary, bool windowsToo)
{
    std::set<unsigned> named;
    FILE *f = fopen(dictionary, "r");
    char line[256];
    while (f && fgets(line, sizeof line, f)) {
        unsigned c;
        if (sscanf(line, "bestfit_U%4x=", &c) == 1 ||
            (windowsToo && sscanf(line, "windowsfit_U%4x=", &c) == 1))
            named.insert(c);
    }
    if (f)
        fclose(f);
    return named;
}

#endif /* RUNVO_BESTFIT_DICT_H */
