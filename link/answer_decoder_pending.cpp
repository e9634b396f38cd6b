#include "answer_decoder.h"

namespace talvex {

// The answer decoders are built separately; until they land, answers are only shown raw.
void DecodeAnswer(ProgramState&, const QByteArray&) {}
void SplitTransceive(ProgramState&, const QByteArray&) {}

}  // namespace talvex
