#pragma once

#include <cstdlib>
#include <functional>

namespace talvex {

// Ending the program. The program ends at once where it says so (a fatal trap, a restart
// request), with nothing after the call running; tests substitute an end that unwinds.
class ProgramExit {
public:
    virtual ~ProgramExit() = default;

    // What the system must get back however the program ends (the serial port, whose lock
    // file would otherwise make the next start find the port "already open").
    void setRelease(std::function<void()> release) { release_ = std::move(release); }

    [[noreturn]] void end(int code)
    {
        if (release_)
            release_();
        endProgram(code);
        std::abort();  // an implementation that came back would run on past the end
    }

protected:
    virtual void endProgram(int code) = 0;

private:
    std::function<void()> release_;
};

class ProcessExit final : public ProgramExit {
protected:
    void endProgram(int code) override;
};

}  // namespace talvex
