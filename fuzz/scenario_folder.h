#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary program folder holding the sensor tables of the link scenario's configuration,
// copied from the shipped data; the process stops with a message when they cannot be copied.
class ScenarioFolder {
public:
    ScenarioFolder();
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};
