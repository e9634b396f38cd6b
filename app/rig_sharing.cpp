#include "rig_sharing.h"


namespace talvex {

RigSharing::RigSharing(Program& program, TcpServer& socket, const Clock& clock)
    : program_(program),
      service_(program.state, program.link, program.platform.timers, clock, [&program] { program.notifyDisplay(); }),
      server_(socket, service_, program.platform.timers)
{
    program.link.addExchangeListener([this](const Exchange& closed) { service_.exchangeClosed(closed); });
    program.link.addBetweenListener([this](const QByteArray& bytes) { service_.bytesBetween(bytes); });
    // Every way out of the program closes the port: a client's transmitter is not left keyed.
    program.startup.setBeforePortClose([this] { service_.releaseBeforePortCloses(); });
    program.setup.setServeAt([this](const std::optional<ServerAddress>& address) { return serve(address); });
}

RigSharing::~RigSharing()
{
    program_.setup.setServeAt({});
    program_.startup.setBeforePortClose({});
}

std::optional<QString> RigSharing::serve(const std::optional<ServerAddress>& address)
{
    if (address == serving_)
        return std::nullopt;
    server_.stop();
    serving_.reset();
    if (address)
        return start(*address);
    program_.state.ServerNotice = QStringLiteral("Rig server: stopped");
    program_.notifyDisplay();
    return std::nullopt;
}

std::optional<QString> RigSharing::start(const ServerAddress& address)
{
    const auto error = server_.start(address.host, address.port);
    if (!error)
        serving_ = address;
    program_.state.ServerNotice = error ? QStringLiteral("Rig server: cannot listen on %1: %2")
                                                    .arg(ServerAddressText(address), *error)
                                              : QStringLiteral("Rig server: listening on %1")
                                                    .arg(ServerAddressText(address));
    program_.notifyDisplay();
    return error;
}

ServerChoice ChooseServerAddress(const QStringList& arguments, const QString& directory)
{
    const QString option = QStringLiteral("--rig-server");
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString value;
        if (arguments[i] == option && i + 1 < arguments.size())
            value = arguments[i + 1];
        else if (arguments[i].startsWith(option + QLatin1Char('=')))
            value = arguments[i].mid(option.size() + 1);
        else if (arguments[i] != option)
            continue;
        if (const auto address = ParseServerAddress(value))
            return {address, std::nullopt};
        return {std::nullopt, QStringLiteral("--rig-server takes [ADDRESS:]PORT, a port 1-65535 (e.g. 4532 or "
                                             "127.0.0.1:4532), not \"%1\"")
                                  .arg(value)};
    }
    return {ReadServerSetting(directory), std::nullopt};
}

}  // namespace talvex
