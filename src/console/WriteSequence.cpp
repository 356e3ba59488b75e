#include "console/WriteSequence.h"
