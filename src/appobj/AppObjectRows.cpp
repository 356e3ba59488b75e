#include "appobj/AppObjectRows.h"

#include "appobj/FunctionCodes.h"
#include "config/WordArithmetic.h"

namespace tavrin {

std::array<std::string, kAppObjectViewColumns> AppObjectRow(int instanceNumber,
                                                            const AppObject& object) {
    return {std::to_string(instanceNumber), SignPosText(object.MBID), IOTypeText(object.IOType),
            SignPosText(object.MBSA), SignPosText(object.MBCL)};
}

}  // namespace tavrin
