#include "tests/support/NoFileOverrides.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testing_support {

namespace {

constexpr unsigned kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool Effective(unsigned (&effective)[2], bool set) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2]{};
  if (::syscall(SYS_capget, &header, data) != 0) return false;
  if (!set) {
    effective[0] = data[0].effective;
    effective[1] = data[1].effective;
    return true;
  }
  data[0].effective = effective[0];
  data[1].effective = effective[1];
  return ::syscall(SYS_capset, &header, data) == 0;
}

}  // namespace

NoFileOverrides::NoFileOverrides() {
  if (::geteuid() != 0) {
    held_ = true;
    return;
  }
  if (!Effective(saved_, false)) return;
  unsigned without[2] = {saved_[0] & ~kOverrides, saved_[1]};
  dropped_ = Effective(without, true);
  held_ = dropped_;
}

NoFileOverrides::~NoFileOverrides() {
  if (dropped_) Effective(saved_, true);
}

}  // namespace testing_support
