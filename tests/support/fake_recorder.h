#pragma once

#include <optional>
#include <string>
#include <vector>

#include "transmitter/service_record.h"

namespace doxa::test {

// Keeps every record the dialogs hand to the service history, in order.
class FakeRecorder : public ServiceRecorder {
public:
    void record(const ServiceRecord& record) override { records.push_back(record); }

    std::vector<ServiceRecord> ofKind(RecordKind kind) const {
        std::vector<ServiceRecord> found;
        for (const auto& r : records)
            if (r.kind == kind) found.push_back(r);
        return found;
    }

    std::vector<ServiceRecord> records;
};

// The value named `name`, if the list holds one.
inline std::optional<RecordValue> valueOf(const RecordValues& values, const std::string& name) {
    for (const auto& [key, value] : values)
        if (key == name) return value;
    return std::nullopt;
}

inline std::optional<double> numberOf(const RecordValues& values, const std::string& name) {
    const auto value = valueOf(values, name);
    if (!value || !std::holds_alternative<double>(*value)) return std::nullopt;
    return std::get<double>(*value);
}

inline std::optional<std::string> textOf(const RecordValues& values, const std::string& name) {
    const auto value = valueOf(values, name);
    if (!value || !std::holds_alternative<std::string>(*value)) return std::nullopt;
    return std::get<std::string>(*value);
}

}  // namespace doxa::test
