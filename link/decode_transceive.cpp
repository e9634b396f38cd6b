#include "answer_decoder.h"

#include "bytes.h"
#include "decode_steps.h"
#include "frames.h"

namespace talvex {

void SplitTransceive(ProgramState& state, const QByteArray& data)
{
    // Cut after every FD; a trailing piece without one is a frame too.
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf(static_cast<char>(kEndOfMessage), start);
        if (end < 0)
            end = data.size() - 1;
        DecodeTransceive(state, data.mid(start, end - start + 1));
        start = end + 1;
    }
}

void DecodeTransceive(ProgramState& state, const QByteArray& frame)
{
    const auto command = ByteAt(frame, 5);
    if (command == 0x01 && frame.size() == 8) {
        if (At(frame, 8) != kEndOfMessage)
            return;
        decode::Mode(state, frame, 6);
        decode::Filter(state, frame, 7);
    }
    if (command == 0x00 && frame.size() == 11) {
        if (At(frame, 11) != kEndOfMessage)
            return;
        decode::Frequency(state, frame, 7);
    }
    state.radio.Text2.clear();
    state.radio.Text3.clear();
    state.radio.Text6.clear();
}

}  // namespace talvex
