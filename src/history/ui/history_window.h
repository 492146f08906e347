#pragma once

#include "history/compared_conf.h"
#include "history/history_store.h"

#include <QDialog>

#include <functional>
#include <optional>

class FileDialogs;
class Operator;
class QLabel;
class QPushButton;
class QTableWidget;
class QTreeWidget;
struct Catalogue;

// The unit history: the units seen (serial number, tag, last seen), the chosen unit's snapshots
// newest first, and two configurations compared field by field, the differences in red. Two
// snapshots compare with each other, one with the connected unit or a configuration file. Restore
// hands a snapshot's configuration to the editor; Export writes it as a configuration file; Import
// keeps configuration files and unit records as snapshots.
class HistoryWindow : public QDialog {
    Q_OBJECT

public:
    struct Surroundings {
        HistoryStore& store;
        Operator& op;
        FileDialogs& dialogs;
        const Catalogue& catalogue;
        std::function<const ConfRecord*()> connectedUnit;  // nullptr while no unit is connected
        std::function<void(const ConfRecord&)> restore;    // loads a configuration into the editor
    };
    explicit HistoryWindow(Surroundings surroundings, QWidget* parent = nullptr);

    // Reads the units and snapshots again; the chosen unit stays chosen.
    void refresh();
    void chooseUnit(const QString& serial);
    void chooseSnapshots(const QStringList& ids);

    // The buttons.
    void compareSnapshots();
    void compareWithUnit();
    void compareWithFile();
    void restoreSnapshot();
    void exportSnapshot();
    void importFile();

    // What the comparison shows: a row a field, its name, both values, and whether they differ.
    struct ShownRow {
        QString field;
        QString a;
        QString b;
        bool differs;
    };
    std::vector<ShownRow> shownComparison() const;

private:
    void showSnapshots();
    void enableButtons();
    std::vector<Snapshot> selectedSnapshots();
    std::optional<Snapshot> oneSelected();
    void showComparison(const ComparedConf& a, const ComparedConf& b);
    bool storeAnswered(const QString& error);

    Surroundings s_;
    QTreeWidget* units_;
    QTreeWidget* snapshots_;
    QLabel* comparedNames_;
    QTableWidget* comparison_;
    QPushButton* compare_;
    QPushButton* compareUnit_;
    QPushButton* compareFile_;
    QPushButton* restore_;
    QPushButton* export_;
    QPushButton* import_;
};
