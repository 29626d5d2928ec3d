#include "weather/obs_message.h"

#include <cmath>

#include "core/conversion.h"
#include "core/event_log.h"
#include "core/file_io.h"
#include "core/position.h"
#include "platform/services.h"

std::string ObsMessageText(const std::string& callSign, CTime now, double latitude) {
    const CTimeFields utc = now.Utc();
    return "BBXX " + callSign + " " + CConversion::WholeText(utc.hour) + CConversion::WholeText(utc.day) + " 99" +
           CConversion::WholeText(std::fabs(latitude) * 100.0);
}

bool WriteObsMessage(const CPosition& position, const std::string& callSign) {
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
    const std::string text = ObsMessageText(callSign, services::Now(), position.GetLatitude());
    std::string error;
    if (!WriteFileAtomic(*path, text, error)) {
        services::Prompts().Show(kObsCannotOpenText);
        return false;
    }
    return true;
}

void SendObsMessage(const CPosition& present, const std::string& callSign) {
    WriteObsMessage(present, callSign);
    CEventLog().Write(kObsLogText);
}
