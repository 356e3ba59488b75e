/* Quillon's C interface, for hosts written in other languages. It serves the same INI control as
 * the C++ interface, without its window: a handle holds a file name, and every key access goes to
 * that file afresh under the Windows private-profile rules. Texts are bytes of a single-byte code
 * page; file names are the system's own file names. Handles are not shared between threads. */
#ifndef QUILLON_H
#define QUILLON_H

#include <stddef.h>

#include "inictl/QuillonExport.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct quillon_ini quillon_ini;

/* Results besides lengths. */
#define QUILLON_EMPTY (-1)   /* quillon_get_key: no file name is set, so there is no value */
#define QUILLON_FAILED (-1)  /* quillon_write_key: the file could not be written */
#define QUILLON_UNKNOWN (-1) /* quillon_res: no string with that number */
#define QUILLON_INVALID (-2) /* a NULL handle or text, or a buffer of size 0 */

/* Creates a control by its ProgID, "Quillonctl.INI", with an empty file name.
 * Returns NULL for any other ProgID, for NULL, or when memory runs out. */
QUILLON_API quillon_ini* quillon_create(const char* prog_id);

/* Frees the handle. NULL is accepted and ignored. */
QUILLON_API void quillon_destroy(quillon_ini* ini);

/* Names the INI file. No check is made that it exists or can be written.
 * Returns 0, or QUILLON_INVALID for a NULL handle or name (the name is then unchanged). */
QUILLON_API int quillon_set_file_name(quillon_ini* ini, const char* file_name);

/* Copies the file name into buffer, cut to size - 1 bytes and always NUL-terminated.
 * Returns the number of bytes copied, or QUILLON_INVALID. */
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
 * Returns 0 when written, and also when the file name is empty (nothing is written then);
 * QUILLON_FAILED when the file could not be written (missing folder, no permission, full disk);
 * QUILLON_INVALID for a NULL argument. */
QUILLON_API int quillon_write_key(const quillon_ini* ini, const char* section, const char* key,
                                  const char* value);

/* Copies the library's string resource number id into buffer, cut to size - 1 bytes and always
 * NUL-terminated. Returns the number of bytes copied; QUILLON_UNKNOWN for a number without a
 * string; QUILLON_INVALID for a NULL argument or size 0. */
QUILLON_API long quillon_res(const quillon_ini* ini, int id, char* buffer, size_t size);

#ifdef __cplusplus
}
#endif

#endif /* QUILLON_H */
