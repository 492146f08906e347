#pragma once

#include "platform/operator.h"

// The operator of the fuzz targets: shows nothing and answers every question Yes, so that the
// paths behind a question (connecting a swapped unit) are explored too.
class SilentOperator : public Operator {
public:
    void message(const QString&, const QString&) override {}
    bool ask(const QString&, const QString&) override { return true; }
};
