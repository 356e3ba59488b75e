#include "offline/JsonChecker.h"

#include <QLocale>
#include <QString>
#include <cmath>

namespace tavrin {
namespace {

// Whole numbers beyond this are refused as such rather than converted with a loss.
constexpr double kLargestWhole = 1e15;

}  // namespace

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Join(const std::vector<std::string>& items, const char* separator) {
    std::string joined;
    for (const std::string& item : items) {
        joined += (joined.empty() ? "" : separator) + item;
    }
    return joined;
}

std::string NumberText(double value) {
    if (std::abs(value) < kLargestWhole && value == std::floor(value)) {
        return std::to_string(static_cast<long long>(value));
    }
    return QString::number(value, 'g', QLocale::FloatingPointShortest).toStdString();
}

void JsonChecker::Fault(const std::string& where, const std::string& text) {
    faults.push_back(where + ": " + text);
}

void JsonChecker::OnlyKnownKeys(const QJsonObject& object, const std::string& where,
                                const std::vector<const char*>& known) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        bool listed = false;
        for (const char* key : known) {
            listed = listed || it.key() == QLatin1String(key);
        }
        if (!listed) {
            std::vector<std::string> names;
            for (const char* key : known) {
                names.emplace_back(key);
            }
            Fault(Path(where, it.key().toStdString()),
                  "unknown key (expected " + Join(names, ", ") + ")");
        }
    }
}

std::optional<QJsonObject> JsonChecker::Object(const QJsonObject& parent, const std::string& where,
                                               const char* key) {
    const auto value = Present(parent, where, key);
    if (!value) {
        return std::nullopt;
    }
    if (!value->isObject()) {
        Fault(Path(where, key), "must be an object");
        return std::nullopt;
    }
    return value->toObject();
}

std::optional<double> JsonChecker::Number(const QJsonObject& parent, const std::string& where,
                                          const char* key) {
    const auto value = Present(parent, where, key);
    if (!value) {
        return std::nullopt;
    }
    if (!value->isDouble()) {
        Fault(Path(where, key), "must be a number");
        return std::nullopt;
    }
    return value->toDouble();
}

std::optional<long long> JsonChecker::Whole(const QJsonObject& parent, const std::string& where,
                                            const char* key) {
    const auto number = Number(parent, where, key);
    if (!number) {
        return std::nullopt;
    }
    if (*number != std::floor(*number)) {
        Fault(Path(where, key), NumberText(*number) + " is not a whole number");
        return std::nullopt;
    }
    if (std::abs(*number) > kLargestWhole) {
        Fault(Path(where, key), NumberText(*number) + " is far out of range");
        return std::nullopt;
    }
    return static_cast<long long>(*number);
}

std::optional<std::string> JsonChecker::Text(const QJsonObject& parent, const std::string& where,
                                             const char* key, bool required) {
    if (!required && !parent.contains(QLatin1String(key))) {
        return std::string();
    }
    const auto value = Present(parent, where, key);
    if (!value) {
        return std::nullopt;
    }
    if (!value->isString()) {
        Fault(Path(where, key), "must be a text");
        return std::nullopt;
    }
    return value->toString().toStdString();
}

std::string JsonChecker::Path(const std::string& where, const std::string& key) {
    return where.empty() ? key : where + "." + key;
}

std::optional<QJsonValue> JsonChecker::Present(const QJsonObject& parent, const std::string& where,
                                               const char* key) {
    if (!parent.contains(QLatin1String(key))) {
        Fault(Path(where, key), "missing");
        return std::nullopt;
    }
    return parent.value(QLatin1String(key));
}

}  // namespace tavrin
