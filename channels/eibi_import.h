#pragma once

// Channels from an EiBi broadcast schedule (sked-XNN.csv): lines of 11 fields separated by
// ";" (kHz; Time(UTC) HHMM-HHMM; Days; ITU; Station; Lng; Target; Remarks; P; Start; Stop).
// Each frequency the filters let through becomes one AM channel labelled with its station;
// the broadcasts the filters leave out are counted in the result's notes.

#include "channels/eibi_filter.h"
#include "channels/import_report.h"

#include <QByteArray>

namespace talvex::channels {

// `options.renumber` and `options.firstChannel` are not used: the filter numbers the channels.
ImportResult ImportEibi(const QByteArray& bytes, const EibiFilter& filter, const ImportOptions& options);

}  // namespace talvex::channels
