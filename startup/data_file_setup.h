#pragma once

#include "state/program_state.h"
#include "datafile/data_file.h"
#include "platform/dialogs.h"
#include "platform/program_exit.h"
#include "startup/opening_shown.h"

#include <QString>
#include <QStringList>

namespace talvex {

// What the Data File Setup window shows: the current file when it opened, and the file chosen
// here once it opened.
struct DataSetupFields {
    QString current;
    QString chosen;
    bool chosenOpened = false;
};

// While a memory operation runs, the data file it reads or writes must stay the current one:
// tells the operator which operation runs, that `refused` is refused and that Stop ends it, and
// returns true (refused).
bool RefuseWhileMemoryOperationRuns(const ProgramState& state, Dialogs& dialogs, const QString& refused);
inline const QString kDataFileChange = QStringLiteral("Changing the data file");

// The Data File Setup window's work: make the default file, a chosen file or a new empty file
// the current data file. TALVEX.INI is not touched.
class DataFileSetup {
public:
    DataFileSetup(ProgramState& state, DataFile& dataFile, Dialogs& dialogs, ProgramExit& exit);
    // The Memory window shows the file that opened; none, nothing is told.
    void setShown(OpeningShown* shown) { shown_ = shown; }

    // What the window opens with: the current file, nothing chosen yet.
    DataSetupFields fieldsShown() const;
    void useDefaultFile(DataSetupFields& fields);
    void searchForFile(DataSetupFields& fields);
    void openNewFile(DataSetupFields& fields);

    static QStringList searchFilters();
    static QStringList newFileFilters();

private:
    // TALVEX.INI chosen as a data file: Create File or a new file would empty the program's own
    // configuration. Tells the operator and returns true (refused).
    bool refuseConfiguration(const QString& title, const QString& chosen);
    // Shows the newly current file, but only once it really opened.
    void showOpened(DataSetupFields& fields, const QString& path);

    ProgramState& state_;
    DataFile& dataFile_;
    Dialogs& dialogs_;
    ProgramExit& exit_;
    OpeningShown* shown_ = nullptr;
};

}  // namespace talvex
