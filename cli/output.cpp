#include "output.h"

#include "exit_codes.h"
#include "printable.h"

#include <QJsonObject>

namespace talvex::cli {

namespace {

void Write(std::FILE* file, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
    std::fflush(file);
}

QString ResultOf(int code)
{
    switch (code) {
    case kExitOk: return QStringLiteral("done");
    case kExitUsage: return QStringLiteral("usage error");
    case kExitInterrupted: return QStringLiteral("interrupted");
    default: break;
    }
    return QStringLiteral("failed");
}

}  // namespace

void Output::toError(const QString& text) { Write(err_, (QStringLiteral("talvex-mem: ") + PrintableLines(text.split(u'\n'))).toUtf8()); }

void Output::error(const QString& text)
{
    errors_ << text;
    toError(text);
}

void Output::note(const QString& text) { toError(text); }

void Output::report(const QString& text, const QByteArray& jsonText)
{
    if (reported_)
        return;
    reported_ = true;
    if (json_)
        Write(out_, jsonText);
    else
        Write(reportOut_, text.toUtf8());
}

bool Output::data(const QByteArray& bytes)
{
    const auto written = std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out_);
    return std::fflush(out_) == 0 && written == static_cast<std::size_t>(bytes.size());
}

int Output::end(int code, const QString& operation)
{
    if (json_ && !reported_) {
        QJsonObject object{{QStringLiteral("operation"), operation},
                           {QStringLiteral("result"), ResultOf(code)},
                           {QStringLiteral("exitCode"), code}};
        if (!errors_.isEmpty())
            object.insert(QStringLiteral("why"), errors_.join(u'\n'));
        report(QString(), JsonText(object));
    }
    return code;
}

}  // namespace talvex::cli
