#include <cstring>
#include <new>
#include <string_view>

#include "inictl/Identity.h"
#include "inictl/IniKeys.h"
#include "inictl/LiveInstances.h"
#include "inictl/StringTable.h"
#include "inictl/quillon.h"

struct quillon_ini {
    quillon::InstanceCount counted;
    quillon::IniKeys keys;
};

namespace {

long CopyOut(std::string_view text, char* buffer, size_t size) {
    const size_t count = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<long>(count);
}

}  // namespace

extern "C" {

quillon_ini* quillon_create(const char* prog_id) {
    if (prog_id == nullptr || std::string_view(prog_id) != quillon::kProgId) {
        return nullptr;
    }
    return new (std::nothrow) quillon_ini;
}

void quillon_destroy(quillon_ini* ini) {
    delete ini;
}

int quillon_set_file_name(quillon_ini* ini, const char* file_name) {
    if (ini == nullptr || file_name == nullptr) {
        return QUILLON_INVALID;
    }
    ini->keys.SetFileName(file_name);
    return QUILLON_OK;
}

long quillon_get_file_name(const quillon_ini* ini, char* buffer, size_t size) {
    if (ini == nullptr || buffer == nullptr || size == 0) {
        return QUILLON_INVALID;
    }
    return CopyOut(ini->keys.FileName(), buffer, size);
}

long quillon_get_key(const quillon_ini* ini, const char* section, const char* key, char* buffer,
                     size_t size) {
    if (ini == nullptr || section == nullptr || key == nullptr || buffer == nullptr || size == 0) {
        return QUILLON_INVALID;
    }
    const std::optional<std::string> value = ini->keys.GetKey(section, key);
    if (!value) {
        buffer[0] = '\0';
        return QUILLON_EMPTY;
    }
    return CopyOut(*value, buffer, size);
}

int quillon_write_key(const quillon_ini* ini, const char* section, const char* key,
                      const char* value) {
    if (ini == nullptr || section == nullptr || key == nullptr || value == nullptr) {
        return QUILLON_INVALID;
    }
    return ini->keys.WriteKey(section, key, value) ? QUILLON_OK : QUILLON_FAILED;
}

long quillon_res(const quillon_ini* ini, int id, char* buffer, size_t size) {
    if (ini == nullptr || buffer == nullptr || size == 0) {
        return QUILLON_INVALID;
    }
    const std::optional<std::string_view> text = quillon::LookUpResource(id);
    if (!text) {
        buffer[0] = '\0';
        return QUILLON_UNKNOWN;
    }
    return CopyOut(*text, buffer, size);
}

}  // extern "C"
