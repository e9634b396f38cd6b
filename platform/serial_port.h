#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace talvex {

// What kept a port from opening, as the operator is told it: no device there, a device another
// program holds, a device the user may not open, or anything else (the system's words say what).
enum class PortFault { Other, Missing, Busy, NoPermission };

// Why an open failed: the number the operator sees in "Error Code n" and the system's own words.
struct PortError {
    int number = 0;
    QString description;
    PortFault fault = PortFault::Other;
};

// Well-known numbers, kept from the serial control the program has always reported with.
inline constexpr int kErrorInvalidPortNumber = 8002;
inline constexpr int kErrorPortAlreadyOpen = 8005;
inline constexpr int kErrorBadPortSettings = 8010;
inline constexpr int kErrorPortAccess = 8015;

// The one serial line to the radio. Everything the program reads or writes goes through this.
class SerialPort {
public:
    static constexpr int kReceiveBufferSize = 1024;
    static constexpr int kTransmitBufferSize = 512;

    virtual ~SerialPort() = default;

    // Opens port number n with a settings text such as "19200,N,8,1".
    virtual std::optional<PortError> open(int portNumber, const QString& settings) = 0;
    virtual bool isOpen() const = 0;
    // Everything waiting, as one byte string; empties the receive buffer.
    virtual QByteArray readAll() = 0;
    virtual void write(const QByteArray& bytes) = 0;
    virtual void close() = 0;
    // Bits per second of the open line (0 when closed): the answer window adds the time
    // the written bytes need to leave the line.
    virtual int baudRate() const = 0;
    // True once the device went away while open: an unplugged cable, or a radio whose USB
    // port vanishes when it is switched off. The port stays unusable until closed and reopened.
    virtual bool lost() const { return false; }
    // True when bytes arrived with framing or parity errors since the last call: the two
    // ends of the line run at different rates.
    virtual bool takeLineError() { return false; }
    // Called from the event loop when bytes have arrived. A port that never calls it leaves
    // the program to its timers alone.
    virtual void onArrival(std::function<void()> arrived) { (void)arrived; }
};

}  // namespace talvex
