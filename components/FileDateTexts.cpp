#include "components/FileDateTexts.h"

#include "framework/core/SysUtils.h"

std::string FileDateTexts::Of(std::int32_t packed) {
  const TDateTime value = FileDateToDateTime(packed);
  // A packed time that names no real day or time reads as the date-time 0,
  // whose text its own halves do not give.
  if (value == 0) return DateTimeToStr(value);
  // The date text depends on the date half only, the time text on the time
  // half only: the time is whole seconds, which the formats round exactly.
  const auto bits = static_cast<std::uint32_t>(packed);
  auto day = days_.find(static_cast<std::uint16_t>(bits >> 16));
  if (day == days_.end()) day = days_.emplace(static_cast<std::uint16_t>(bits >> 16), DateToStr(value)).first;
  const auto timeBits = static_cast<std::uint16_t>(bits & 0xFFFF);
  if (timeBits == 0) return day->second;
  // A real time: hours below 24, minutes below 60, seconds below 60.
  auto& minute = minutes_[(timeBits >> 11) * 60u + ((timeBits >> 5) & 0x3Fu)];
  if (!minute) minute = std::make_unique<std::string[]>(30);
  std::string& time = minute[timeBits & 0x1Fu];
  if (time.empty()) time = TimeToStr(value);
  std::string text;
  text.reserve(day->second.size() + 1 + time.size());
  text += day->second;
  text += ' ';
  text += time;
  return text;
}
