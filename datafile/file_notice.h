#pragma once

#include <QString>

namespace talvex {

// Why an open left nothing open: the critical message box's title and text the operator is
// shown, by whichever face asked for the file.
struct FileNotice {
    QString title;
    QString text;
};

// A missing file asked for by name: created empty, as the windows always have, or refused (a
// command or an editor that named a file never means an empty new one).
enum class MissingFile { Create, Refuse };

}  // namespace talvex
