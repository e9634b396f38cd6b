#include "memory/step_answers.h"

namespace talvex {

StepAnswers::StepAnswers(SerialLink& link) : link_(link)
{
    link_.setExchangeClosed([this](const Exchange& closed) {
        if (!expecting_)
            return;
        collected_.sent.insert(collected_.sent.end(), closed.sent.begin(), closed.sent.end());
        collected_.received += closed.received;
        collected_.radio = closed.radio;
        if (answered_)
            answered_();
    });
}

void StepAnswers::expect()
{
    collected_ = {};
    expecting_ = true;
}

Exchange StepAnswers::take()
{
    expecting_ = false;
    return std::exchange(collected_, {});
}

}  // namespace talvex
