#pragma once

#include <QByteArray>
#include <QString>

namespace talvex::testing {

// A pseudo-terminal whose terminal side is linked as `COMn` in a directory, so the program's
// real serial port opens it by number; the test holds the other side and plays the radio.
class PtyPair {
public:
    PtyPair(const QString& directory, const QString& linkName);
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return master_ >= 0; }
    QString terminalPath() const { return terminalPath_; }
    void write(const QByteArray& bytes);
    // What the program has written so far, waiting up to `timeoutMs` for the first byte.
    QByteArray read(int timeoutMs);

private:
    int master_ = -1;
    int slave_ = -1;
    QString terminalPath_;
    QString linkPath_;
};

}  // namespace talvex::testing
