#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>

class Clock;
class ClockTimer;
class FileDialogs;
class Operator;
class ProtocolTrace;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class TraceFrameModel;

// The protocol trace as frames, one a line, kept up to date once a second while shown. Pause
// holds the view still while the trace goes on filling; Find looks for a text from the selected
// line on, wrapping round; Save writes the text as shown. Lines are drawn only as they scroll
// into view, so a full trace costs a redraw little more than its decoding.
class TraceWindow : public QWidget {
    Q_OBJECT

public:
    TraceWindow(const ProtocolTrace& trace, Clock& clock, FileDialogs& dialogs, Operator& op, QWidget* parent = nullptr);
    ~TraceWindow() override;

    // Redraws when the trace has changed since, unless paused. A view scrolled to its end stays there.
    void refresh();
    void setPaused(bool paused);
    bool paused() const;
    // Selects the next line that holds `text` (any letter case); false (and says so) when none does.
    bool findNext(const QString& text);
    void saveAsText();

    // The heading and the lines shown, as saved.
    QString shownText() const;
    int selectedLine() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Esc closes the window, as it does every window of the program.
    void keyPressEvent(QKeyEvent* event) override;

private:
    const ProtocolTrace& trace_;
    Clock& clock_;
    FileDialogs& dialogs_;
    Operator& op_;
    std::unique_ptr<ClockTimer> timer_;
    std::uint64_t shownRevision_ = 0;
    bool drawn_ = false;
    TraceFrameModel* model_;

    QLabel* lblHeading;
    QListView* lstFrames;
    QPushButton* cmdPause;
    QLineEdit* txtFind;
    QPushButton* cmdFind;
    QPushButton* cmdSave;
    QLabel* lblFind;
};
