#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace talvex::cli {

// Where talvex-mem's words go. The end report goes to standard output: text, or with --json one
// JSON object; every other word (errors, the engine's messages) goes to standard error. With
// --json exactly one object is printed on every exit: a run that ends before its report (a
// usage error, a missing TALVEX.INI, a port that cannot be opened, Ctrl-C before a report)
// gets one naming the exit code and the errors told.
class Output {
public:
    explicit Output(bool json, std::FILE* out = stdout, std::FILE* err = stderr) : json_(json), out_(out), err_(err) {}
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    bool json() const { return json_; }
    // Standard output carries a file (`read -`, `export -`): the text report goes to standard
    // error instead.
    void reportToStandardError() { reportOut_ = err_; }

    // "talvex-mem: TEXT" on standard error; with --json it is also the object's "why" when no
    // report is printed.
    void error(const QString& text);
    // The same, for what is not a failure (the engine's notes and advice).
    void note(const QString& text);
    // The end report: `text` (printable lines) or `jsonText` (one object), once.
    void report(const QString& text, const QByteArray& jsonText);
    bool reported() const { return reported_; }
    // A file's bytes on standard output; false when they did not all go.
    bool data(const QByteArray& bytes);

    // Ends the run with `code`: with --json and no report printed, the object for it, naming
    // `operation` ("read", "usage"). Returns `code`.
    int end(int code, const QString& operation);

private:
    void toError(const QString& text);

    bool json_;
    std::FILE* out_;
    std::FILE* err_;
    std::FILE* reportOut_ = out_;
    bool reported_ = false;
    QStringList errors_;
};

}  // namespace talvex::cli
