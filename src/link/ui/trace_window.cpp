#include "link/ui/trace_window.h"

#include "link/protocol_trace.h"
#include "link/trace_frames.h"
#include "model/operator_messages.h"
#include "model/safe_file.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/widgets/named_controls.h"

#include <QAbstractListModel>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr double RefreshInterval = 1.0;

} // namespace

// The decoded frames as rows; a row's text is made when the view asks for it.
class TraceFrameModel : public QAbstractListModel {
public:
    TraceFrameModel(double origin, QObject* parent) : QAbstractListModel(parent), origin_(origin) {}

    void setFrames(std::vector<TraceFrame> frames)
    {
        beginResetModel();
        frames_ = std::move(frames);
        endResetModel();
    }
    const std::vector<TraceFrame>& frames() const { return frames_; }
    QString line(int row) const { return FrameLine(frames_[std::size_t(row)], origin_); }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(frames_.size()); }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole && index.isValid() ? QVariant(line(index.row())) : QVariant();
    }

private:
    double origin_;
    std::vector<TraceFrame> frames_;
};

TraceWindow::TraceWindow(const ProtocolTrace& trace, Clock& clock, FileDialogs& dialogs, Operator& op, QWidget* parent)
    : QWidget(parent, Qt::Window), trace_(trace), clock_(clock), dialogs_(dialogs), op_(op)
    , model_(new TraceFrameModel(trace.origin(), this))
{
    setObjectName(QStringLiteral("TraceWindow"));
    setWindowTitle(QStringLiteral("Protocol Trace"));
    resize(900, 500);
    lblHeading = NewLabel(this, QStringLiteral("lblHeading"), TraceHeading(trace_));
    lstFrames = new QListView(this);
    lstFrames->setObjectName(QStringLiteral("lstFrames"));
    lstFrames->setModel(model_);
    lstFrames->setUniformItemSizes(true);
    lstFrames->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
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
    layout->addWidget(lblHeading);
    layout->addWidget(lstFrames);
    timer_ = clock_.createTimer(RefreshInterval, [this] { refresh(); });
}

TraceWindow::~TraceWindow() = default;

void TraceWindow::refresh()
{
    if (paused() || (drawn_ && trace_.revision() == shownRevision_))
        return;
    QScrollBar* bar = lstFrames->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    const int position = bar->value();
    const int selected = selectedLine();
    model_->setFrames(DecodeFrames(trace_, clock_.now()));
    if (selected >= 0 && selected < model_->rowCount())
        lstFrames->setCurrentIndex(model_->index(selected));
    if (atEnd)
        lstFrames->scrollToBottom();
    else
        bar->setValue(position);
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
    const int rows = model_->rowCount();
    const int start = selectedLine() + 1;
    for (int i = 0; i < rows && !text.isEmpty(); ++i) {
        const int row = (start + i) % rows;
        if (model_->line(row).contains(text, Qt::CaseInsensitive)) {
            lstFrames->setCurrentIndex(model_->index(row));
            lstFrames->scrollTo(model_->index(row));
            lblFind->clear();
            return true;
        }
    }
    lblFind->setText(QStringLiteral("Not found"));
    return false;
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
    return TraceText(trace_, model_->frames());
}

int TraceWindow::selectedLine() const
{
    const QModelIndex current = lstFrames->currentIndex();
    return current.isValid() ? current.row() : -1;
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

void TraceWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
