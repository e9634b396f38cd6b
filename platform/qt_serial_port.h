#pragma once

#include "serial_port.h"

#include <QSerialPort>

namespace talvex {

// The real line, on QSerialPort. Reads and writes work without a running event loop, so the
// program's timers can poll it just as they poll the scripted port in tests.
class QtSerialPort final : public SerialPort {
public:
    explicit QtSerialPort(QString workingDirectory);

    std::optional<PortError> open(int portNumber, const QString& settings) override;
    // A device path to open whatever port number is asked for (the command line's --port
    // /dev/ttyUSB0); empty, the number decides as TALVEX.INI's "COMn" does.
    void setDevicePath(QString path) { devicePath_ = std::move(path); }
    bool isOpen() const override;
    QByteArray readAll() override;
    void write(const QByteArray& bytes) override;
    void close() override;
    int baudRate() const override;
    bool lost() const override;
    bool takeLineError() override;
    void onArrival(std::function<void()> arrived) override;

    // What the modem lines were left at, for the check that opening never keys the radio.
    bool dataTerminalReady() const;
    bool requestToSend() const;

private:
    QString workingDirectory_;
    QString devicePath_;
    QSerialPort port_;
    int baudRate_ = 0;
    bool dtr_ = false;
    bool rts_ = false;
    long lineErrors_ = 0;  // framing and parity errors the driver had counted at the last look
};

}  // namespace talvex
