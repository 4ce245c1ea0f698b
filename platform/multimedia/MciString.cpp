#include <sstream>
#include <vector>

#include "platform/multimedia/Mci.h"
#include "platform/system/CaseFold.h"

// The command strings the main window sends: "set cdaudio door open" and
// "set cdaudio door closed", words in any case, separated by blanks. Each
// opens the default CD audio device for the one command and closes it.
MCIERROR mciSendStringA(const std::string& command) {
  std::istringstream words(platform::LowerAscii(command));
  std::vector<std::string> word;
  for (std::string next; words >> next;) word.push_back(next);
  if (word.empty() || word[0] != "set") return MCIERR_UNRECOGNIZED_COMMAND;
  if (word.size() < 2 || word[1] != "cdaudio") return MCIERR_INVALID_DEVICE_NAME;
  if (word.size() != 4 || word[2] != "door" || (word[3] != "open" && word[3] != "closed"))
    return MCIERR_UNRECOGNIZED_KEYWORD;

  MCI_OPEN_PARMS open;
  open.lpstrDeviceType = "cdaudio";
  if (MCIERROR error = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE, &open)) return error;
  MCI_SET_PARMS set;
  const MCIERROR result = mciSendCommandA(open.wDeviceID, MCI_SET,
                                          word[3] == "open" ? MCI_SET_DOOR_OPEN : MCI_SET_DOOR_CLOSED | MCI_WAIT, &set);
  mciSendCommandA(open.wDeviceID, MCI_CLOSE, 0, nullptr);
  return result;
}
