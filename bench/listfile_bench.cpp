/*
 * How fast the list file is read: ReadListLine for the last line of a 64 MiB
 * file against `wc -l` on the same file, measured in the same run and
 * interleaved, each as a process of its own; and the peak memory of a lookup
 * in that file and in an empty one. It prints figures and decides nothing.
 */
#include "launch/listfile.h"
#include "platform/native.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

struct Run {
    double ms;
    long maxRssKiB;
};

/* Runs argv as a child with its output discarded. */
static Run RunChild(const std::vector<std::string> &args)
{
    timespec t0, t1;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    pid_t pid = fork();
    if (pid == 0) {
        if (!freopen("/dev/null", "w", stdout))
            _exit(126);
        std::vector<char *> argv;
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(NULL);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status;
    rusage ru;
    wait4(pid, &status, 0, &ru);
    clock_gettime(CLOCK_MONOTONIC, &t1);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fprintf(stderr, "%s failed\n", args[0].c_str());
    return {(t1.tv_sec - t0.tv_sec) * 1e3 + (t1.tv_nsec - t0.tv_nsec) / 1e6, ru.ru_maxrss};
}

static double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

/* The median peak memory of five runs: one run varies by about 100 KiB. */
static double PeakKiB(const std::vector<std::string> &args)
{
    std::vector<double> kib;
    for (int i = 0; i < 5; i++)
        kib.push_back((double)RunChild(args).maxRssKiB);
    return Median(kib);
}

/* A list file of about 64 MiB; returns its number of lines. */
static long WriteBigList(const std::string &path)
{
    FILE *f = fopen(path.c_str(), "wb");
    long lines = 0;
    for (long size = 0; size < 64L << 20; lines++)
        size += fprintf(f, "C:\\Program Files\\Tool %07ld\\tool.exe\r\n", lines);
    fclose(f);
    return lines;
}

int main(int argc, char **argv)
{
    if (argc == 4 && strcmp(argv[1], "lookup") == 0) {
        NativeSetModulePath(argv[2]);
        wchar_t line[PATH_SIZE];
        printf("%ls\n", ReadListLine(atoi(argv[3]), line) ? line : L"(not found)");
        return 0;
    }
    char tmpl[] = "/tmp/runvo-bench-XXXXXX";
    std::string dir = mkdtemp(tmpl), self = argv[0];
    std::string big = dir + "/big/runvo.", empty = dir + "/empty/runvo.";
    if (system(("mkdir -p " + dir + "/big " + dir + "/empty").c_str()) != 0)
        return 1;
    long lines = WriteBigList(big + "DAT");
    fclose(fopen((empty + "DAT").c_str(), "wb"));
    std::string last = std::to_string(lines - 1);

    std::vector<double> wc, lookup;
    RunChild({"wc", "-l", big + "DAT"}); /* both read from the page cache */
    for (int i = 0; i < 9; i++) {
        wc.push_back(RunChild({"wc", "-l", big + "DAT"}).ms);
        lookup.push_back(RunChild({self, "lookup", big + "exe", last}).ms);
    }
    double rssBig = PeakKiB({self, "lookup", big + "exe", last});
    double rssEmpty = PeakKiB({self, "lookup", empty + "exe", "0"});
    FILE *f = fopen((empty + "DAT").c_str(), "wb");
    fputs("C:\\tools\\reader.exe\r\n", f);
    fclose(f);
    double rssOne = PeakKiB({self, "lookup", empty + "exe", "0"});
    double w = Median(wc), l = Median(lookup);
    printf("list file: 64 MiB, %ld lines, CR LF\n", lines);
    printf("  wc -l                      %8.1f ms (median of 9)\n", w);
    printf("  ReadListLine(last line)    %8.1f ms (median of 9)\n", l);
    printf("  ratio                      %8.2fx (target: within 1.5x)\n", l / w);
    printf("  peak memory, 64 MiB file   %8.0f KiB (median of 5)\n", rssBig);
    printf("  peak memory, empty file    %8.0f KiB (target: the same)\n", rssEmpty);
    printf("  peak memory, one line      %8.0f KiB\n", rssOne);
    return system(("rm -rf " + dir).c_str()) == 0 ? 0 : 1;
}
