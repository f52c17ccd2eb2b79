#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "link/answer_check.h"
#include "transmitter/service_record.h"

namespace doxa {

class DialogWindow;
class Station;
struct Reply;
struct Request;

// Every request that changes a transmitter, and how its answer is judged. A dialog sends a
// write only through sendWrite() and reads its answer only through judgeWrite(): what an answer
// proves is decided here once, never by a dialog counting bytes.

// Absolute: sending it twice leaves the transmitter as sending it once. Relative: the
// transmitter adds it to what it holds (a correction, an output trim), so a second send of the
// same request is a second correction.
enum class WriteEffect { Absolute, Relative };

// Any register: the transmitter's own MODBUS functions carry none, and HART has none.
inline constexpr int NoRegister = -1;

struct WriteRow {
    PendingRequest::Protocol protocol;
    std::uint8_t command;  // HART command or MODBUS function
    int firstRegister;     // MODBUS register writes; NoRegister otherwise
    // HART: the fewest data bytes that make the command a write (221 without data reads the
    // point count, 220 with the index alone reads a point).
    int minData;
    WriteEffect effect;
    // HART: the dialog compares the echoed data with what it sent (its answer carries what the
    // transmitter kept). Elsewhere the transmitter may return the value it actually applied.
    bool echoCompared;
    // How a relative write's effect is read back; empty where no read exists.
    std::string_view readBack;
    std::string_view name;  // what the write does, for the technician's texts
};

// The table, in one place.
std::span<const WriteRow> writeTable();
// The row of the request written last (the station's pending request); none for a read or a
// request the table does not know.
const WriteRow* writeRowOf(const PendingRequest& request);

enum class WriteVerdict {
    Confirmed,  // the answer proves the write was carried out
    Refused,    // the answer proves it was not: an error code or exception
    Busy,       // not carried out because the transmitter was busy: it may be sent again
    Unknown,    // nothing, a damaged or late answer, accepted and still running, a code unknown here
};

// How every refusal told to the technician begins.
inline constexpr std::string_view RefusedText = "Przetwornik odrzucił zapis: ";

struct WriteJudgement {
    WriteVerdict verdict = WriteVerdict::Unknown;
    // The response code or exception that came, if one did (a warning code with a confirmation).
    std::optional<int> code;
    bool modbus = false;
    bool answered = false;  // anything arrived, taken or not
    const WriteRow* row = nullptr;

    bool confirmed() const { return verdict == WriteVerdict::Confirmed; }
    // "Przetwornik odrzucił zapis: kod 7 (tryb ochrony przed zapisem)" and the like.
    std::string refusalText() const;
    // Confirmed, refused, not confirmed (something came) or no answer: the service history's
    // outcome.
    RecordOutcome outcome() const;
};

// Judges the answer just read (readReply) to the write sent last.
WriteJudgement judgeWrite(const Station& station, const Reply& reply);

// What a dialog does with a write's answer: go on, send the same request again, or stop and
// tell the technician.
struct WriteAnswer {
    enum class Next { Done, Again, Stop };
    Next next = Next::Stop;
    WriteJudgement judgement;
};
// `sends` is how many times the request went out. Busy: again while fewer than BusySends sends
// were made. Unknown: again only where the dialog repeats the write as documented and the table
// allows it (an absolute write); a relative write is never sent again blind.
WriteAnswer answerOfWrite(const Station& station, const Reply& reply, int sends, bool documentedRepeat);
// Sends the write again from `sendState` after an answer that asked for it: after BusyRepeatWait
// when the transmitter was busy, on the dialog's next tick otherwise. Only busy answers count
// towards giving up, so `sends` starts again after any other.
void repeatWrite(Station& station, DialogWindow& window, const WriteAnswer& answer, int sendState, int& sends);
// The text for a write that stopped: the refusal with its code, or `notConfirmed`.
std::string stoppedText(const WriteJudgement& judgement, std::string_view notConfirmed);

// The meaning of a HART response code or a MODBUS exception, in the technician's words.
std::string_view codeMeaning(int code, bool modbus);

// SEND for a write: built and transmitted only when the table knows it. A request the table
// does not know is not sent; the returned text says so (in place of line errors).
std::string sendWrite(Station& station, const Request& request);
// The same for the writes that speak HART whatever the transmission mode.
std::string sendHartWrite(Station& station, const Request& request);

// What the dialogs wait between sends of a write the transmitter answered busy, and how many
// sends it gets in all where the documentation gives no repeat of its own.
inline constexpr int BusyRepeatWait = 500;
inline constexpr int BusySends = 3;

}  // namespace doxa
