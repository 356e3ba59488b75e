// What Quillon shows to its hosts: the library is built with hidden symbols and exports only what
// carries this mark.
#pragma once

#if defined(__GNUC__)
#define QUILLON_API __attribute__((visibility("default")))
#else
#define QUILLON_API
#endif
