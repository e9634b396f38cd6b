#pragma once

#include "memory/stepper.h"

namespace talvex {

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
