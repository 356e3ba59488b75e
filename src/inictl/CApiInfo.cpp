// The C interface's words for its results and its version: what a host needs to report a failure
// and to check that the library it runs with is not older than the header it was built with.
#include "inictl/quillon.h"

extern "C" {

const char* quillon_strerror(long result) {
    if (result >= 0) {
        return "done";
    }
    switch (result) {
        case QUILLON_EMPTY:
            return "no file name is set, so the key has no value";
        case QUILLON_INVALID:
            return "invalid argument: a NULL handle or text, or a buffer of size 0";
        case QUILLON_FAILED:
            return "the INI file could not be written";
        case QUILLON_UNKNOWN:
            return "no string resource with that number";
        default:
            return "unknown Quillon result";
    }
}

unsigned long quillon_version(void) {
    return QUILLON_VERSION_NUMBER;
}

const char* quillon_version_string(void) {
    return QUILLON_VERSION_STRING;
}

}  // extern "C"
