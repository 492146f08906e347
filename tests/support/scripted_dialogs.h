#pragma once

#include "platform/file_dialogs.h"

#include <deque>
#include <QStringList>

// File dialogs answered from a script; an unscripted dialog counts as cancelled.
class ScriptedDialogs : public FileDialogs {
public:
    DialogResult openFile(const QString& filter) override { return next(QStringLiteral("open ") + filter); }
    DialogResult saveFile(const QString& filter, const QString& proposedName) override
    {
        proposedNames << proposedName;
        return next(QStringLiteral("save ") + filter);
    }

    void choose(const QString& path) { results.push_back({DialogResult::Chosen, path}); }
    void cancel() { results.push_back({DialogResult::Cancelled, {}}); }
    void fail() { results.push_back({DialogResult::Failed, {}}); }

    std::deque<DialogResult> results;
    QStringList shown;  // "save *.cal", "open *.cal, *.*"
    QStringList proposedNames;  // the file name each save dialog proposed

private:
    DialogResult next(const QString& what)
    {
        shown << what;
        if (results.empty())
            return {DialogResult::Cancelled, {}};
        DialogResult r = results.front();
        results.pop_front();
        return r;
    }
};
