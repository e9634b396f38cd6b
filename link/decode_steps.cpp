#include "decode_steps.h"

#include "bcd.h"
#include "bytes.h"
#include "format.h"
#include "memory_record.h"

namespace talvex::decode {

namespace {

const QString kBlank = QStringLiteral(" ");
const QString kSixBlanks = QStringLiteral("      ");

}  // namespace

void Frequency(ProgramState& state, const QByteArray& data, int p)
{
    state.FrequencyDisplay = FormatFrequency(BcdToDecimal(At(data, p + 2)), BcdToDecimal(At(data, p + 1)),
                                             BcdToDecimal(At(data, p)));
    state.radio.Text1 = state.FrequencyDisplay;
}

void Mode(ProgramState& state, const QByteArray& data, int p)
{
    const std::uint8_t code = At(data, p);
    state.ModeValue = BytesToText(data.mid(p - 1, 1), state.HexDisplay);
    const QString name = ModeName(code);
    if (!name.isEmpty())
        state.radio.Text4 = name;
}

void Filter(ProgramState& state, const QByteArray& data, int p)
{
    const std::uint8_t code = At(data, p);
    state.FilterValue = BytesToText(data.mid(p - 1, 1), state.HexDisplay);
    if (kRadio.holdsFilter(code))
        state.radio.Text5 = QStringLiteral("Fil ") + QString::number(code);
}

void Select(ProgramState& state, const QByteArray& data, int p)
{
    const std::uint8_t code = At(data, p);
    state.SelectValue = BytesToText(data.mid(p - 1, 1), state.HexDisplay);
    // A channel in any of the select groups is marked; left alone, a group after the first
    // would show the previous channel's mark.
    if (code == 0)
        state.radio.Text3 = kBlank;
    else if (code <= kRadio.selectGroups)
        state.radio.Text3 = QStringLiteral("*");
}

void Channel(ProgramState& state, const QByteArray& data, int p)
{
    const int high = BcdToDecimal(At(data, p));
    const int low = BcdToDecimal(At(data, p + 1));
    if (high == 0)
        state.radio.Text2 = QString::number(low);
    else if (const int channel = high * 100 + low; kRadio.isScanEdge(channel))
        state.radio.Text2 = ChannelName(channel);
}

void Name(ProgramState& state, const QByteArray& data, int p)
{
    state.LabelField = QString::fromLatin1(data.mid(p - 1, record::kNameSize));
    state.LabelText = state.LabelField.right(1);
    state.radio.Text6 = state.LabelField;
}

void CopyToMemoryWindow(ProgramState& state)
{
    const RadioFields& r = state.radio;
    MemoryFields& m = state.memory;
    m.Text3 = r.Text1;
    m.Text1 = r.Text2;
    m.Text2 = r.Text3;
    m.Text4 = r.Text4;
    m.Text5 = r.Text5;
    m.Text6 = r.Text6;
    state.showMemoryMessage(r.Text2 + kSixBlanks + r.Text3 + kSixBlanks + r.Text1 + kSixBlanks + r.Text4 + kSixBlanks
                            + r.Text5 + kSixBlanks + r.Text6);
}

void BlankRadioFields(ProgramState& state)
{
    RadioFields& r = state.radio;
    r.Text1 = r.Text2 = r.Text3 = r.Text4 = r.Text5 = r.Text6 = kBlank;
}

void BlankChannel(ProgramState& state, std::optional<int> channelAsked)
{
    BlankRadioFields(state);
    MemoryFields& m = state.memory;
    m.Text3.clear();
    m.Text1 = channelAsked ? QString::number(*channelAsked) : QString();
    m.Text2.clear();
    m.Text4.clear();
    m.Text5.clear();
    m.Text6.clear();
    state.showMemoryMessage(QStringLiteral("Blank"));
}

}  // namespace talvex::decode
