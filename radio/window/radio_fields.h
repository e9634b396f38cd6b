#pragma once

#include "link/link_listener.h"

#include <QString>

namespace talvex {

// The texts of the Radio Operations window's display fields.
struct RadioFields {
    QString Text1;  // frequency
    QString Text2;  // channel
    QString Text3;  // select mark
    QString Text4;  // mode
    QString Text5;  // filter
    QString Text6;  // status / information
    QString Text7;  // message area (traffic)
    // The Auto Status button names what its next click does, so it follows its own text.
    QString AutoStatusCaption = QStringLiteral("Auto Status Toggle");
};

// The Radio Operations window's display fields written from what the link reads: the texts the
// window has always shown, down to a value it has no text for leaving its field as it was. It
// keeps the fields, whether or not the window is there to show them.
class RadioFieldTexts final : public LinkListener {
public:
    RadioFields& fields() { return fields_; }
    const RadioFields& fields() const { return fields_; }

    void answerRead(const RadioReading& reading) override;
    void broadcastRead(const BroadcastReading& reading) override;
    void trafficShown(const QString& line) override { fields_.Text7 = line; }

    // Text1 to Text6 a single blank each: what a clear leaves.
    void blankDisplay();
    // The message area a single blank: what Clear Status and a refused entry leave.
    void blankMessageArea() { fields_.Text7 = QStringLiteral(" "); }
    // The Auto Status button's caption after a click: what its next click does.
    void switchAutoStatusCaption();

    // The level words of the S-meter's two bytes ("S9 + 10db").
    static QString SMeterLevel(int high, int low);

private:
    void show(const RigId& id);
    void show(const ClockTime& time);
    void show(const CallSign& call);
    void show(const TransmitState& state);
    void show(const SquelchState& squelch);
    void show(const SMeterReading& meter);
    void show(const FrequencyReading& frequency);
    void show(const ModeReading& mode);
    void show(const BandEdges& edges);
    void show(const NothingHeld&);
    void show(const ChannelShown& shown);
    void show(const BlankChannel&);

    void showMode(int code);
    void showFilter(int code);
    RadioFields fields_;
    // Band-edge questions in a row show the lower edge, the upper, the lower again, ...
    bool upperEdgeNext_ = false;
};

}  // namespace talvex
