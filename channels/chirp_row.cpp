#include "channels/chirp_row.h"

#include "channels/channel_lines.h"
#include "channels/chirp_export.h"
#include "channels/record_fields.h"
#include "link/bcd.h"
#include "link/format.h"
#include "link/radio_model.h"

#include <QRegularExpression>

#include <array>

namespace talvex::channels {

namespace {

QString Quoted(const QString& text) { return u'"' + text + u'"'; }

// Megahertz text as CHIRP writes it ("14.074000", "7.1", "146"), to the hertz.
std::optional<std::int64_t> HzOfText(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^\\s*(\\d{1,5})(?:\\.(\\d{0,6}))?\\s*$"));
    const auto match = shape.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong() * 1'000'000 + match.captured(2).leftJustified(6, u'0').toLongLong();
}

bool InRadioRange(std::int64_t hz) { return kRadio.holdsFrequency(hz); }

QString RangeText(std::int64_t hz)
{
    return QStringLiteral("frequency ") + MegahertzText(hz) + QStringLiteral(" MHz is outside ") + MemoryRangeText();
}

// "88.5" to 885; nothing for what is no tone of one decimal.
std::optional<int> ToneOfText(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^\\s*(\\d{2,3})(?:\\.(\\d))?0*\\s*$"));
    const auto match = shape.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt() * 10 + match.captured(2).toInt();
}

// Modes other radios have that this one does the same way, a little wider or narrower, and the
// mode of its own each is written as; the report names them. CHIRP writes the radio's own modes
// by their names in capitals ("CWR").
struct NearMode {
    const char16_t* chirp;
    const char16_t* own;
};
constexpr std::array<NearMode, 7> kNearModes{{{u"NFM", u"FM"},
                                              {u"WFM", u"FM"},
                                              {u"NAM", u"AM"},
                                              {u"NCW", u"CW"},
                                              {u"NCWR", u"CWr"},
                                              {u"FSK", u"RTTY"},
                                              {u"FSKR", u"RTTYr"}}};

std::optional<int> NearModeCode(const QString& text)
{
    for (const NearMode& mode : kNearModes) {
        if (text.compare(QString::fromUtf16(mode.chirp), Qt::CaseInsensitive) == 0)
            return ModeCode(QString::fromUtf16(mode.own));
    }
    return std::nullopt;
}

// A name the radio can hold: accents taken off, any other character it cannot show a "?", the
// rest cut.
QString RadioLabel(const QString& name, QStringList& changes)
{
    QString label;
    for (const QChar c : name.normalized(QString::NormalizationForm_KD)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        label += kRadio.holdsLabelCharacter(c.unicode()) ? c : QChar(u'?');
    }
    label = label.left(kRadio.labelLength);
    if (label != name)
        changes << QStringLiteral("name ") + Quoted(name) + QStringLiteral(" written ") + Quoted(label);
    return label.leftJustified(kRadio.labelLength, u' ');
}

// A small number column (filter, data mode, select group): empty gives `none`.
int SmallNumber(const ChirpRow& row, Column column, int low, int high, int none, QStringList& changes)
{
    const QString text = row[column].trimmed();
    if (text.isEmpty())
        return none;
    if (const auto value = WholeNumberIn(text, low, high))
        return *value;
    changes << kColumnNames[column] + u' ' + Quoted(text) + QStringLiteral(" is not ") + QString::number(low)
            + u'-' + QString::number(high) + QStringLiteral(": taken as ") + QString::number(none);
    return none;
}

// The row's tone setting written into `set`. `recordRow` is what the row's own record exports as.
void PutTone(const ChirpRow& row, const std::optional<ChirpRow>& recordRow, SettingsFields& set, QStringList& changes)
{
    const auto same = [&](Column column) { return recordRow && row[column] == (*recordRow)[column]; };
    if (same(kTone) && same(kRToneFreq) && same(kCToneFreq))
        return;  // the record's own tone setting, whatever it holds
    const QString mode = row[kTone].trimmed();
    const auto repeater = ToneOfText(row[kRToneFreq]);
    const auto squelch = ToneOfText(row[kCToneFreq]);
    // Tones no tone mode uses matter only to a row that came from this radio's record, and
    // only when the row changed them.
    if (recordRow && !same(kRToneFreq) && repeater && kRadio.holdsTone(*repeater))
        set.repeaterTone = *repeater;
    if (recordRow && !same(kCToneFreq) && squelch && kRadio.holdsTone(*squelch))
        set.squelchTone = *squelch;
    set.toneType = 0;
    if (mode.isEmpty())
        return;
    if (mode != u"Tone" && mode != u"TSQL") {
        const QString what = mode.startsWith(u"DTCS") ? QStringLiteral("DTCS ") + row[kDtcsCode].trimmed()
                                                      : QStringLiteral("tone mode ") + mode;
        changes << what + QStringLiteral(" has no ") + RadioName() + QStringLiteral(" setting: tone off");
        return;
    }
    const bool isTone = mode == u"Tone";
    const auto tone = isTone ? repeater : squelch;
    const Column column = isTone ? kRToneFreq : kCToneFreq;
    if (!tone || !kRadio.holdsTone(*tone)) {
        changes << kColumnNames[column] + u' ' + row[column].trimmed() + QStringLiteral(" is not one of the radio's ")
                + QString::number(kRadio.tones.size()) + QStringLiteral(" tones: tone off");
        return;
    }
    (isTone ? set.repeaterTone : set.squelchTone) = *tone;
    set.toneType = isTone ? 1 : 2;
}

// The transmit frequency the row asks for, or the receive frequency when it asks for none
// the radio can hold.
std::int64_t TransmitHz(const ChirpRow& row, std::int64_t receiveHz, QStringList& changes)
{
    const QString duplex = row[kDuplex].trimmed();
    if (duplex.isEmpty())
        return receiveHz;
    const auto offset = HzOfText(row[kOffset]);
    if (duplex == u"off" || !offset || (duplex != u"split" && duplex != u"+" && duplex != u"-")) {
        changes << QStringLiteral("duplex ") + Quoted(duplex) + QStringLiteral(" offset ") + Quoted(row[kOffset])
                + QStringLiteral(" has no ") + RadioName() + QStringLiteral(" setting: simplex");
        return receiveHz;
    }
    const std::int64_t transmit = duplex == u"split" ? *offset : duplex == u"+" ? receiveHz + *offset : receiveHz - *offset;
    if (!InRadioRange(transmit)) {
        changes << QStringLiteral("transmit ") + RangeText(transmit) + QStringLiteral(": simplex");
        return receiveHz;
    }
    if (duplex != u"split")
        changes << QStringLiteral("duplex ") + duplex + u' ' + MegahertzText(*offset)
                + QStringLiteral(" MHz made a split channel, transmit ") + MegahertzText(transmit) + QStringLiteral(" MHz");
    return transmit;
}

std::optional<MemoryRecord> RecordOfRow(const ChirpRow& row, QStringList& changes)
{
    const QString hex = row[kRecord].trimmed();
    if (hex.isEmpty())
        return std::nullopt;
    static const QRegularExpression shape(QStringLiteral("^[0-9A-Fa-f]{%1}$").arg(2 * record::kSize));
    if (shape.match(hex).hasMatch())
        return MemoryRecord::from(QByteArray::fromHex(hex.toLatin1()));
    changes << kColumnNames[kRecord] + QStringLiteral(" is not a ") + QString::number(record::kSize)
            + QStringLiteral("-byte record: ignored");
    return std::nullopt;
}

// The line the row gives back unchanged when it says exactly what that line says.
std::optional<QString> LineSaidExactly(const ChirpRow& row, int channel, std::int64_t hz, int mode, const QString& name)
{
    if (name.size() > kRadio.labelLength || hz % 100 != 0)
        return std::nullopt;
    LineFields fields{channel, hz, mode, WholeNumberIn(row[kFilter].trimmed(), 1, kRadio.filters),
                      row[kSelectGroup].trimmed() != u"0" && !row[kSelectGroup].trimmed().isEmpty(),
                      name.leftJustified(kRadio.labelLength, u' '), std::nullopt};
    QStringList ignored;
    fields.record = RecordOfRow(row, ignored);
    if (fields.record && fields.record->channelField() != ChannelBytesOf(channel))
        return std::nullopt;
    const QString line = LineOf(fields);
    const auto again = ChirpRowOfLine(line);
    if (!again)
        return std::nullopt;
    for (Column column : {kName, kFrequency, kDuplex, kOffset, kTone, kRToneFreq, kCToneFreq, kMode, kFilter,
                          kDataMode, kSelectGroup, kRecord}) {
        if ((*again)[column] != row[column])
            return std::nullopt;
    }
    return line;
}

}  // namespace

RowLine LineOfRow(const ChirpRow& row, int channel)
{
    RowLine result;
    QStringList& changes = result.changes;
    const auto hz = HzOfText(row[kFrequency]);
    if (!hz) {
        changes << QStringLiteral("frequency ") + Quoted(row[kFrequency]) + QStringLiteral(" is no frequency: left out");
        return result;
    }
    if (!InRadioRange(*hz)) {
        changes << RangeText(*hz) + QStringLiteral(": left out");
        return result;
    }
    std::optional<int> mode = ModeCode(row[kMode].trimmed());
    if (!mode) {
        mode = NearModeCode(row[kMode].trimmed());
        if (!mode) {
            changes << QStringLiteral("mode ") + Quoted(row[kMode]) + QStringLiteral(" is not an ") + RadioName()
                    + QStringLiteral(" mode: left out");
            return result;
        }
        changes << QStringLiteral("mode ") + row[kMode].trimmed() + QStringLiteral(" written as ") + ModeName(*mode).toUpper();
    }
    if (changes.isEmpty()) {
        if (auto exact = LineSaidExactly(row, channel, *hz, *mode, row[kName])) {
            result.line = exact;
            return result;
        }
    }

    const QByteArray channelBytes = ChannelBytesOf(channel);
    std::optional<MemoryRecord> carried = RecordOfRow(row, changes);
    if (carried)
        carried->setChannelField(channelBytes);
    const QString label = RadioLabel(row[kName], changes);
    // An empty column leaves the record's setting; without a record, the memory write's own.
    const int filter = SmallNumber(row, kFilter, 1, kRadio.filters, carried ? carried->filter() : 2, changes);
    const MemoryRecord base = carried ? *carried : BlankChannelRecord(channelBytes, {FrequencyBytesOf(*hz), *mode, filter, false, label});
    const RecordFields before = FieldsOf(base);
    RecordFields after = before;
    after.select = SmallNumber(row, kSelectGroup, 0, kRadio.selectGroups, before.select, changes);
    after.name = label;
    SettingsFields& receive = after.receive;
    receive.hz = *hz;
    receive.mode = *mode;
    receive.filter = filter;
    receive.dataMode = SmallNumber(row, kDataMode, 0, kRadio.dataModes, before.receive.dataMode, changes);
    if (receive.dataMode != 0 && !ModeCarriesData(*mode)) {
        changes << QStringLiteral("data mode ") + QString::number(receive.dataMode) + QStringLiteral(" dropped: ")
                + ModeName(*mode).toUpper() + QStringLiteral(" cannot carry it");
        receive.dataMode = 0;
    }
    PutTone(row, carried ? std::optional<ChirpRow>(ChirpRowOfRecord(*carried)) : std::nullopt, receive, changes);
    const std::int64_t transmitHz = TransmitHz(row, *hz, changes);
    // A transmit side the record already had keeps its own settings (mode, filter, tones);
    // a new one copies receive.
    const bool split = transmitHz != *hz || row[kDuplex].trimmed() == u"split";
    if (!split || !base.isSplit())
        after.transmit = receive;
    after.transmit.hz = transmitHz;

    const MemoryRecord written = WithChanges(base, before, after);
    LineFields fields = LineFieldsOfRecord(channel, written);
    if (!carried && written == BlankChannelRecord(channelBytes, written.visible()))
        fields.record.reset();  // the visible zones hold it all
    result.line = LineOf(fields);
    return result;
}

}  // namespace talvex::channels
