#include "components/FileListKeys.h"

#include <algorithm>
#include <cstring>

#include "platform/system/Locale.h"

namespace {

int Order(std::uint64_t a, std::uint64_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

}  // namespace

bool FileListKeys::HexKey(const std::string& text, std::uint64_t& value) {
  if (text.size() != 16) return false;
  value = 0;
  for (const char c : text) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return false;
    }
    value = value << 4 | digit;
  }
  return true;
}

std::uint32_t FileListKeys::SharedTexts::Of(const std::string& text) {
  const auto [at, added] = index.try_emplace(text, static_cast<std::uint32_t>(keys.size()));
  if (added) {
    keys.emplace_back();
    platform::AppendCollationKey(NORM_IGNORECASE, text, keys.back());
  }
  return at->second;
}

std::vector<std::uint32_t> FileListKeys::SharedTexts::Ranks() const {
  std::vector<std::uint32_t> byKey(keys.size());
  for (std::uint32_t n = 0; n < byKey.size(); ++n) byKey[n] = n;
  std::sort(byKey.begin(), byKey.end(), [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
  std::vector<std::uint32_t> ranks(keys.size());
  std::uint32_t rank = 0;
  for (std::size_t n = 0; n < byKey.size(); ++n) {
    if (n > 0 && keys[byKey[n]] != keys[byKey[n - 1]]) ++rank;
    ranks[byKey[n]] = rank;
  }
  return ranks;
}

void FileListKeys::Clear() {
  entries_.clear();
  names_.clear();
  typeTexts_ = {};
  attributeTexts_ = {};
  sizesNumeric_ = datesNumeric_ = true;
}

void FileListKeys::Add(const Texts& texts) {
  Entry entry{};
  entry.place = static_cast<std::uint32_t>(entries_.size());
  entry.nameAt = static_cast<std::uint32_t>(names_.size());
  platform::AppendCollationKey(NORM_IGNORECASE, *texts[0], names_);
  entry.nameLength = static_cast<std::uint32_t>(names_.size() - entry.nameAt);
  for (std::uint32_t n = 0; n < 8; ++n) {
    const auto byte = n < entry.nameLength ? static_cast<unsigned char>(names_[entry.nameAt + n]) : 0u;
    entry.namePrefix = entry.namePrefix << 8 | byte;
  }
  sizesNumeric_ = HexKey(*texts[1], entry.size) && sizesNumeric_;
  entry.type = typeTexts_.Of(*texts[2]);
  datesNumeric_ = HexKey(*texts[3], entry.date) && datesNumeric_;
  entry.attributes = attributeTexts_.Of(*texts[4]);
  entries_.push_back(entry);
}

bool FileListKeys::Numeric(int column) const {
  if (column == 1) return sizesNumeric_;
  if (column == 3) return datesNumeric_;
  return true;
}

int FileListKeys::Compare(const Entry& a, const Entry& b, int column, const std::vector<std::uint32_t>& ranks) const {
  switch (column) {
    case 0: {
      if (a.namePrefix != b.namePrefix) return a.namePrefix < b.namePrefix ? -1 : 1;
      const std::uint32_t common = std::min(a.nameLength, b.nameLength);
      const int bytes = std::memcmp(names_.data() + a.nameAt, names_.data() + b.nameAt, common);
      if (bytes != 0) return bytes < 0 ? -1 : 1;
      return Order(a.nameLength, b.nameLength);
    }
    case 1: return Order(a.size, b.size);
    case 2: return Order(ranks[a.type], ranks[b.type]);
    case 3: return Order(a.date, b.date);
    default: return Order(ranks[a.attributes], ranks[b.attributes]);
  }
}

void FileListKeys::Sort(int column, bool up, std::vector<int>& order) {
  std::vector<std::uint32_t> ranks;
  if (column == 2) ranks = typeTexts_.Ranks();
  if (column == 4) ranks = attributeTexts_.Ranks();
  const int sign = up ? 1 : -1;
  const auto compare = [&](const Entry& a, const Entry& b) { return sign * Compare(a, b, column, ranks); };
  bool sorted = true, reversed = true;
  for (std::size_t n = 1; n < entries_.size() && (sorted || reversed); ++n) {
    const int c = compare(entries_[n - 1], entries_[n]);
    if (c > 0) sorted = false;
    if (c < 0) reversed = false;
  }
  if (sorted) {
    // Nothing moves.
  } else if (reversed) {
    // Sorted the other way: the runs of equal keys come in the opposite
    // order, each run keeping its own, as a stable sort leaves them.
    std::reverse(entries_.begin(), entries_.end());
    for (auto run = entries_.begin(); run != entries_.end();) {
      auto end = run + 1;
      while (end != entries_.end() && compare(*run, *end) == 0) ++end;
      std::reverse(run, end);
      run = end;
    }
  } else {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [&](const Entry& a, const Entry& b) { return compare(a, b) < 0; });
  }
  order.resize(entries_.size());
  for (std::size_t n = 0; n < entries_.size(); ++n) {
    order[n] = static_cast<int>(entries_[n].place);
    entries_[n].place = static_cast<std::uint32_t>(n);
  }
}
