#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

/// The Modified texts of one read of a file list: a packed file time
/// written as the user's short date, a blank and the long time, or the date
/// alone at midnight, as DateTimeToStr writes it. Each day's date text and
/// each time of day's text is written once a read and then reused, since
/// the files of a folder share days and times.
class FileDateTexts {
 public:
  /// The text of a packed time (the FAT/DOS form: date in the high half,
  /// time in the low half).
  std::string Of(std::int32_t packed);

 private:
  std::unordered_map<std::uint16_t, std::string> days_;
  // The times' texts by hour and minute, each minute's 30 texts (one each
  // two seconds) made when a time of that minute first comes.
  std::array<std::unique_ptr<std::string[]>, 24 * 60> minutes_;
};
