#pragma once

#include "editor/channel_table_model.h"
#include "memory/memory_listener.h"
#include "memory/memory_request.h"
#include "startup/program_controls.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <optional>

class QLineEdit;
class QTableView;

namespace talvex {
class ReadoutField;
}

namespace talvex::editor {

// "Channel Editor": the current data file as a table of its lines, edited in place and saved
// through the replacing write. It writes to the radio only through the Memory window's Update
// Rig, and hears that run's verdicts to mark each row.
class ChannelEditorWindow final : public QMainWindow, private MemoryListener {
    Q_OBJECT
public:
    explicit ChannelEditorWindow(ProgramControls program, QWidget* parent = nullptr);
    ~ChannelEditorWindow() override;

    // Reads the current data file again, unless there are unsaved changes.
    void openCurrentFile();
    ChannelTableModel& model() { return model_; }

    bool save();
    // Asks about unsaved changes: true when the window may close (saved, discarded, or none).
    bool mayClose();
    // The program is ending and cannot wait for a Cancel: unsaved changes are saved on Yes.
    void saveBeforeEnd();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The table's keys: Ctrl+Tab out of it, Enter down a row, F2 and Alt+Down open a cell.
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void buildMenus();
    void buildActionsOfEdit(QMenu& edit);
    void say(const QString& text);
    void refreshTitle();
    void refreshSummary();
    std::vector<int> chosenRows() const;
    int currentRow() const;
    void goToRow(int row);
    // The current cell's editor, a list open on its choices.
    void openCell();
    void copyRows();
    void cutRows();
    void pasteRows();
    void findNext();
    void importChirp();
    void exportChirp();
    void writeToRadio();
    // Rows that would take another channel's settings: true when there are none, or the
    // operator wants them written as they are.
    bool mayWriteUnknownSettings();
    // Update Rig of the saved file, with the answers to its questions asked in this window.
    void startUpdateRig();
    void compareWithRadio();
    void takeSettings();
    // Listens to the memory engine for the run this window started.
    bool listenTo(const std::function<void()>& start, bool compare);

    // MemoryListener, while a Write to Radio of this window runs.
    void progress(const QString& what, int done, int of) override;
    void verdict(int channel, const std::optional<QString>& why) override;
    void ended(const MemoryOutcome& outcome) override;
    void showRefusal(const StartResult& result);
    void finished(const QString& operation, const ChannelReport& report);
    void stopped(const QString& operation, const QString& why);
    void markWriteResults(const QString& ending, bool completed);

    ProgramControls program_;
    ChannelTableModel model_;
    QString path_;
    QTableView* table_ = nullptr;
    QLineEdit* find_ = nullptr;
    ReadoutField* status_ = nullptr;
    ReadoutField* summary_ = nullptr;
    std::map<int, std::optional<QString>> writeVerdicts_;
    std::map<int, QString> writeSkips_;  // row -> why Update Rig left its line out
    bool listening_ = false;
    // What the radio's channels are being read for: the compare's marks, or the rows' settings.
    enum class Reading { Compare, Settings };
    Reading reading_ = Reading::Compare;
};

}  // namespace talvex::editor
