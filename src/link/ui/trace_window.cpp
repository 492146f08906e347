#include "link/ui/trace_window.h"

#include "link/protocol_trace.h"
#include "link/trace_frames.h"
#include "model/operator_messages.h"
#include "model/safe_file.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/widgets/named_controls.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

constexpr double RefreshInterval = 1.0;

} // namespace

TraceWindow::TraceWindow(const ProtocolTrace& trace, Clock& clock, FileDialogs& dialogs, Operator& op, QWidget* parent)
    : QWidget(parent, Qt::Window), trace_(trace), clock_(clock), dialogs_(dialogs), op_(op)
{
    setObjectName(QStringLiteral("TraceWindow"));
    setWindowTitle(QStringLiteral("Protocol Trace"));
    resize(900, 500);
    txtTrace = new QPlainTextEdit(this);
    txtTrace->setObjectName(QStringLiteral("txtTrace"));
    txtTrace->setReadOnly(true);
    txtTrace->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtTrace->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    cmdPause = NewButton(this, QStringLiteral("cmdPause"), QStringLiteral("Pause"));
    cmdPause->setCheckable(true);
    txtFind = NewTextBox(this, QStringLiteral("txtFind"));
    txtFind->setPlaceholderText(QStringLiteral("text to find, e.g. TIME-OUT"));
    cmdFind = NewButton(this, QStringLiteral("cmdFind"), QStringLiteral("Find Next"));
    cmdSave = NewButton(this, QStringLiteral("cmdSave"), QStringLiteral("Save As Text..."));
    lblFind = NewLabel(this, QStringLiteral("lblFind"));
    connect(cmdPause, &QPushButton::toggled, this, [this](bool on) { setPaused(on); });
    connect(cmdFind, &QPushButton::clicked, this, [this] { findNext(txtFind->text()); });
    connect(txtFind, &QLineEdit::returnPressed, this, [this] { findNext(txtFind->text()); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { saveAsText(); });

    auto* tools = new QHBoxLayout;
    tools->addWidget(cmdPause);
    tools->addWidget(txtFind, 1);
    tools->addWidget(cmdFind);
    tools->addWidget(lblFind);
    tools->addStretch();
    tools->addWidget(cmdSave);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(txtTrace);
    timer_ = clock_.createTimer(RefreshInterval, [this] { refresh(); });
}

TraceWindow::~TraceWindow() = default;

void TraceWindow::refresh()
{
    if (paused() || (drawn_ && trace_.revision() == shownRevision_))
        return;
    QScrollBar* bar = txtTrace->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    const int position = bar->value();
    txtTrace->setPlainText(TraceText(trace_, clock_.now()));
    bar->setValue(atEnd ? bar->maximum() : position);
    shownRevision_ = trace_.revision();
    drawn_ = true;
}

void TraceWindow::setPaused(bool paused)
{
    if (cmdPause->isChecked() != paused)
        cmdPause->setChecked(paused);
    refresh();
}

bool TraceWindow::paused() const
{
    return cmdPause->isChecked();
}

bool TraceWindow::findNext(const QString& text)
{
    bool found = !text.isEmpty() && txtTrace->find(text);
    if (!found && !text.isEmpty()) {
        txtTrace->moveCursor(QTextCursor::Start);
        found = txtTrace->find(text);
    }
    lblFind->setText(found ? QString() : QStringLiteral("Not found"));
    return found;
}

void TraceWindow::saveAsText()
{
    refresh();
    const DialogResult chosen = dialogs_.saveFile(QStringLiteral("*.txt"), QStringLiteral("trace.txt"));
    if (chosen.kind == DialogResult::Failed)
        DialogErrorMessage(op_, QStringLiteral("save"));
    if (chosen.kind != DialogResult::Chosen)
        return;
    if (!WriteFileAtomically(chosen.path, shownText().toUtf8()))
        IllegalPathMessage(op_, CantAccessFileText(chosen.path));
}

QString TraceWindow::shownText() const
{
    return txtTrace->toPlainText();
}

void TraceWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
    timer_->start();
}

void TraceWindow::hideEvent(QHideEvent* event)
{
    timer_->stop();
    QWidget::hideEvent(event);
}
