// A configuration as a gateway read leaves it, holding the given application objects: the totals
// summed as the decoder sums them, and the connection words still valid.
#pragma once

#include <vector>

#include "config/ConfigImage.h"

namespace tavrin::testing {

inline ConfigImage ImageHolding(const std::vector<AppObject>& read) {
    ConfigImage image;
    for (const AppObject& o : read) {
        image.settings.ReadAppObjects[image.settings.ReadAppCount++] = o;
        if (o.IOType < kIOTypeCount)
            image.settings.StoredIOTotals[o.IOType] += o.MBCL;
    }
    image.settings.ConnInfoValid = true;
    return image;
}

}  // namespace tavrin::testing
