// JobInfoSettings: job-wide values the driver's user interface puts into the job ticket as
// three private properties (JobInfoData, JobSettingData, JobSecretFunctionData).
#pragma once

#include <cstdint>
#include <string>

#include "print_ticket_document.h"

namespace kx {

struct JobInfoSettings {
  std::u16string defaultUserName;
  std::u16string computerName;
  std::uint32_t codePage = 1252;
  int separateTrayMode = 0;
  std::u16string divideCondition;
  std::uint16_t bandingPortraitFlag = 0;
  std::uint16_t bandingPortraitSize = 0;
  std::uint16_t bandingLandscapeFlag = 0;
  std::uint16_t bandingLandscapeSize = 0;
  int halftoneReduction = 0;
  int draftMode = 0;
};

// S_OK when the groups were read or are absent; else the failure of the last group.
HRESULT ReadJobInfo(const PrintTicketDocument& ticket, JobInfoSettings* record);
HRESULT WriteJobInfo(const PrintTicketDocument& ticket, const JobInfoSettings& record);
HRESULT DeleteJobInfo(const PrintTicketDocument& ticket);

}  // namespace kx
