#pragma once

#include "link/serial_link.h"

#include <functional>

namespace talvex {

// What a memory operation's last step got back from the radio. The step marks where its
// exchange begins; every answer window that closes after that is kept, so an operator's click
// that shares or follows the window cannot hide the operation's own answer.
class StepAnswers {
public:
    explicit StepAnswers(SerialLink& link);

    // Called when an answer window closes while a step's answer is expected.
    void setAnswered(std::function<void()> answered) { answered_ = std::move(answered); }
    // A step is about to send: forget what came before.
    void expect();
    // The answer window is still open: the step's answer has not been decoded yet.
    bool awaited() const { return link_.answerAwaited(); }
    // The frames sent and the bytes received since expect(), and done with them.
    Exchange take();

private:
    SerialLink& link_;
    bool expecting_ = false;
    std::function<void()> answered_;
    Exchange collected_;
};

}  // namespace talvex
