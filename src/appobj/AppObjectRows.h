// Row texts of the two application object views: the instance number, then the device id, IO
// type, start address and length, numbers with a leading sign position as the views show them.
#pragma once

#include <array>
#include <string>

#include "config/ConfigImage.h"

namespace tavrin {

inline constexpr int kAppObjectViewColumns = 5;

std::array<std::string, kAppObjectViewColumns> AppObjectRow(int instanceNumber,
                                                            const AppObject& object);

}  // namespace tavrin
