#pragma once

// The registry calls return the system's error codes as values; 0 is success.
#include "platform/system/LastError.h"
