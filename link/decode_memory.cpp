#include "decode_steps.h"

#include "bytes.h"
#include "memory_record.h"

namespace talvex::decode {

namespace {

constexpr std::uint8_t kNoData = 0xFF;
constexpr std::uint8_t kEnd = 0xFD;

bool Is(const QByteArray& d, int position, std::uint8_t value)
{
    return ByteAt(d, position) == value;
}

bool Has(const QByteArray& d, int length) { return d.size() >= length; }

// A channel answer: contents start at `c` (channel c, c+1; select c+2; frequency bytes from
// c+3, the displayed ones c+4..c+6; mode c+8; filter c+9; name c+31..c+40; FD at c+41).
// A blank channel answers ch ch FF FD; cut before that FD it is as incomplete as any other
// cut answer and changes nothing.
bool IsBlankAnswer(const QByteArray& d, int c) { return Is(d, c + 2, kNoData) && Is(d, c + 3, kEnd); }

void MemoryAnswer(ProgramState& state, const QByteArray& d, int c, std::optional<int> channelAsked)
{
    if (Is(d, c + 2, kNoData)) {
        if (IsBlankAnswer(d, c))
            BlankChannel(state, channelAsked);
        return;
    }
    if (!Has(d, c + record::kSize))
        return;
    Channel(state, d, c);
    Frequency(state, d, c + 4);
    Mode(state, d, c + 8);
    Filter(state, d, c + 9);
    Select(state, d, c + 2);
    Name(state, d, c + 31);
    CopyToMemoryWindow(state);
}

}  // namespace

bool FrequencyAndMemoryRows(ProgramState& state, const QByteArray& d, std::optional<int> channelAsked)
{
    RadioFields& r = state.radio;
    const QString blank = QStringLiteral(" ");

    // 7: read frequency [echo 1-6, answer 7-17, f1 at 12]
    if (Is(d, 5, 0x03) && Is(d, 6, 0xFD)) {
        if (Has(d, 13) && Is(d, 12, kNoData)) {
            BlankRadioFields(state);
            return true;
        }
        if (Has(d, 17)) {
            Frequency(state, d, 13);
            r.Text2 = r.Text3 = blank;
        }
    }
    // 8: read mode [answer 7-14, mode at 12, filter at 13]
    if (Is(d, 5, 0x04) && Is(d, 6, 0xFD)) {
        if (Has(d, 13) && Is(d, 12, kNoData)) {
            BlankRadioFields(state);
            return true;
        }
        if (Has(d, 14)) {
            Mode(state, d, 12);
            Filter(state, d, 13);
            r.Text2 = r.Text3 = blank;
        }
    }
    // 9: band edges [lower f1-f5 at 12-16, separator 17, upper 18-22, FD 23]
    if (Is(d, 5, 0x02) && Is(d, 6, 0xFD) && Has(d, 23)) {
        Frequency(state, d, state.EdgeUpperNext ? 19 : 13);
        r.Text2 = r.Text3 = r.Text4 = r.Text5 = r.Text6 = blank;
        state.EdgeUpperNext = !state.EdgeUpperNext;
    }
    // 10: frequency set, then 03 [echoes 1-11 and 12-17, answer 18-28]
    if (Is(d, 5, 0x05) && Is(d, 6, 0x00) && Is(d, 11, 0xFD) && Has(d, 28)) {
        Frequency(state, d, 24);
        r.Text2 = r.Text3 = r.Text6 = blank;
    }
    // 11: mode set, read from the echo itself
    if (Is(d, 5, 0x06) && Is(d, 7, 0xFD)) {
        Mode(state, d, 6);
        r.Text2 = r.Text3 = r.Text6 = blank;
    }
    // 12: mode and filter set. The mode is shown too, so the next Filter click, which reads
    // the mode box, sends back the mode just set.
    if (Is(d, 5, 0x06) && Is(d, 8, 0xFD)) {
        Mode(state, d, 6);
        Filter(state, d, 7);
        r.Text2 = r.Text3 = r.Text6 = blank;
    }
    // 13: channel select, then 0B (clear: nothing to show) or 1A 00 ch [echo 9-17, answer 18-]
    if (Is(d, 5, 0x08) && Is(d, 8, 0xFD)) {
        if (Is(d, 13, 0x0B))
            return true;
        if (Is(d, 13, 0x1A)) {
            const bool blankChannel = Is(d, 26, kNoData);
            MemoryAnswer(state, d, 24, channelAsked);
            if (blankChannel)
                return true;  // blank, or a blank cut short: nothing further to read
        }
    }
    // 14: an echoed 1A 00 ch FF
    if (Is(d, 5, 0x1A) && Is(d, 6, 0x00) && Is(d, 9, 0xFF))
        BlankRadioFields(state);
    // 15: memory write; its echo alone carries the contents [channel 7-8, FD at 48]
    if (Is(d, 5, 0x1A) && Is(d, 6, 0x00) && Has(d, 9) && !Is(d, 9, 0xFF) && !Is(d, 9, 0xFD)
        && Has(d, 48) && Is(d, 48, 0xFD)) {
        Channel(state, d, 7);
        Frequency(state, d, 11);
        Mode(state, d, 15);
        Filter(state, d, 16);
        Select(state, d, 9);
        Name(state, d, 38);
    }
    // 16: memory read [echo 1-9, answer from 10, contents from 16]
    if (Is(d, 5, 0x1A) && Is(d, 6, 0x00) && Is(d, 9, 0xFD)) {
        MemoryAnswer(state, d, 16, channelAsked);
        return true;
    }
    return false;
}

}  // namespace talvex::decode
