#include "link/ui/com_wait.h"

#include "link/serial_link.h"
#include "platform/clock.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QVBoxLayout>

ComWait::ComWait(Link& link, QWidget* parent)
    : QDialog(parent), link_(link)
{
    setObjectName(QStringLiteral("ComWait"));
    setWindowTitle(QStringLiteral("Updating Unit"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint & ~Qt::WindowCloseButtonHint);
    LabTime = new QLabel(QStringLiteral("0 %"), this);
    LabTime->setObjectName(QStringLiteral("LabTime"));
    LabTime->setAlignment(Qt::AlignCenter);
    LabFull = new QLabel(this);
    LabFull->setObjectName(QStringLiteral("LabFull"));
    LabFull->setFixedSize(300, 20);
    LabFull->setAutoFillBackground(true);
    LabFull->setStyleSheet(QStringLiteral("background: white; border: 1px solid gray;"));
    LabPart = new QLabel(LabFull);
    LabPart->setObjectName(QStringLiteral("LabPart"));
    LabPart->setStyleSheet(QStringLiteral("background: navy;"));
    LabPart->setGeometry(0, 0, 0, LabFull->height());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabTime);
    layout->addWidget(LabFull);
    TimUpdate = link_.clock.createTimer(1.0, [this] { TimUpdate_Timer(); });
}

ComWait::~ComWait() = default;

void ComWait::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
}

void ComWait::closeEvent(QCloseEvent* event)
{
    // The update closes this window itself; the user cannot stop it half-way.
    if (!progress_.finished)
        event->ignore();
}

void ComWait::reject()
{
    if (progress_.finished)
        QDialog::reject();
}

void ComWait::Form_Load()
{
    setCursor(Qt::WaitCursor);
    progress_ = StartUpdateProgress(link_);
    TimUpdate->start();
    showProgress();
}

void ComWait::TimUpdate_Timer()
{
    UpdateTick(link_, progress_);
    showProgress();
    if (progress_.finished) {
        TimUpdate->stop();
        unsetCursor();
        done(progress_.failed ? QDialog::Rejected : QDialog::Accepted);
    }
}

void ComWait::showProgress()
{
    LabTime->setText(progress_.percentText);
    LabPart->setFixedWidth(int(progress_.barFraction * LabFull->width()));
}
