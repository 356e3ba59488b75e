#include "appobj/FunctionCodes.h"

namespace tavrin {

int FunctionCodeIndexOf(const AppObject& object) {
    switch (object.IOType) {
        case 2:
            return object.FCSel == 1 ? 0 : 1;
        case 3:
            return object.FCSel == 1 ? 2 : 3;
        case 0:
            return 4;
        default:
            return 5;
    }
}

bool IsRegisterCode(int index) {
    return index >= 0 && index < kFunctionCodeCount && kFunctionCodes[index].registers;
}

FieldLabels LabelsFor(int functionCodeIndex) {
    if (IsRegisterCode(functionCodeIndex)) {
        return {"Register Address (xxxxx)", "Data Length (Words)", "(0-65535)", "(1-120)", 3};
    }
    return {"Relay Address (xxxxx)", "Data Length (Bits)", "(0-65535)", "(1-1920)", 4};
}

std::string IOTypeText(std::uint8_t ioType) {
    return ioType < IOTypeName.size() ? IOTypeName[ioType] : "";
}

}  // namespace tavrin
