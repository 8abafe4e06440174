/*
 * The list file's line rules written the simplest way, a unit at a time: the
 * model that the reader is fuzzed against. It is compiled without coverage
 * feedback (the fuzzer is steered by the reader's branches, not the model's)
 * and reuses its storage, so that it costs the fuzzer little.
 */
#ifndef RUNVO_LISTFILE_MODEL_H
#define RUNVO_LISTFILE_MODEL_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

/* The cleaned lines of a file, in UTF-16 units: line i is
   text[start[i], start[i + 1]); ended[i]: its read ended at a line feed, so
   that the next read begins a line of the file. */
struct ModelLines {
    std::wstring text;
    std::vector<size_t> start;
    std::vector<bool> ended;

    size_t count() const
    {
        return start.size() - 1;
    }
    std::wstring_view line(size_t i) const
    {
        return std::wstring_view(text).substr(start[i], start[i + 1] - start[i]);
    }
};

/* The lines of data as the rules give them. */
void ReadModelLines(const uint8_t *data, size_t size, ModelLines *lines);

#endif /* RUNVO_LISTFILE_MODEL_H */
