#pragma once

#include <string_view>

#include "transmitter/service_record.h"

namespace doxa {

// What the technician reads for the kind and the outcome of a record; the exports keep the
// English names of kindName() and outcomeName().
std::string_view kindText(RecordKind kind);
std::string_view outcomeText(RecordOutcome outcome);

}  // namespace doxa
