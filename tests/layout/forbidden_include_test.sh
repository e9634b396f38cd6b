#!/usr/bin/env bash
# The layout check passes on our tree and stops on each kind of forbidden arrow, and on a window's
# field or caption named where only values belong.
set -euo pipefail
check="$1/cmake/check_layout.cmake"
cmake -DSOURCE_DIR="$1" -P "$check"

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{link,datafile,memory,radio/window,platform,sim,state,channels,cli,app,startup}
touch "$tree"/datafile/data_file.h "$tree"/link/frames.h "$tree"/radio/window/w.cpp
expect_refused() {  # file, include line, what the message must name
  echo "$2" > "$tree/$1"
  if out=$(cmake -DSOURCE_DIR="$tree" -P "$check" 2>&1); then
    echo "not refused: $1 with $2"; exit 1
  fi
  grep -qF "$3" <<<"$out" || { echo "message lacks '$3':"; echo "$out"; exit 1; }
  rm "$tree/$1"
}
expect_refused link/a.cpp '#include "datafile/data_file.h"' 'link/ may not depend on datafile/'
# The data file sits below the memory operations and the start-up: it reaches neither.
expect_refused datafile/d.cpp '#include "memory/update_rig.h"' 'datafile/ may not depend on memory/'
expect_refused datafile/d.cpp '#include "startup/configuration.h"' 'datafile/ may not depend on startup/'
expect_refused startup/s.cpp '#include "memory/update_rig.h"' 'startup/ may not depend on memory/'
expect_refused radio/window/w.h '#include "app/program.h"' 'radio/window/ may not depend on app/'
expect_refused platform/p.cpp '#include "platform/widgets/form_controls.h"' 'platform/ may not depend on platform/widgets/'
expect_refused sim/s.cpp '#include "../link/frames.h"' 'sim/ may not depend on link/'
expect_refused state/s.h '#include "link/frames.h"' 'state/ may not depend on link/'
expect_refused channels/c.cpp '#include "memory/update_rig.h"' 'channels/ may not depend on memory/'
expect_refused cli/c.cpp '#include "app/windows.h"' 'cli/ may not depend on app/'
expect_refused cli/c.cpp '#include "memory/window/memory_main.h"' 'cli/ may not depend on memory/window/'
expect_refused cli/c.cpp '#include <QWidget>' 'cli/c.cpp: includes <QWidget> (cli/ links no Qt Widgets)'
expect_refused cli/c.cpp '#include <QtWidgets/QLabel>' 'cli/ links no Qt Widgets'
expect_refused link/a.cpp '    state.radio.Text7 = QStringLiteral("STATUS = ");' 'link/a.cpp: names the window field Text7'
expect_refused radio/r.cpp 'QString& caption = fields.AutoStatusCaption;' 'names the window field AutoStatusCaption (radio/ keeps values'
expect_refused startup/s.h 'void Text1_Change(const QString& callSign);' 'startup/s.h: names the window field Text1'
expect_refused memory/m.cpp '    c_.state.memory.Text7 = QStringLiteral("END");' 'memory/m.cpp: names the window field Text7'
expect_refused state/s.h '    QString Text7;  // summary line' 'state/s.h: names the window field Text7'
# A window's own fields are its business; names that only contain the words are no field's.
echo 'QString Text7; QString AutoStatusCaption;' > "$tree/radio/window/fields.h"
echo 'QString FrequencyText(long hz); QString kText1; QString caption;' > "$tree/link/ok.h"
# The command line may use the program object.
echo '#include "app/program.h"' > "$tree/cli/ok.cpp"
# A memory file reaching the link is allowed.
echo '#include "link/frames.h"' > "$tree/memory/ok.cpp"
# The list conversions, the memory operations and the start-up may read and write data-file lines.
echo '#include "datafile/data_line.h"' > "$tree/channels/ok.cpp"
echo '#include "datafile/data_file.h"' > "$tree/memory/ok2.cpp"
echo '#include "datafile/text_routines.h"' > "$tree/startup/ok.cpp"
cmake -DSOURCE_DIR="$tree" -P "$check"
