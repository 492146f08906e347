#include "history_fixture.h"

#include "history/ui/history_window.h"
#include "model/conf_files.h"
#include "support/scripted_dialogs.h"

#include <QPushButton>

namespace {

struct HistoryWindowTest : HistoryTest {
    ScriptedDialogs dialogs;
    std::optional<ConfRecord> connected;
    std::vector<ConfRecord> restored;
    QString found = add(pt100(2), 0);
    QString left = add(pt100(5), 40, SnapshotStage::AsLeft);
    HistoryWindow window{{store, op, dialogs, catalogue,
                          [this]() -> const ConfRecord* { return connected ? &*connected : nullptr; },
                          [this](const ConfRecord& conf) { restored.push_back(conf); }}};

    // The rows of the comparison that differ: "field: a | b".
    QStringList shownDifferences() const
    {
        QStringList rows;
        for (const auto& row : window.shownComparison())
            if (row.differs)
                rows << row.field + ": " + row.a + " | " + row.b;
        return rows;
    }
};

} // namespace

TEST_F(HistoryWindowTest, ComparesTwoSnapshotsTheUnitOrAFile)
{
    window.chooseSnapshots({left, found});
    window.findChild<QPushButton*>("compare")->click();
    EXPECT_EQ(shownDifferences(), QStringList{"Damping Time: 2 | 5"});  // the older one first
    EXPECT_EQ(window.shownComparison().size(), 23u);  // every shown field

    window.chooseSnapshots({found});
    EXPECT_FALSE(window.findChild<QPushButton*>("compare")->isEnabled());
    window.compareWithUnit();
    EXPECT_EQ(op.only().text, "No unit is connected.");
    connected = pt100(2);
    connected->DispHigh = 900;
    window.compareWithUnit();
    EXPECT_EQ(shownDifferences(), QStringList{"Display Range Max.: 0 | 900"});

    // A file holds no display range: the comparison leaves it out.
    ConfRecord file = *connected;
    file.Tag = QStringLiteral("TT-300");
    ASSERT_TRUE(WriteConfFile(file, dir.filePath("f.cal"), op));
    dialogs.choose(dir.filePath("f.cal"));
    window.compareWithFile();
    EXPECT_EQ(shownDifferences(), QStringList{"Tag Name: TT-101 | TT-300"});
}

TEST_F(HistoryWindowTest, RestoresExportsAndImports)
{
    window.chooseSnapshots({found});
    window.findChild<QPushButton*>("restore")->click();
    EXPECT_EQ(op.only().text, "No unit is connected.");
    op.boxes.clear();
    connected = pt100(5);
    window.findChild<QPushButton*>("restore")->click();
    ASSERT_EQ(restored.size(), 1u);
    EXPECT_EQ(restored[0].Damping, 2);

    dialogs.choose(dir.filePath("kept.cal"));
    window.exportSnapshot();
    EXPECT_EQ(dialogs.proposedNames, QStringList{"0512307-" + found});

    ConfRecord other = pt100(9);
    other.Serial.clear();  // a file without a serial number joins the chosen unit
    ASSERT_TRUE(WriteConfFile(other, dir.filePath("other.cal"), op));
    dialogs.choose(dir.filePath("other.cal"));
    window.importFile();
    const auto listed = store.snapshots(QStringLiteral("0512307")).value;
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_TRUE(std::any_of(listed.begin(), listed.end(),
                            [](const SnapshotHeader& h) { return OperationWords(h.operation) == "Import"; }));
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
}
