#include "Mci.h"

MCIERROR mciSendStringA(const std::string& /*command*/) {
  // No device answers yet.
  return MCIERR_DEVICE_NOT_INSTALLED;
}
