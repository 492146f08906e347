#include "history/ui/history_window.h"

#include "history/history_journal.h"
#include "history/snapshot_files.h"
#include "model/operator_messages.h"
#include "platform/file_dialogs.h"
#include "platform/operator.h"
#include "platform/widgets/named_controls.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int IdRole = Qt::UserRole;
const QColor DifferenceRed(255, 0, 0);

QTreeWidget* newList(QWidget* parent, const QString& name, const QStringList& headings)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setHeaderLabels(headings);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return list;
}

QString localTime(const QDateTime& time)
{
    return QLocale().toString(time.toLocalTime(), QLocale::ShortFormat);
}

} // namespace

HistoryWindow::HistoryWindow(Surroundings surroundings, QWidget* parent)
    : QDialog(parent), s_(std::move(surroundings))
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(QStringLiteral("Unit History"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    units_ = newList(this, QStringLiteral("units"), {QStringLiteral("Serial No."), QStringLiteral("Tag Name"),
                                                      QStringLiteral("Last Seen")});
    snapshots_ = newList(this, QStringLiteral("snapshots"),
                         {QStringLiteral("ID"), QStringLiteral("Date and Time"), QStringLiteral("Operation"),
                          QStringLiteral("Stage"), QStringLiteral("Outcome"), QStringLiteral("Note")});
    snapshots_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    comparedNames_ = NewLabel(this, QStringLiteral("comparedNames"));
    comparison_ = new QTableWidget(0, 3, this);
    comparison_->setObjectName(QStringLiteral("comparison"));
    // Until two configurations are compared: what the table will show.
    comparison_->setHorizontalHeaderLabels({QStringLiteral("Field"), QStringLiteral("First"), QStringLiteral("Second")});
    comparison_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    comparison_->verticalHeader()->hide();
    comparison_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    comparison_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    comparison_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    const struct {
        QPushButton* HistoryWindow::*control;
        const char* name;
        const char* caption;
        void (HistoryWindow::*click)();
    } commands[] = {
        {&HistoryWindow::compare_, "compare", "Compare", &HistoryWindow::compareSnapshots},
        {&HistoryWindow::compareUnit_, "compareUnit", "Compare with Unit", &HistoryWindow::compareWithUnit},
        {&HistoryWindow::compareFile_, "compareFile", "Compare with File...", &HistoryWindow::compareWithFile},
        {&HistoryWindow::restore_, "restore", "Restore", &HistoryWindow::restoreSnapshot},
        {&HistoryWindow::export_, "export", "Export...", &HistoryWindow::exportSnapshot},
        {&HistoryWindow::import_, "import", "Import...", &HistoryWindow::importFile},
    };
    auto* buttons = new QHBoxLayout;
    for (const auto& command : commands) {
        QPushButton* button = this->*command.control =
            NewButton(this, QLatin1String(command.name), QLatin1String(command.caption));
        connect(button, &QPushButton::clicked, this, [this, click = command.click] { (this->*click)(); });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* close = NewButton(this, QStringLiteral("close"), QStringLiteral("Close"));
    // Enter closes: a snapshot replaces the edited configuration only by its own button.
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(close);
    connect(units_, &QTreeWidget::itemSelectionChanged, this, [this] { showSnapshots(); });
    connect(snapshots_, &QTreeWidget::itemSelectionChanged, this, [this] { enableButtons(); });

    auto* lists = new QSplitter(Qt::Horizontal, this);
    lists->addWidget(units_);
    lists->addWidget(snapshots_);
    lists->setSizes({380, 520});
    auto* compared = new QWidget(this);
    auto* comparedLayout = new QVBoxLayout(compared);
    comparedLayout->setContentsMargins(0, 0, 0, 0);
    comparedLayout->addWidget(comparedNames_);
    comparedLayout->addWidget(comparison_);
    auto* panes = new QSplitter(Qt::Vertical, this);
    panes->addWidget(lists);
    panes->addWidget(compared);
    panes->setSizes({200, 480});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panes);
    layout->addLayout(buttons);
    resize(900, 640);
    refresh();
}

bool HistoryWindow::storeAnswered(const QString& error)
{
    if (!error.isEmpty())
        s_.op.message(HistoryTitle(), QStringLiteral("The history cannot be read: %1.").arg(error));
    return error.isEmpty();
}

void HistoryWindow::refresh()
{
    const QString chosen = units_->currentItem() ? units_->currentItem()->text(0) : QString();
    const Stored<std::vector<UnitSeen>> seen = s_.store.units();
    units_->clear();
    if (storeAnswered(seen.error))
        for (const UnitSeen& unit : seen.value)
            new QTreeWidgetItem(units_, {unit.serial, unit.tag.trimmed(), localTime(unit.lastSeen)});
    chooseUnit(chosen.isEmpty() && units_->topLevelItemCount() > 0 ? units_->topLevelItem(0)->text(0) : chosen);
    showSnapshots();
}

void HistoryWindow::chooseUnit(const QString& serial)
{
    const QList<QTreeWidgetItem*> found = units_->findItems(serial, Qt::MatchExactly, 0);
    if (!found.isEmpty())
        units_->setCurrentItem(found.first());
}

void HistoryWindow::chooseSnapshots(const QStringList& ids)
{
    snapshots_->clearSelection();
    for (int i = 0; i < snapshots_->topLevelItemCount(); ++i)
        if (ids.contains(snapshots_->topLevelItem(i)->text(0)))
            snapshots_->topLevelItem(i)->setSelected(true);
}

void HistoryWindow::showSnapshots()
{
    snapshots_->clear();
    if (QTreeWidgetItem* unit = units_->currentItem()) {
        const Stored<std::vector<SnapshotHeader>> listed = s_.store.snapshots(unit->text(0));
        if (storeAnswered(listed.error))
            for (const SnapshotHeader& h : listed.value)
                new QTreeWidgetItem(snapshots_, {h.id, localTime(h.taken), OperationWords(h.operation),
                                                 StageWords(h.stage), OutcomeWords(h.outcome), h.note});
    }
    enableButtons();
}

void HistoryWindow::enableButtons()
{
    const qsizetype chosen = snapshots_->selectedItems().size();
    compare_->setEnabled(chosen == 2);
    for (QPushButton* button : {compareUnit_, compareFile_, restore_, export_})
        button->setEnabled(chosen == 1);
}

std::vector<Snapshot> HistoryWindow::selectedSnapshots()
{
    std::vector<Snapshot> chosen;
    for (QTreeWidgetItem* item : snapshots_->selectedItems()) {
        const Stored<std::optional<Snapshot>> found = s_.store.find(item->text(0));
        if (!storeAnswered(found.error))
            return {};
        if (found.value)
            chosen.push_back(*found.value);
    }
    // The older one first: the comparison reads as before and after.
    std::sort(chosen.begin(), chosen.end(),
              [](const Snapshot& a, const Snapshot& b) { return a.header.taken < b.header.taken; });
    return chosen;
}

std::optional<Snapshot> HistoryWindow::oneSelected()
{
    std::vector<Snapshot> chosen = selectedSnapshots();
    if (chosen.size() != 1)
        return std::nullopt;
    return chosen.front();
}

void HistoryWindow::compareSnapshots()
{
    const std::vector<Snapshot> chosen = selectedSnapshots();
    if (chosen.size() == 2)
        showComparison({chosen[0].header.id, chosen[0].conf}, {chosen[1].header.id, chosen[1].conf});
}

void HistoryWindow::compareWithUnit()
{
    const ConfRecord* unit = s_.connectedUnit();
    if (!unit) {
        s_.op.message(HistoryTitle(), QStringLiteral("No unit is connected."));
        return;
    }
    if (const auto snapshot = oneSelected())
        showComparison({snapshot->header.id, snapshot->conf}, {QStringLiteral("Connected unit"), *unit});
}

void HistoryWindow::compareWithFile()
{
    const auto snapshot = oneSelected();
    if (!snapshot)
        return;
    const DialogResult chosen = s_.dialogs.openFile(QStringLiteral("*.cal, *.urd, *.*"));
    if (chosen.kind == DialogResult::Failed)
        DialogErrorMessage(s_.op, QStringLiteral("open"));
    if (chosen.kind != DialogResult::Chosen)
        return;
    if (const auto file = ConfFromFile(chosen.path, s_.catalogue, s_.op))
        showComparison({snapshot->header.id, snapshot->conf}, *file);
}

void HistoryWindow::showComparison(const ComparedConf& a, const ComparedConf& b)
{
    const std::vector<FieldComparison> rows = CompareConfs(a, b);
    const auto differing = std::count_if(rows.begin(), rows.end(), [](const FieldComparison& r) { return r.differs; });
    comparedNames_->setText(QStringLiteral("%1 compared with %2: %3 of %4 fields differ")
                                .arg(a.name, b.name)
                                .arg(differing)
                                .arg(rows.size()));
    comparison_->clearContents();
    comparison_->setRowCount(int(rows.size()));
    comparison_->setHorizontalHeaderLabels({QStringLiteral("Field"), a.name, b.name});
    for (int r = 0; r < int(rows.size()); ++r) {
        const FieldComparison& row = rows[std::size_t(r)];
        const QString cells[3] = {QLatin1String(row.field->heading), row.before, row.after};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (row.differs)
                item->setForeground(DifferenceRed);
            comparison_->setItem(r, c, item);
        }
    }
}

std::vector<HistoryWindow::ShownRow> HistoryWindow::shownComparison() const
{
    std::vector<ShownRow> rows;
    for (int r = 0; r < comparison_->rowCount(); ++r)
        rows.push_back({comparison_->item(r, 0)->text(), comparison_->item(r, 1)->text(),
                        comparison_->item(r, 2)->text(),
                        comparison_->item(r, 1)->foreground().color() == DifferenceRed});
    return rows;
}

void HistoryWindow::restoreSnapshot()
{
    // The editor takes the connected unit's serial number: without a unit there is none to take.
    if (!s_.connectedUnit()) {
        s_.op.message(HistoryTitle(), QStringLiteral("No unit is connected."));
        return;
    }
    if (const auto snapshot = oneSelected())
        s_.restore(snapshot->conf);
}

void HistoryWindow::exportSnapshot()
{
    const auto snapshot = oneSelected();
    if (!snapshot)
        return;
    const DialogResult chosen =
        s_.dialogs.saveFile(QStringLiteral("*.cal"), snapshot->header.serial + QLatin1Char('-') + snapshot->header.id);
    if (chosen.kind == DialogResult::Failed)
        DialogErrorMessage(s_.op, QStringLiteral("save"));
    if (chosen.kind == DialogResult::Chosen)
        ExportSnapshot(*snapshot, chosen.path, s_.op);
}

void HistoryWindow::importFile()
{
    const DialogResult chosen = s_.dialogs.openFile(QStringLiteral("*.cal, *.urd, *.*"));
    if (chosen.kind == DialogResult::Failed)
        DialogErrorMessage(s_.op, QStringLiteral("open"));
    if (chosen.kind != DialogResult::Chosen)
        return;
    const QString unit = units_->currentItem() ? units_->currentItem()->text(0) : QString();
    const auto imported = ImportConfFile(s_.store, chosen.path, unit, s_.catalogue, s_.op);
    if (!imported)
        return;
    if (!imported->ok()) {
        s_.op.message(HistoryTitle(), QStringLiteral("The file could not be kept in the history: %1.").arg(imported->error));
        return;
    }
    const Stored<std::optional<Snapshot>> kept = s_.store.find(imported->value);
    refresh();
    if (kept.value) {
        chooseUnit(kept.value->header.serial);
        chooseSnapshots({imported->value});
    }
}
