#pragma once

#include <QByteArray>

#include <map>
#include <set>

namespace talvex::testing {

// A radio on the scripted line, reading frames by their bytes alone: it echoes, answers set
// commands OK (or NG), keeps the channels written into it and answers reads of them.
struct ScriptedRadio {
    QByteArray answer(const QByteArray& written);  // the echo, then an answer a frame; nothing once silent
    std::map<int, QByteArray> memory;  // channel -> its 41 contents bytes; absent: blank
    bool silent = false;               // switched off: no echo, no answers
    std::set<int> refuseWrites;        // channels whose write is answered NG and not kept
    std::set<int> storeWrong;          // channels kept with the label's first letter changed
    std::set<int> writesLost;          // channels whose write is answered OK and never kept
    std::map<int, int> writesReadAs;   // a write of one channel read as one of another (a bit turned over on the way in), once
    int silentFrom = 1000;             // silent for good from the first frame naming this channel or a later one
    std::set<int> missed;              // channels whose frames the radio never hears: no echo, no answer
    std::set<int> clearIgnored;        // channels a clear answers OK but leaves as they were
    std::map<int, std::pair<int, char>> keptOther;  // channel -> a contents byte and the value a write keeps there
    int frames = 0;                    // frames received
    int selected = 1;                  // the channel a select chose
};

}  // namespace talvex::testing
