#pragma once

namespace testing_support {

/// For its lifetime, this thread writes and enters files as their
/// permissions say even when it runs as root: the capabilities that let root
/// pass over them (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER) are
/// taken out of its effective set, and put back when it goes. For tests of a
/// folder or file the user may not write. Held() is false where they could
/// not be dropped (the test then skips).
class NoFileOverrides {
 public:
  NoFileOverrides();
  ~NoFileOverrides();
  NoFileOverrides(const NoFileOverrides&) = delete;
  NoFileOverrides& operator=(const NoFileOverrides&) = delete;

  bool Held() const { return held_; }

 private:
  bool held_ = false;
  bool dropped_ = false;
  unsigned saved_[2] = {0, 0};
};

}  // namespace testing_support
