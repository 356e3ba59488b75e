// What Quillon shows to its hosts: the library is built with hidden symbols and exports only what
// carries QUILLON_API. The mark is defined once, in the public C header, which includes nothing of
// the source tree and so can be installed alone.
#pragma once

#include "inictl/quillon.h"
