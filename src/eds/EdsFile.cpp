#include "eds/EdsFile.h"
