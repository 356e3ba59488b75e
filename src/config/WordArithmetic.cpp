#include "config/WordArithmetic.h"

namespace tavrin {

Word ToUnsigned(std::int32_t value) {
    return static_cast<Word>(value);
}

std::int32_t ToSigned(Word word) {
    return static_cast<std::int32_t>(word);
}

std::string SignPosText(long long value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string SignedText(Word word) {
    return SignPosText(ToSigned(word));
}

}  // namespace tavrin
