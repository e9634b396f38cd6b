#include "radio/blank_fields.h"

namespace talvex {

void BlankDisplayFields(ProgramState& state)
{
    RadioFields& r = state.radio;
    r.Text1 = r.Text2 = r.Text3 = r.Text4 = r.Text5 = r.Text6 = QStringLiteral(" ");
}

void BlankMessageAreas(ProgramState& state)
{
    state.radio.Text7 = QStringLiteral(" ");
    state.memory.Text9 = QStringLiteral(" ");
}

}  // namespace talvex
