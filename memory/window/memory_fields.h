#pragma once

#include <QString>

namespace talvex {

// The texts of the Memory Operations window's display fields.
struct MemoryFields {
    QString Text1;  // channel
    QString Text2;  // select mark
    QString Text3;  // frequency
    QString Text4;  // mode
    QString Text5;  // filter
    QString Text6;  // name, greeting
    QString Text7;  // summary line, messages
    QString Text8;  // current data file
    QString Text9;  // message area (traffic)
    bool Text8Bold = false;

    // Empties the channel, file-line and message fields; the file name and traffic stay.
    void clearShown()
    {
        for (QString* field : {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7})
            field->clear();
    }
};

}  // namespace talvex
