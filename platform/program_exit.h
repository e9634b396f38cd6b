#pragma once

#include <cstdlib>

namespace talvex {

// Ending the program. The program ends at once where it says so (a fatal trap, a restart
// request), with nothing after the call running; tests substitute an end that unwinds.
class ProgramExit {
public:
    virtual ~ProgramExit() = default;

    [[noreturn]] void end(int code)
    {
        endProgram(code);
        std::abort();  // an implementation that came back would run on past the end
    }

protected:
    virtual void endProgram(int code) = 0;
};

class ProcessExit final : public ProgramExit {
protected:
    void endProgram(int code) override;
};

}  // namespace talvex
