#pragma once

#include "link/link_listener.h"

#include <QString>
#include <QStringList>

namespace talvex {

// The connection advice the link gives while an operation runs, kept for the run's outcome:
// several causes may be told in one run, each once.
class RunAdvice final : public LinkListener {
public:
    void adviceGiven(const QString& advice) override { given_.append(advice); }

    // One cause a line, and done with it; empty when none was given.
    QString take()
    {
        const QString advice = given_.join(u'\n');
        given_.clear();
        return advice;
    }
    // Stopped by the operator: the advice goes with the run, unreported.
    void drop() { given_.clear(); }

private:
    QStringList given_;
};

}  // namespace talvex
