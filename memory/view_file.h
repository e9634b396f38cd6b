#pragma once

#include "memory/stepper.h"

namespace talvex {

// The Memory window's fields for one data-file line, as View File and Update Rig show it.
void ShowFileLine(MemoryFields& fields, const QString& line);

// View File: the current data file on screen, one line a tick.
class ViewFile final : public Stepper {
public:
    explicit ViewFile(OperationContext& context);
    std::optional<Refused> start();

private:
    void step() override;
    bool usesRadio() const override { return false; }
};

}  // namespace talvex
