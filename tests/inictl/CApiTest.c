/* Quillon's C interface as a C host uses it: create by ProgID, name a file, write and read keys,
 * every documented failure result, the words for each and the version. Exits non-zero when any
 * check fails. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "inictl/quillon.h"

static int failures = 0;

#define CHECK(condition)                                                    \
    do {                                                                    \
        if (!(condition)) {                                                 \
            fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition); \
            ++failures;                                                     \
        }                                                                   \
    } while (0)

static int file_equals(const char* path, const char* expected) {
    char text[256] = {0};
    FILE* file = fopen(path, "rb");
    size_t count;
    if (file == NULL) {
        return 0;
    }
    count = fread(text, 1, sizeof text - 1, file);
    fclose(file);
    return count == strlen(expected) && memcmp(text, expected, count) == 0;
}

int main(void) {
    char folder[] = "/tmp/quillon-c-XXXXXX";
    char path[256];
    char buffer[1100];
    char small[4];
    char long_value[1501];
    quillon_ini* ini;

    CHECK(mkdtemp(folder) != NULL);
    snprintf(path, sizeof path, "%s/params.ini", folder);

    CHECK(quillon_create("Quillonctl.Other") == NULL);
    CHECK(quillon_create(NULL) == NULL);
    ini = quillon_create("Quillonctl.INI");
    CHECK(ini != NULL);
    if (ini == NULL) {
        return 1;
    }

    /* No file name yet: no value at all, and writes do nothing. */
    CHECK(quillon_get_key(ini, "S", "k", buffer, sizeof buffer) == QUILLON_EMPTY);
    CHECK(buffer[0] == '\0');
    CHECK(quillon_write_key(ini, "S", "k", "v") == 0);

    CHECK(quillon_set_file_name(ini, path) == 0);
    CHECK(quillon_get_file_name(ini, buffer, sizeof buffer) == (long)strlen(path));
    CHECK(strcmp(buffer, path) == 0);

    /* A missing key of a missing file is the empty text, not the empty variant. */
    CHECK(quillon_get_key(ini, "Net", "Port", buffer, sizeof buffer) == 0);

    CHECK(quillon_write_key(ini, "Net", "Port", "5000") == 0);
    CHECK(file_equals(path, "[Net]\r\nPort=5000\r\n"));
    CHECK(quillon_get_key(ini, "NET", "port", buffer, sizeof buffer) == 4);
    CHECK(strcmp(buffer, "5000") == 0);

    /* Cut to the caller's buffer, always terminated. */
    CHECK(quillon_get_key(ini, "Net", "Port", small, sizeof small) == 3);
    CHECK(strcmp(small, "500") == 0);

    memset(long_value, 'x', 1500);
    long_value[1500] = '\0';
    CHECK(quillon_write_key(ini, "Net", "Long", long_value) == 0);
    CHECK(quillon_get_key(ini, "Net", "Long", buffer, sizeof buffer) == 1023);
    CHECK(strlen(buffer) == 1023);

    CHECK(quillon_res(ini, 107, buffer, sizeof buffer) == 26);
    CHECK(strspn(buffer, "-") == 26);
    CHECK(quillon_res(ini, 111, buffer, sizeof buffer) == QUILLON_UNKNOWN);

    CHECK(quillon_set_file_name(ini, "/nonexistent-quillon-folder/params.ini") == 0);
    CHECK(quillon_write_key(ini, "Net", "Port", "1") == QUILLON_FAILED);

    CHECK(quillon_set_file_name(NULL, path) == QUILLON_INVALID);
    CHECK(quillon_set_file_name(ini, NULL) == QUILLON_INVALID);
    CHECK(quillon_get_key(ini, "S", NULL, buffer, sizeof buffer) == QUILLON_INVALID);
    CHECK(quillon_get_key(ini, "S", "k", buffer, 0) == QUILLON_INVALID);
    CHECK(quillon_write_key(ini, "S", "k", NULL) == QUILLON_INVALID);
    CHECK(quillon_res(NULL, 101, buffer, sizeof buffer) == QUILLON_INVALID);

    /* Every failure has a value and words of its own, so a host can tell them apart. */
    {
        const long failures_seen[] = {QUILLON_EMPTY, QUILLON_INVALID, QUILLON_FAILED,
                                      QUILLON_UNKNOWN, -99};
        size_t i, j;
        for (i = 0; i < sizeof failures_seen / sizeof failures_seen[0]; ++i) {
            CHECK(failures_seen[i] < 0);
            for (j = 0; j < i; ++j) {
                CHECK(failures_seen[i] != failures_seen[j]);
                CHECK(strcmp(quillon_strerror(failures_seen[i]),
                             quillon_strerror(failures_seen[j])) != 0);
            }
            CHECK(strcmp(quillon_strerror(failures_seen[i]), quillon_strerror(QUILLON_OK)) != 0);
        }
        CHECK(strcmp(quillon_strerror(1023), quillon_strerror(QUILLON_OK)) == 0);
    }

    CHECK(quillon_version() == QUILLON_VERSION_NUMBER);
    CHECK(strcmp(quillon_version_string(), QUILLON_VERSION_STRING) == 0);

    quillon_destroy(ini);
    quillon_destroy(NULL);
    unlink(path);
    rmdir(folder);
    if (failures == 0) {
        puts("quillon C interface: all checks passed");
    }
    return failures == 0 ? 0 : 1;
}
