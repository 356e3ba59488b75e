// Reading the values of a JSON configuration file while keeping every fault found, each with the
// place in the file it is about ("com.timeout", "applicationObjects[2].length").
#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <optional>
#include <string>
#include <vector>

namespace tavrin {

std::string Quoted(const std::string& text);
std::string Join(const std::vector<std::string>& items, const char* separator);
// A number as the file would write it: whole numbers without a fraction.
std::string NumberText(double value);

class JsonChecker {
public:
    // One line per fault: "where: text".
    std::vector<std::string> faults;

    void Fault(const std::string& where, const std::string& text);
    // Faults every key of `object` that is not in `known` (a misspelt key is not silently lost).
    void OnlyKnownKeys(const QJsonObject& object, const std::string& where,
                       const std::vector<const char*>& known);

    // The value of `key` in `parent`, which lies at `where`; empty after a fault when it is
    // missing or of the wrong type.
    std::optional<QJsonObject> Object(const QJsonObject& parent, const std::string& where,
                                      const char* key);
    std::optional<double> Number(const QJsonObject& parent, const std::string& where,
                                 const char* key);
    // A number without a fraction, within what a long long holds exactly.
    std::optional<long long> Whole(const QJsonObject& parent, const std::string& where,
                                   const char* key);
    // A text; when not `required`, a missing key reads as the empty text.
    std::optional<std::string> Text(const QJsonObject& parent, const std::string& where,
                                    const char* key, bool required = true);

    static std::string Path(const std::string& where, const std::string& key);

private:
    std::optional<QJsonValue> Present(const QJsonObject& parent, const std::string& where,
                                      const char* key);
};

}  // namespace tavrin
