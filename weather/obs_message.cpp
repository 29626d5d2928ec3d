#include "weather/obs_message.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

#include "core/event_log.h"
#include "core/file_io.h"
#include "core/position.h"
#include "platform/services.h"
#include "weather/meteo_obs.h"

// The message follows the WMO Manual on Codes, FM 13 SHIP:
//
// Section 0  BBXX D....D YYGGiw 99LaLaLa QcLoLoLoLo
//   D....D   call sign, letters and digits in capitals; "SHIP" when the vessel has none.
//   YYGG     day of the month and hour UTC of the observation, the time rounded to the
//            nearest whole hour (an observation at 23:50 on the 31st is reported as
//            day 01, hour 00 of the next month), two digits each.
//   iw       3 wind estimated in knots (method 0), 4 measured by anemometer in knots (1, 2).
//   LaLaLa   latitude and LoLoLoLo longitude in tenths of a degree, the remainder dropped
//            (minutes divided by 6), Qc the quadrant: 1 NE, 3 SE, 5 SW, 7 NW.
// Section 1  iRixhVV Nddff (00fff) 1snTTT 2snTdTdTd 4PPPP 5appp (7wwW1W2) (8NhCLCMCH)
//   iR       4: no precipitation group (the amount is not observed).
//   ix       1 manned, group 7 included; 2 manned, group 7 left out because nothing of
//            significance happened (ww 00..03 and W1, W2 0..2).
//   h        base of the lowest cloud, code table 1600, from the average cloud height in
//            metres (a height on a limit takes the higher figure); 9 without low or
//            middle clouds.
//   VV       visibility, not held by the record: "//".
//   N        total cloud cover in oktas (0 none, 1..7, 8 overcast), never less than Nh.
//   dd ff    true wind in tens of degrees (code table 0877, 01..36) and whole knots; a calm
//            is 0000; 99 knots or more is ff 99 followed by 00fff.
//   sn       0 for zero or above, 1 below zero; TTT, TdTdTd in tenths of a degree Celsius.
//            A dew point above the air temperature cannot be: 2//// then.
//   PPPP     sea-level pressure in tenths of hPa without the thousands.
//   a ppp    tendency characteristic (code table 0200) and the amount of the change in
//            tenths of hPa; the sign of the change is carried by a, so a change that
//            contradicts its characteristic (rising with a fall, steady with a change) or
//            no characteristic gives 5////. The sorted list maps to a as
//            0 -> 7, 1 -> 3, 2 -> 5, 3 -> 6, 4 -> 2, 5 -> 0, 6 -> 1, 7 -> 8, 8 -> 4.
//   ww W1 W2 present and past weather; W1 is the higher of the two past weather figures.
//   Nh       oktas of the low clouds when there are any, else of the middle clouds, 0 when
//            there are neither; "/" when they cannot be seen or a type is given without
//            its amount. CL CM CH are the list indexes 0..9 (the lists follow code
//            tables 0513, 0515, 0509); the last entry (invisible) and no choice are "/",
//            as are the layers hidden above an overcast layer. Left out without clouds.
// Section 2  222Dsvs 0ssTwTwTw 2PwPwHwHw (3dw1dw1dw2dw2 4Pw1Pw1Hw1Hw1 5Pw2Pw2Hw2Hw2)
//   Ds vs    the ship's course (8 points, 8 north, 0 stopped) and speed (code table 4451).
//   ss       0/1 intake, 2/3 bucket: the method, and the sign of the sea temperature.
//   Pw Hw    periods in whole seconds ("//" not determined), heights in half metres;
//            a calm sea is 20000. A swell of no height is not reported; the groups of
//            the swell are left out without any.
// The message ends with the end-of-report sign "=".

namespace {

std::string Pad(long long value, int width) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld", width, value);
    return text;
}

char Digit(long long value) { return static_cast<char>('0' + value); }

std::string CallSignGroup(const std::string& callSign) {
    std::string group;
    for (const char c : callSign)
        if (std::isalnum(static_cast<unsigned char>(c)))
            group += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return group.empty() ? "SHIP" : group;
}

CTime NearestHour(CTime t) {
    const long long shifted = t.GetTime() + 1800;
    const long long hours = shifted >= 0 ? shifted / 3600 : (shifted - 3599) / 3600;
    return CTime(hours * 3600);
}

long long CutTenths(double degrees) { return static_cast<long long>(std::floor(std::fabs(degrees) * 10.0 + 1e-9)); }

int Oktas(int percent) {
    if (percent <= 0) return 0;
    if (percent >= 100) return 8;
    return std::clamp(static_cast<int>(std::lround(percent / 12.5)), 1, 7);
}

// Code figure of a cloud list index: the index itself for 0..9, "/" for invisible or none.
char CloudCode(int index) { return index >= 0 && index <= 9 ? Digit(index) : '/'; }
bool CloudPresent(int index) { return index >= 1 && index <= 9; }

char HeightCode(double metres) {
    constexpr double kLimits[] = {50, 100, 200, 300, 600, 1000, 1500, 2000, 2500};
    int code = 0;
    while (code < 9 && metres >= kLimits[code])
        ++code;
    return Digit(code);
}

// Tens of degrees, 01..36 (code table 0877).
std::string DirectionCode(double degrees) {
    long long tens = static_cast<long long>(std::floor((degrees + 5.0) / 10.0)) % 36;
    if (tens <= 0) tens += 36;
    return Pad(tens, 2);
}

std::string TemperatureGroup(char indicator, long long tenths) {
    return std::string(1, indicator) + (tenths < 0 ? '1' : '0') + Pad(std::min(std::llabs(tenths), 999LL), 3);
}

long long Tenths(double value) { return std::llround(value * 10.0); }

// The sorted tendency list's index to code table 0200.
constexpr int kTendencyCode[9] = {7, 3, 5, 6, 2, 0, 1, 8, 4};

std::string TendencyGroup(int index, double change) {
    if (index < 0 || index > 8) return "5////";
    const int a = kTendencyCode[index];
    const long long q = Tenths(change);
    const bool consistent = (a == 0 && q >= 0) || (a >= 1 && a <= 3 && q > 0) || (a == 4 && q == 0) ||
                            (a == 5 && q <= 0) || (a >= 6 && q < 0);
    if (!consistent) return "5////";
    return "5" + std::string(1, Digit(a)) + Pad(std::min(std::llabs(q), 999LL), 3);
}

std::string WavePeriod(double seconds) {
    const long long s = std::llround(seconds);
    return s <= 0 ? "//" : Pad(std::min(s, 99LL), 2);
}

long long HalfMetres(double metres) { return std::min(std::llround(metres * 2.0), 99LL); }

struct Swell {
    double direction, height, period;
};

} // namespace

std::string ObsMessageText(const CMeteoObs& obs, const CPosition& position, const std::string& callSign, CTime now) {
    std::vector<std::string> groups = {"BBXX", CallSignGroup(callSign)};

    // Section 0
    const CTimeFields hour = NearestHour(now).Utc();
    groups.push_back(Pad(hour.day, 2) + Pad(hour.hour, 2) + (obs.m_windMethod == CMeteoObs::kEstimated ? "3" : "4"));
    const long long latitude = CutTenths(position.GetLatitude());
    const long long longitude = CutTenths(position.GetLongitude());
    const bool south = position.GetLatitude() < 0 && latitude > 0;
    const bool west = position.GetLongitude() < 0 && longitude > 0;
    groups.push_back("99" + Pad(latitude, 3));
    groups.push_back(std::string(1, south ? (west ? '5' : '3') : (west ? '7' : '1')) + Pad(longitude, 4));

    // Clouds
    const bool lowPresent = CloudPresent(obs.m_lowCloudType);
    const bool middlePresent = CloudPresent(obs.m_middleCloudType);
    const bool lowSeen = obs.m_lowCloudType >= 0 && obs.m_lowCloudType <= 9;
    const bool middleSeen = obs.m_middleCloudType >= 0 && obs.m_middleCloudType <= 9;
    int nh = -1; // -1: "/"
    if (lowPresent)
        nh = Oktas(obs.m_lowCloudCover);
    else if (lowSeen && middlePresent)
        nh = Oktas(obs.m_middleCloudCover);
    else if (lowSeen && middleSeen)
        nh = 0;
    if (nh == 0 && (lowPresent || middlePresent)) nh = -1;
    const int n = std::max(Oktas(obs.m_totalCloudCover), nh);
    char cm = CloudCode(obs.m_middleCloudType);
    char ch = CloudCode(obs.m_highCloudType);
    if (nh == 8 && lowPresent) cm = ch = '/';
    if (nh == 8 && !lowPresent) ch = '/';
    char h = '9';
    if (n > 0 && !(lowSeen && middleSeen && !lowPresent && !middlePresent)) h = HeightCode(obs.m_averageCloudHeight);

    // Present and past weather
    const int w1 = std::max(obs.m_pastWeatherW1, obs.m_pastWeatherW2);
    const int w2 = std::min(obs.m_pastWeatherW1, obs.m_pastWeatherW2);
    const bool weatherGroup = obs.m_presentWeatherWw > 3 || w1 > 2;

    // Section 1
    groups.push_back(std::string("4") + (weatherGroup ? '1' : '2') + h + "//");
    const long long knots = std::llround(obs.m_windSpeed);
    if (knots <= 0)
        groups.push_back(std::string(1, Digit(n)) + "0000");
    else
        groups.push_back(std::string(1, Digit(n)) + DirectionCode(obs.m_windDirection) + Pad(std::min(knots, 99LL), 2));
    if (knots >= 99) groups.push_back("00" + Pad(std::min(knots, 999LL), 3));
    const long long dry = Tenths(obs.m_dryTemperature);
    const long long dew = Tenths(obs.m_dewPoint);
    groups.push_back(TemperatureGroup('1', dry));
    groups.push_back(dew > dry ? "2////" : TemperatureGroup('2', dew));
    groups.push_back("4" + Pad(Tenths(obs.m_barometer) % 10000, 4));
    groups.push_back(TendencyGroup(obs.m_pressureTendency, obs.m_pressureChange));
    if (weatherGroup)
        groups.push_back("7" + Pad(std::clamp(obs.m_presentWeatherWw, 0, 99), 2) + Digit(std::clamp(w1, 0, 9)) +
                         Digit(std::clamp(w2, 0, 9)));
    if (n > 0)
        groups.push_back(std::string("8") + (nh < 0 ? '/' : Digit(nh)) + CloudCode(obs.m_lowCloudType) + cm + ch);

    // Section 2
    const long long shipSpeed = std::llround(position.GetSpeed());
    if (shipSpeed <= 0) {
        groups.push_back("22200");
    } else {
        const int sector = static_cast<int>(std::floor((position.GetCourse() + 22.5) / 45.0)) % 8;
        groups.push_back("222" + std::string(1, Digit(sector <= 0 ? 8 : sector)) +
                         Digit(std::min(9LL, (shipSpeed + 4) / 5)));
    }
    const long long sea = Tenths(obs.m_seaTemperature);
    const int method = obs.m_seaTemperatureMethod == CMeteoObs::kBucket ? 2 : 0;
    groups.push_back("0" + std::string(1, Digit(method + (sea < 0 ? 1 : 0))) +
                     Pad(std::min(std::llabs(sea), 999LL), 3));
    const long long waves = HalfMetres(obs.m_waveHeight);
    groups.push_back(waves <= 0 ? "20000" : "2" + WavePeriod(obs.m_wavePeriod) + Pad(waves, 2));
    std::vector<Swell> swells;
    for (const Swell& s : {Swell{obs.m_swell1Direction, obs.m_swell1Height, obs.m_swell1Period},
                           Swell{obs.m_swell2Direction, obs.m_swell2Height, obs.m_swell2Period}})
        if (HalfMetres(s.height) > 0) swells.push_back(s);
    if (!swells.empty()) {
        groups.push_back("3" + DirectionCode(swells[0].direction) +
                         (swells.size() > 1 ? DirectionCode(swells[1].direction) : "//"));
        for (std::size_t i = 0; i < swells.size(); ++i)
            groups.push_back(std::string(1, Digit(4 + static_cast<long long>(i))) + WavePeriod(swells[i].period) +
                             Pad(HalfMetres(swells[i].height), 2));
    }

    std::string text;
    for (const std::string& g : groups)
        text += (text.empty() ? "" : " ") + g;
    return text + "=";
}

bool WriteObsMessage(const CMeteoObs& obs, const CPosition& position, std::string callSign) {
    FileChoiceRequest request;
    request.filter = kObsFileFilter;
    request.defaultExtension = "txt";
    request.defaultName = "Text";
    // The save kind of dialog, because the message usually goes to a file that does not exist yet.
    const std::optional<std::string> path = services::Files().ChooseSave(request);
    if (!path || path->empty()) {
        services::Prompts().Show(kObsNoFileText);
        return false;
    }
    const std::string text = ObsMessageText(obs, position, callSign, services::Now());
    std::string error;
    if (!WriteFileAtomic(*path, text, error)) {
        services::Prompts().Show(kObsCannotOpenText);
        return false;
    }
    return true;
}

void SendObsMessage(const CMeteoObs& obs, const CPosition& present, const std::string& callSign) {
    WriteObsMessage(obs, present, callSign);
    CEventLog().Write(kObsLogText);
}
