#pragma once

namespace talvex::cli {

// talvex-mem's exit codes; the man page and README list them. Each names one cause, so a script
// can tell a radio that is off from a channel that did not take its write.
enum ExitCode : int {
    kExitOk = 0,           // everything the command claims was checked against the radio
    kExitUsage = 2,        // unknown command or option, a rate or range the radio does not have
    kExitNoRadio = 3,      // the port cannot be opened, the radio did not answer or is set wrong, the line garbles
    kExitNotVerified = 4,  // a channel did not verify (refused, stored otherwise)
    kExitFile = 5,         // a data file, backup or TALVEX.INI missing, unreadable or unwritable
    kExitChanged = 6,      // rows or lines changed or left out: an import's rows (strict: wrote nothing), the data
                           // file lines write or diff skip; the report names each
    kExitInterrupted = 130,  // stopped by Ctrl-C (SIGINT), SIGTERM or SIGHUP
};

}  // namespace talvex::cli
