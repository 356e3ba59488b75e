/* Quillon's C interface, for hosts written in other languages. It serves the same INI control as
 * the C++ interface, without its window: a handle holds a file name, and every key access goes to
 * that file afresh under the Windows private-profile rules. Texts are bytes of a single-byte code
 * page; file names are the system's own file names. Handles are not shared between threads.
 *
 * This header needs nothing but the C library and quillon_version.h, installed beside it. */
#ifndef QUILLON_H
#define QUILLON_H

#include <stddef.h>

#include "quillon_version.h"

/* The library is built with hidden symbols and exports only what carries this mark. */
#ifndef QUILLON_API
#if defined(__GNUC__)
#define QUILLON_API __attribute__((visibility("default")))
#else
#define QUILLON_API
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct quillon_ini quillon_ini;

/* Results besides lengths. Every failure is negative, so "result < 0" catches them all; each
 * has a value of its own, which quillon_strerror() puts into words. QUILLON_EMPTY and
 * QUILLON_INVALID keep the values of the first release. */
#define QUILLON_OK 0         /* done */
#define QUILLON_EMPTY (-1)   /* quillon_get_key: no file name is set, so there is no value */
#define QUILLON_INVALID (-2) /* a NULL handle or text, or a buffer of size 0 */
#define QUILLON_FAILED (-3)  /* quillon_write_key: the file could not be written */
#define QUILLON_UNKNOWN (-4) /* quillon_res: no string with that number */

/* Creates a control by its ProgID, "Quillonctl.INI", with an empty file name.
 * Returns NULL for any other ProgID, for NULL, or when memory runs out. */
QUILLON_API quillon_ini* quillon_create(const char* prog_id);

/* Frees the handle. NULL is accepted and ignored. */
QUILLON_API void quillon_destroy(quillon_ini* ini);

/* Names the INI file. No check is made that it exists or can be written.
 * Returns QUILLON_OK, or QUILLON_INVALID for a NULL handle or name (the name is then
 * unchanged). */
QUILLON_API int quillon_set_file_name(quillon_ini* ini, const char* file_name);

/* Copies the file name into buffer, cut to size - 1 bytes and always NUL-terminated.
 * Returns the number of bytes copied, or QUILLON_INVALID for a NULL argument or size 0. */
QUILLON_API long quillon_get_file_name(const quillon_ini* ini, char* buffer, size_t size);

/* Reads a key. The value is the profile read's: blanks around it and one pair of enclosing quotes
 * removed, cut to 1023 bytes; a missing file, section or key gives the empty text (returns 0).
 * Copies the value into buffer, cut to size - 1 bytes and always NUL-terminated.
 * Returns the number of bytes copied; QUILLON_EMPTY when the file name is empty (buffer is then
 * the empty text); QUILLON_INVALID for a NULL argument or size 0. */
QUILLON_API long quillon_get_key(const quillon_ini* ini, const char* section, const char* key,
                                 char* buffer, size_t size);

/* Writes a key, creating the file and the section when missing; the value is stored exactly as
 * given. The file is replaced whole, so a failed write leaves it as it was.
 * Returns QUILLON_OK when written, and also when the file name is empty (nothing is written
 * then); QUILLON_FAILED when the file could not be written (missing folder, no permission, full
 * disk); QUILLON_INVALID for a NULL argument. */
QUILLON_API int quillon_write_key(const quillon_ini* ini, const char* section, const char* key,
                                  const char* value);

/* Copies the library's string resource number id into buffer, cut to size - 1 bytes and always
 * NUL-terminated. Returns the number of bytes copied; QUILLON_UNKNOWN for a number without a
 * string; QUILLON_INVALID for a NULL argument or size 0. */
QUILLON_API long quillon_res(const quillon_ini* ini, int id, char* buffer, size_t size);

/* Puts a result of this interface into words, for messages: "done" for QUILLON_OK and for every
 * other non-negative result (a length), a text of its own for each failure above, and
 * "unknown Quillon result" for any other negative number. Returns a static, NUL-terminated
 * English text; never NULL, and never to be freed. */
QUILLON_API const char* quillon_strerror(long result);

/* The version of the library that is running, as QUILLON_VERSION_NUMBER gives it for the header
 * a host was built with: compare the two to find a library older than the header. Never fails. */
QUILLON_API unsigned long quillon_version(void);

/* The same version as text, "major.minor.patch" (QUILLON_VERSION_STRING of the library's own
 * build). Returns a static text; never NULL. */
QUILLON_API const char* quillon_version_string(void);

#ifdef __cplusplus
}
#endif

#endif /* QUILLON_H */
