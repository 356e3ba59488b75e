/* A host of Quillon as its users build one: only the installed quillon.h, linked through
 * pkg-config or find_package(Quillon). It writes and reads back a key and compares the running
 * library's version with the header's. Usage: quillon_host FOLDER; exits 0 when all holds. */
#include <quillon.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv) {
    char path[4096];
    char value[64];
    quillon_ini* ini;
    long length;
    int written;

    if (argc != 2) {
        fputs("usage: quillon_host FOLDER\n", stderr);
        return 2;
    }
    if (quillon_version() != QUILLON_VERSION_NUMBER ||
        strcmp(quillon_version_string(), QUILLON_VERSION_STRING) != 0) {
        fprintf(stderr, "library %s, header %s\n", quillon_version_string(),
                QUILLON_VERSION_STRING);
        return 1;
    }
    ini = quillon_create("Quillonctl.INI");
    if (ini == NULL) {
        fputs("no INI control\n", stderr);
        return 1;
    }
    snprintf(path, sizeof path, "%s/host.ini", argv[1]);
    quillon_set_file_name(ini, path);
    written = quillon_write_key(ini, "EEPB_0", "Add0", "4294967295");
    length = quillon_get_key(ini, "EEPB_0", "Add0", value, sizeof value);
    quillon_destroy(ini);
    if (written != QUILLON_OK || length != 10 || strcmp(value, "4294967295") != 0) {
        fprintf(stderr, "write: %s; read: %s\n", quillon_strerror(written),
                quillon_strerror(length));
        return 1;
    }
    printf("quillon %s: key written and read back\n", quillon_version_string());
    return 0;
}
