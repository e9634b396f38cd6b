#pragma once

// What an import made of a list: the data file's lines and, row by row, everything it changed
// or left out because the radio cannot hold it.

#include "link/radio_model.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace talvex::channels {

struct ImportOptions {
    bool strict = false;    // any change or refusal refuses the whole file
    bool full = false;      // all 99 channel lines, the absent ones blank (Update Rig clears them)
    bool renumber = false;  // channels packed from firstChannel in row order, whatever Location says
    int firstChannel = kRadio.firstChannel;
    QString title = QStringLiteral("TALVEX.TXT");  // the data file's title line
};

struct ReportLine {
    int row = 0;  // the file line the row starts on; 0 for the file as a whole
    QString text;
    QString shown() const
    {
        return row == 0 ? text : QStringLiteral("row ") + QString::number(row) + QStringLiteral(": ") + text;
    }
};

struct ImportResult {
    QStringList lines;  // the data file, nothing when refused
    std::vector<ReportLine> report;
    int channels = 0;  // channel lines written
    QStringList notes;  // what the file is, beside the report ("97 channels written blank")
    bool refused = false;
    // Something was changed or left out: the exit code of the command says so.
    bool changed() const { return !report.empty(); }
};

}  // namespace talvex::channels
