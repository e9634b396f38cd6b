#include "list_options.h"

#include "link/format.h"
#include "link/radio_model.h"

#include <algorithm>

namespace talvex::cli {

namespace {

std::optional<int> ChannelNumber(const QString& text)
{
    const bool digits = std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    if (text.isEmpty() || text.size() > QString::number(kRadio.lastChannel).size() || !digits)
        return std::nullopt;
    const int number = text.toInt();
    if (number < kRadio.firstChannel || number > kRadio.lastChannel)
        return std::nullopt;
    return number;
}

QString Quoted(const std::optional<QString>& text) { return u'"' + text.value_or(QString()) + u'"'; }

// The options that choose broadcasts from an EiBi schedule: only with --eibi.
const QStringList kScheduleOptions{QStringLiteral("--at"),       QStringLiteral("--days"),
                                   QStringLiteral("--language"), QStringLiteral("--target"),
                                   QStringLiteral("--station"),  QStringLiteral("--max")};
const QStringList kImportOptions = kScheduleOptions + QStringList{QStringLiteral("--eibi"), QStringLiteral("--full"),
                                                                  QStringLiteral("--strict"), QStringLiteral("--renumber"),
                                                                  QStringLiteral("--first")};
const QStringList kExportOptions{QStringLiteral("--from"), QStringLiteral("--from-radio")};

}  // namespace

ListOptionStep TakeListOption(const QStringList& arguments, qsizetype& i, ListOptions& list)
{
    const QString argument = arguments[i];
    if (!kImportOptions.contains(argument) && !kExportOptions.contains(argument))
        return {};
    if (list.given.contains(argument))
        return {true, argument + QStringLiteral(" is given twice")};
    list.given << argument;
    auto value = [&]() -> std::optional<QString> {
        if (i + 1 >= arguments.size())
            return std::nullopt;
        return arguments[++i];
    };
    auto text = [&](const char* what) -> ListOptionStep {
        const auto given = value();
        if (!given || given->trimmed().isEmpty())
            return {true, argument + QStringLiteral(" needs ") + QLatin1String(what)};
        return {true, {}};
    };
    if (argument == u"--from-radio") {
        list.fromRadio = true;
    } else if (argument == u"--eibi") {
        list.eibi = true;
    } else if (argument == u"--full") {
        list.import.full = true;
    } else if (argument == u"--strict") {
        list.import.strict = true;
    } else if (argument == u"--renumber") {
        list.import.renumber = true;
    } else if (argument == u"--from") {
        if (auto step = text("a data file"); !step.error.isEmpty())
            return step;
        list.from = arguments[i];
    } else if (argument == u"--first" || argument == u"--max") {
        const auto given = value();
        const auto number = given ? ChannelNumber(*given) : std::nullopt;
        if (!number)
            return {true, argument + QStringLiteral(" must be a whole number ") + ChannelRangeText() + QStringLiteral(", not ")
                              + Quoted(given)};
        if (argument == u"--first")
            list.import.firstChannel = list.filter.firstChannel = *number;
        else
            list.filter.max = *number;
    } else if (argument == u"--at") {
        const auto given = value();
        const auto minute = given ? channels::MinuteOfHhmm(*given) : std::nullopt;
        if (!minute)
            return {true, QStringLiteral("--at must be a UTC time HHMM, 0000-2359, not ") + Quoted(given)};
        list.filter.atMinute = minute;
    } else if (argument == u"--days") {
        const auto given = value();
        const auto days = given && !given->trimmed().isEmpty() ? channels::WeekdaysOf(*given) : std::nullopt;
        if (!days)
            return {true, QStringLiteral("--days must be days as the schedule writes them (SaSu, Mo-Fr, We-Mo, 1245, Sa,Su), not ")
                              + Quoted(given)};
        list.filter.days = *days;
    } else if (argument == u"--language") {
        if (auto step = text("a language code"); !step.error.isEmpty())
            return step;
        list.filter.language = arguments[i].trimmed();
    } else if (argument == u"--target") {
        if (auto step = text("a target"); !step.error.isEmpty())
            return step;
        list.filter.target = arguments[i].trimmed();
    } else if (argument == u"--station") {
        if (auto step = text("a part of a station name"); !step.error.isEmpty())
            return step;
        list.filter.station = arguments[i];
    }
    return {true, {}};
}

QString CheckListOptions(bool exporting, bool importing, const ListOptions& list)
{
    for (const QString& option : list.given) {
        if (kExportOptions.contains(option) && !exporting)
            return option + QStringLiteral(" belongs to export");
        if (kImportOptions.contains(option) && !importing)
            return option + QStringLiteral(" belongs to import");
    }
    if (list.from && list.fromRadio)
        return QStringLiteral("--from and --from-radio exclude each other: one source");
    if (list.eibi) {
        if (list.given.contains(QStringLiteral("--renumber")))
            return QStringLiteral("--renumber belongs to a CHIRP import: a schedule's channels are numbered from --first");
        return {};
    }
    for (const QString& option : kScheduleOptions) {
        if (list.given.contains(option))
            return option + QStringLiteral(" belongs to import --eibi");
    }
    if (list.given.contains(QStringLiteral("--first")) && !list.import.renumber)
        return QStringLiteral("--first goes with --renumber (or --eibi): without it Location says the channel");
    return {};
}

}  // namespace talvex::cli
