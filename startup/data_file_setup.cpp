#include "data_file_setup.h"

#include "configuration.h"
#include "datafile/text_routines.h"
#include "startup/opening_boxes.h"

#include "platform/text_file.h"

namespace talvex {

bool RefuseWhileMemoryOperationRuns(const ProgramState& state, Dialogs& dialogs, const QString& refused)
{
    const auto running = RunningMemoryOperation(state);
    if (!running)
        return false;
    dialogs.message(kBusyTitle, BusyRefusal(*running, refused), MessageIcon::None, MessageButtons::Ok);
    return true;
}

DataFileSetup::DataFileSetup(ProgramState& state, DataFile& dataFile, Dialogs& dialogs, ProgramExit& exit)
    : state_(state), dataFile_(dataFile), dialogs_(dialogs), exit_(exit)
{
}

QStringList DataFileSetup::searchFilters()
{
    return {QStringLiteral("Text Files (*.TXT)"), QStringLiteral("All Files (*.*)")};
}

QStringList DataFileSetup::newFileFilters() { return {QStringLiteral("Text Files (*.TXT)")}; }

bool DataFileSetup::refuseConfiguration(const QString& title, const QString& chosen)
{
    if (!IsConfigurationFile(dataFile_.resolve(chosen), dataFile_.workingDirectory()))
        return false;
    dialogs_.message(title, UpperFileName(chosen) + QStringLiteral(" is TALVEX's configuration file ... Choose "
                                                                   "another name for the data file."),
                     MessageIcon::None, MessageButtons::Ok);
    return true;
}

DataSetupFields DataFileSetup::fieldsShown() const { return {state_.CurrentDataFile, QString(), false}; }

void DataFileSetup::showOpened(DataSetupFields& fields, const QString& path)
{
    if (!state_.DataFileOpen || state_.CurrentDataFile != path)
        return;
    fields.current.clear();
    fields.chosen = path;
    fields.chosenOpened = true;
    if (shown_)
        shown_->dataFileShown(path);
}

void DataFileSetup::useDefaultFile(DataSetupFields& fields)
{
    if (RefuseWhileMemoryOperationRuns(state_, dialogs_, kDataFileChange))
        return;
    if (dialogs_.message(QStringLiteral("Default File"), UpperFileName(state_.ConfigDeftFile) + QStringLiteral(" ... Are you sure?"),
                         MessageIcon::None, MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return;
    ShowOpening(dialogs_, exit_, dataFile_.OpenDataFile(state_.ConfigDeftFile, FileMode::Input));
    showOpened(fields, state_.ConfigDeftFile);
}

void DataFileSetup::searchForFile(DataSetupFields& fields)
{
    if (RefuseWhileMemoryOperationRuns(state_, dialogs_, kDataFileChange))
        return;
    const auto chosen = dialogs_.openFile(searchFilters(), 0);
    if (!chosen || chosen->isEmpty())
        return;
    if (refuseConfiguration(QStringLiteral("Search for File"), *chosen))
        return;
    QString path = *chosen;
    ShowOpening(dialogs_, exit_, dataFile_.OpenDataFile(path, FileMode::Input));
    showOpened(fields, path);
}

void DataFileSetup::openNewFile(DataSetupFields& fields)
{
    if (RefuseWhileMemoryOperationRuns(state_, dialogs_, kDataFileChange))
        return;
    const auto chosen = dialogs_.openFile(newFileFilters(), 0, true);
    if (!chosen || chosen->isEmpty() || refuseConfiguration(QStringLiteral("Open New File"), *chosen))
        return;
    // A new file is created empty; an existing one of that name is emptied only when the
    // operator says so.
    if (FileExists(dataFile_.resolve(*chosen))
        && dialogs_.message(QStringLiteral("Open New File"), UpperFileName(*chosen) + QStringLiteral(" ... Are you sure?"),
                            MessageIcon::None, MessageButtons::YesNo)
            != MessageAnswer::Yes)
        return;
    QString path = *chosen;
    ShowOpening(dialogs_, exit_, dataFile_.OpenDataFile(path, FileMode::Output));
    if (!state_.DataFileOpen || state_.CurrentDataFile != path)
        return;
    dataFile_.CloseDataFile();
    ShowOpening(dialogs_, exit_, dataFile_.ReopenDataFile(state_.CurrentDataFile, FileMode::Input));
    showOpened(fields, path);
}

}  // namespace talvex
