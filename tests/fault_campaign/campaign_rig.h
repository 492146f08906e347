#pragma once

#include "model/conf_record.h"
#include "sim/fault_plan.h"
#include "support/scripted_operator.h"

#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

// The operations of the tool that talk to the unit, each run on a fresh simulated unit in
// virtual time after a fault-free preparation (a connect, or an opened port).
enum class Operation {
    Connect,            // the seventeen reads of a connect
    Poll,               // the reads of one poll of a connected unit
    FactoryReads,       // "Get Values" of the factory window: q, C, m, o, n, c, then s
    DisplayRange,       // 'A' with a new display range
    FullUpdate,         // "Update Unit": markers, configuration, three tables, reset markers, step 7, 'Z'
    SerialUpdate,       // the update steps from the serial-number block (8, 10)
    CalibrationUpdate,  // the calibration-only update (steps 7, 9, 10)
    Upload,             // the factory memory into the tool
    Download,           // a factory memory image into the unit, then step 9
};

const char* operationName(Operation operation);

struct PlannedFault {
    FaultTrigger trigger;
    Fault fault;
    int after = 0;  // matching exchanges that pass untouched before the faulty one
};

// What one run did: its own verdict, what the operator saw, the state the link was left in,
// and what the unit and the tool hold afterwards.
struct RunResult {
    bool succeeded = false;
    bool faultPlayed = false;
    std::vector<ScriptedOperator::Box> boxes;
    bool linkOpen = false;
    bool unitOnline = false;
    bool pollBusy = false;
    float updateStep = 0;
    double seconds = 0;  // virtual time the operation took
    std::map<QString, QString> unitHolds;  // part of the unit's memory -> its contents
    ConfRecord unitConf;
    std::vector<std::uint8_t> flashImage;
};

// Runs one operation; `tablesDir` holds the sensor tables the updates load.
RunResult runOperation(Operation operation, const QString& tablesDir, const std::optional<PlannedFault>& fault);
