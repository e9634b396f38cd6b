#pragma once

namespace talvex {

// Why an operation stopped before its end, as each face needs it (talvex-mem's exit code, for
// one) without reading the words of the message the operator is told.
enum class StopKind {
    SilentRadio,  // the radio stopped answering
    PortLost,     // the serial port closed under the operation
    LineGarbles,  // the radio answers, but the line damages its answers or changes them between reads
    FileError,    // a data file or backup could not be read or written
    Operator,     // Stop, Ctrl-C or a signal that ends the program
};

}  // namespace talvex
