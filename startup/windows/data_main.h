#pragma once

#include "startup/data_file_setup.h"
#include "startup/program_controls.h"

#include <QMainWindow>

class QLineEdit;

namespace talvex {

// The Data File Setup window: the default file, a file searched for, or a new empty one
// becomes the current data file. Created for each showing; deletes itself when closed.
class DataMain final : public QMainWindow {
    Q_OBJECT
public:
    explicit DataMain(ProgramControls program, QWidget* parent = nullptr);

private:
    void buildControls(QWidget& client);
    void buildMenus();
    // Runs one of the file choices and shows its outcome here and in the Memory window.
    void choose(void (DataFileSetup::*choice)(DataSetupFields&));
    void returnToMemoryWindow();
    void showFields(const DataSetupFields& fields);

    ProgramControls program_;
    DataSetupFields fields_;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
};

}  // namespace talvex
