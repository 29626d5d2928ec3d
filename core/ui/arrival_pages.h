#pragma once

#include <QWidget>

struct BodyTimes;
class QLineEdit;

// The celestial pages of a position's sheet and of the destination port's
// sheet, as widgets of their own so both sheets can hold them.

// "Astro": the Sun's (and, when the almanac has one, the Moon's) rise,
// meridian passage, set and civil twilight in UTC for the arrival.
class CPagePosAstro : public QWidget {
public:
    // `moon` null: the almanac holds no Moon and its group stays empty.
    CPagePosAstro(const BodyTimes& sun, const BodyTimes* moon, QWidget* parent = nullptr);

    // Group 0 Sun, 1 Moon; row 0 rise, 1 meridian passage, 2 set, 3 twilight start, 4 twilight end.
    QLineEdit* TimeField(int group, int row) const { return m_times[group][row]; }

private:
    QLineEdit* m_times[2][5];
};

// "Local Times": the difference of local mean time and of the local clock
// with UTC (the latter editable, -12..12 hours), and the ETA in UTC, local
// mean time (with the day state) and local time.
class CPagePosTimes : public QWidget {
public:
    CPagePosTimes(double longitude, double zoneOffset, double eta, double sunAltitude, bool portSheet,
                  QWidget* parent = nullptr);

    // The local time difference typed; false, after telling the user, when it is no number in -12..12.
    bool ReadZoneOffset(double& hours) const;

    QLineEdit* DifferenceField() const { return m_difference; }
    QLineEdit* ZoneOffsetEdit() const { return m_zoneOffset; }
    QLineEdit* UtcField() const { return m_utc; }
    QLineEdit* LocalMeanTimeField() const { return m_localMean; }
    QLineEdit* DayStateField() const { return m_dayState; }
    QLineEdit* LocalTimeField() const { return m_local; }

private:
    void ShowTimes(double zoneOffset);

    double m_longitude;
    double m_eta;
    double m_sunAltitude;
    bool m_portSheet;
    QLineEdit* m_difference;
    QLineEdit* m_zoneOffset;
    QLineEdit* m_utc;
    QLineEdit* m_localMean;
    QLineEdit* m_dayState;
    QLineEdit* m_local;
};
