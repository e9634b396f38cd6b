#pragma once

#include <QString>

namespace talvex {

// Why an open left nothing open: the critical message box's title and text the operator is
// shown, by whichever face asked for the file.
struct FileNotice {
    QString title;
    QString text;
};

}  // namespace talvex
