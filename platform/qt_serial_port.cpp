#include "qt_serial_port.h"

#include "port_path.h"
#include "serial_settings.h"

#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace talvex {

namespace {

QSerialPort::Parity ToQt(Parity parity)
{
    switch (parity) {
    case Parity::Even: return QSerialPort::EvenParity;
    case Parity::Odd: return QSerialPort::OddParity;
    case Parity::None: break;
    }
    return QSerialPort::NoParity;
}

// Framing and parity errors the driver counted on this line; nothing where it keeps no count
// (a pseudo-terminal, another system).
std::optional<long> LineErrorCount([[maybe_unused]] QSerialPort& port)
{
#ifdef Q_OS_LINUX
    serial_icounter_struct counts{};
    if (port.isOpen() && ::ioctl(port.handle(), TIOCGICOUNT, &counts) == 0)
        return static_cast<long>(counts.frame) + counts.parity;
#endif
    return std::nullopt;
}

}  // namespace

QtSerialPort::QtSerialPort(QString workingDirectory) : workingDirectory_(std::move(workingDirectory)) {}

std::optional<PortError> QtSerialPort::open(int portNumber, const QString& settingsText)
{
    close();
    const QString path = devicePath_.isEmpty() ? ResolvePortPath(portNumber, workingDirectory_) : devicePath_;
    if (path.isEmpty())
        return PortError{kErrorInvalidPortNumber, QStringLiteral("Invalid port number"), PortFault::Missing};

    const auto settings = ParseSerialSettings(settingsText);
    if (!settings)
        return PortError{kErrorBadPortSettings, QStringLiteral("Invalid port settings")};

    port_.setPortName(path);
    port_.setReadBufferSize(kReceiveBufferSize);
    if (!port_.open(QIODevice::ReadWrite)) {
        const auto error = port_.error();
        const QString description = port_.errorString();
        port_.clearError();
        if (error == QSerialPort::DeviceNotFoundError)
            return PortError{kErrorInvalidPortNumber, description, PortFault::Missing};
        // Qt reports a busy or locked device and a missing permission alike; the file's own
        // permissions tell them apart.
        const QFileInfo info(path);
        if (error == QSerialPort::PermissionError && info.isReadable() && info.isWritable())
            return PortError{kErrorPortAlreadyOpen, description, PortFault::Busy};
        return PortError{kErrorPortAccess, description,
                         error == QSerialPort::PermissionError ? PortFault::NoPermission : PortFault::Other};
    }

    // An IC-7300 whose USB keying is mapped to DTR or RTS would transmit the moment the
    // port opens with them raised, so both go down first of all. A pseudo-terminal has no
    // modem lines; that refusal is not a failure of the open.
    port_.setDataTerminalReady(false);
    port_.setRequestToSend(false);
    dtr_ = port_.isDataTerminalReady();
    rts_ = port_.isRequestToSend();
    port_.clearError();

    const bool applied = port_.setBaudRate(settings->baudRate)
        && port_.setParity(ToQt(settings->parity))
        && port_.setDataBits(settings->dataBits == 7 ? QSerialPort::Data7 : QSerialPort::Data8)
        && port_.setStopBits(settings->stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop)
        && port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!applied) {
        const QString description = port_.errorString();
        port_.close();
        return PortError{kErrorBadPortSettings, description};
    }
    baudRate_ = settings->baudRate;
    port_.clear(QSerialPort::AllDirections);
    lineErrors_ = LineErrorCount(port_).value_or(0);
    return std::nullopt;
}

bool QtSerialPort::isOpen() const { return port_.isOpen(); }

QByteArray QtSerialPort::readAll()
{
    if (!port_.isOpen())
        return {};
    // Pull in what the system holds now; no event loop needs to have run.
    while (port_.bytesAvailable() < kReceiveBufferSize && port_.waitForReadyRead(0)) {
    }
    return port_.readAll();
}

void QtSerialPort::write(const QByteArray& bytes)
{
    if (!port_.isOpen())
        return;
    port_.write(bytes);
    port_.flush();
}

void QtSerialPort::close()
{
    if (port_.isOpen())
        port_.close();
    baudRate_ = 0;
}

int QtSerialPort::baudRate() const { return baudRate_; }

bool QtSerialPort::lost() const { return port_.isOpen() && port_.error() == QSerialPort::ResourceError; }

bool QtSerialPort::takeLineError()
{
    const auto count = LineErrorCount(port_);
    if (!count || *count <= lineErrors_)
        return false;
    lineErrors_ = *count;
    return true;
}

bool QtSerialPort::dataTerminalReady() const { return dtr_; }

bool QtSerialPort::requestToSend() const { return rts_; }


void QtSerialPort::onArrival(std::function<void()> arrived)
{
    QObject::disconnect(&port_, &QSerialPort::readyRead, nullptr, nullptr);
    if (arrived)
        QObject::connect(&port_, &QSerialPort::readyRead, std::move(arrived));
}

}  // namespace talvex
