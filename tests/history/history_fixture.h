#pragma once

#include "history/sql_history_store.h"
#include "model/catalogue.h"
#include "platform/virtual_clock.h"
#include "support/scripted_operator.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// A history in a temporary folder, in virtual time; the notices it gives are collected.
struct HistoryTest : ::testing::Test {
    QTemporaryDir dir;
    VirtualClock clock;
    QStringList notices;
    ScriptedOperator op;
    Catalogue catalogue = BuildCatalogue();
    SqlHistoryStore store{dir.filePath("history"), clock, [this](const QString& notice) { notices << notice; }};

    // 2025-03-14 10:15:02 local time, plus `seconds`.
    static QDateTime at(int seconds) { return QDateTime(QDate(2025, 3, 14), QTime(10, 15, 2)).addSecs(seconds); }

    static ConfRecord pt100(float damping)
    {
        ConfRecord r = ZeroConfRecord();
        LookupInputCode(BuildCatalogue(), r, 0x49);
        r.Serial = QStringLiteral("0512307");
        r.Tag = QStringLiteral("TT-101");
        r.RangeMax = 100;
        r.Damping = damping;
        ClearCorrection(r);
        return r;
    }

    QString add(const ConfRecord& conf, int seconds, SnapshotStage stage = SnapshotStage::AsFound)
    {
        const Stored<QString> kept =
            store.add(MakeSnapshot(conf, at(seconds), {WriteOperation::UpdateUnit}, stage, {SnapshotOutcome::Kind::Done}));
        EXPECT_TRUE(kept.ok()) << kept.error.toStdString();
        return kept.value;
    }
};
