/* A started program for the starter's tests and benchmark; C, so the test
 * executable's source glob leaves it alone. Its first act reads the clock;
 * then it writes to $SPROUT_PROBE_OUT, as NUL-ended fields: start time
 * (CLOCK_MONOTONIC, ns), pid, working folder, its open descriptors as
 * "fd=target;" entries, SigBlk, SigIgn, then every argument.
 * $SPROUT_PROBE_SLEEP_MS keeps it running that long before it ends. */
#define _GNU_SOURCE
#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static void field(FILE* f, char const* text)
{
    fputs(text, f);
    fputc('\0', f);
}

static void descriptors(FILE* f)
{
    DIR* dir = opendir("/proc/self/fd");
    if (dir) {
        struct dirent* entry;
        while ((entry = readdir(dir))) {
            if (entry->d_name[0] == '.' || atoi(entry->d_name) == dirfd(dir))
                continue;
            char link[300], target[4096] = { 0 };
            snprintf(link, sizeof link, "/proc/self/fd/%s", entry->d_name);
            if (readlink(link, target, sizeof target - 1) < 0)
                target[0] = 0;
            fprintf(f, "%s=%s;", entry->d_name, target);
        }
        closedir(dir);
    }
    fputc('\0', f);
}

static void status_line(FILE* f, char const* key)
{
    FILE* status = fopen("/proc/self/status", "r");
    char line[512], value[512] = { 0 };
    while (status && fgets(line, sizeof line, status))
        if (strncmp(line, key, strlen(key)) == 0)
            sscanf(line + strlen(key), "%511s", value);
    if (status)
        fclose(status);
    field(f, value);
}

int main(int argc, char** argv)
{
    struct timespec started;
    clock_gettime(CLOCK_MONOTONIC, &started);
    char const* out = getenv("SPROUT_PROBE_OUT");
    if (!out)
        return 2;
    // Descriptors are listed before the report file is opened.
    char temporary[4096];
    snprintf(temporary, sizeof temporary, "%s.part", out);
    char* listed = NULL;
    size_t listed_size = 0;
    FILE* list = open_memstream(&listed, &listed_size);
    descriptors(list);
    fclose(list);

    // Written whole under another name, so a reader never sees half of it.
    FILE* f = fopen(temporary, "wb");
    if (!f)
        return 3;
    char number[64], folder[4096] = { 0 };
    snprintf(number, sizeof number, "%lld", started.tv_sec * 1000000000LL + started.tv_nsec);
    field(f, number);
    snprintf(number, sizeof number, "%d", (int)getpid());
    field(f, number);
    field(f, getcwd(folder, sizeof folder) ? folder : "");
    fwrite(listed, 1, listed_size, f);
    free(listed);
    status_line(f, "SigBlk:");
    status_line(f, "SigIgn:");
    for (int i = 1; i < argc; ++i)
        field(f, argv[i]);
    fclose(f);
    rename(temporary, out);

    char const* ms = getenv("SPROUT_PROBE_SLEEP_MS");
    if (ms)
        usleep((useconds_t)atoi(ms) * 1000);
    return 0;
}
