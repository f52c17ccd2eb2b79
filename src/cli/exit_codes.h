#pragma once

namespace doxa::cli {

// What a script may rely on; the man page and --help list the same table.
enum ExitCode : int {
    ExitOk = 0,
    ExitNoAnswer = 1,      // the transmitter did not answer (in time)
    ExitBadInput = 2,      // the command line, an address or a file is not usable
    ExitNotConfirmed = 3,  // the transmitter did not confirm what was written into it
    ExitPortFailed = 4,    // the port could not be opened
    ExitDeviceStatus = 5,  // the transmitter reported a malfunction, a sensor break or its PV out of limits
    ExitRecordNotKept = 6, // a service record could not be kept anywhere (told on standard error)
    ExitInterrupted = 130, // stopped by Ctrl-C or SIGTERM before it was done
};

}  // namespace doxa::cli
