#include <gtest/gtest.h>

#include "framework/core/Exception.h"
#include "framework/core/SysUtils.h"
#include "platform/system/Locale.h"

namespace {

TEST(StrToInt, ReadsTheClassicIntegerSyntax) {
  const struct {
    const char* text;
    int value;
  } cases[] = {
      {"12", 12},
      {"  12", 12},
      {"-5", -5},
      {"+7", 7},
      {"$1F", 31},
      {"0x1F", 31},
      {"0X1f", 31},
      {"x1f", 31},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"$80000008", -2147483640},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

TEST(StrToInt, RaisesForTextThatIsNotWhollyANumber) {
  for (const char* text : {"", " ", "twelve", "12 ", "1.5", "12a", "$", "0x", "-", "2147483648", "$100000000"}) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + text + "' is not a valid integer value");
    }
    EXPECT_EQ(StrToIntDef(text, 42), 42) << text;
  }
}

TEST(IntToHex, UpperCaseWithLeadingZeros) {
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(static_cast<std::int64_t>(0x1234ABCDLL), 16), "000000001234ABCD");
  EXPECT_EQ(IntToHex(0, 0), "0");
  EXPECT_EQ(IntToHex(static_cast<std::int64_t>(-1), 4), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToStr(-2147483633), "-2147483633");
}

TEST(Format, FillsTheProgramsMessages) {
  EXPECT_EQ(Format("%s Directory %s?", "Recycle", "C:\\Temp"), "Recycle Directory C:\\Temp?");
  EXPECT_EQ(Format("%s these %d Files?", std::string("Delete"), 3), "Delete these 3 Files?");
  EXPECT_EQ(Format("%d%%|%5d|%-4s|%x", 100, 42, "ab", 255), "100%|   42|ab  |FF");
  EXPECT_THROW(Format("%d", "text"), EConvertError);
  EXPECT_THROW(Format("%s %s", "one"), EConvertError);
}

class Numbers : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::RegionalSettings s;
    s.decimalSeparator = ",";
    s.thousandSeparator = ".";
    platform::SetRegionalSettings(s);
  }
  void TearDown() override { platform::UseSystemRegionalSettings(); }
};

TEST_F(Numbers, FixedAndNumberUseTheUsersSeparators) {
  const struct {
    double value;
    TFloatFormat format;
    int precision, digits;
    const char* text;
  } cases[] = {
      {1536 * 0.001, ffNumber, 12, 2, "1,54"},
      {999.999, ffNumber, 12, 2, "1.000,00"},
      {1500.0, ffNumber, 12, 2, "1.500,00"},
      {0, ffNumber, 12, 2, "0,00"},
      {-5, ffNumber, 12, 2, "-5,00"},
      {-0.001, ffNumber, 12, 2, "0,00"},
      {1234567.891, ffNumber, 12, 2, "1.234.567,89"},
      {123456789012.345, ffNumber, 12, 2, "123.456.789.012,00"},
      {2.5, ffFixed, 15, 0, "3"},
      {1500, ffGeneral, 15, 0, "1500"},
      {123456789012345.0, ffGeneral, 15, 0, "123456789012345"},
      {0.25, ffGeneral, 15, 0, "0,25"},
      {1e20, ffGeneral, 15, 0, "1E20"},
      {0.000001, ffGeneral, 15, 0, "1E-6"},
      {1234.5, ffExponent, 4, 2, "1,235E+03"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.text) << c.value;
  }
  EXPECT_EQ(FloatToStr(4096), "4096");
}

TEST_F(Numbers, FormatFloatPictures) {
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
  EXPECT_EQ(FormatFloat("#,##0.00", 0), "0,00");
  EXPECT_EQ(FormatFloat("0.##", 2.5), "2,5");
  EXPECT_EQ(FormatFloat("0.##", 2), "2");
  EXPECT_EQ(FormatFloat("000", 7), "007");
  EXPECT_EQ(FormatFloat("0 'Kb'", 12), "12 Kb");
  EXPECT_EQ(FormatFloat("0;(0);zero", -3), "(3)");
  EXPECT_EQ(FormatFloat("0;(0);zero", 0), "zero");
  EXPECT_EQ(FormatFloat("0.00", -1.005e-9), "0,00");
}

TEST(TextHelpers, CaseAndTrimming) {
  EXPECT_EQ(UpperCase("abc.txt"), "ABC.TXT");
  EXPECT_EQ(LowerCase("ABC"), "abc");
  EXPECT_EQ(AnsiUpperCase(".jpg"), ".JPG");
  EXPECT_EQ(Trim("\t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
}

TEST(FileNames, PiecesOfDrivePaths) {
  const struct {
    const char* path;
    const char* name;
    const char* ext;
    const char* filePath;
    const char* dir;
  } cases[] = {
      {"C:\\Data\\a.txt", "a.txt", ".txt", "C:\\Data\\", "C:\\Data"},
      {"C:\\a.b\\readme", "readme", "", "C:\\a.b\\", "C:\\a.b"},
      {"C:\\x.tar.gz", "x.tar.gz", ".gz", "C:\\", "C:\\"},
      {"C:file", "file", "", "C:", "C:"},
      {"plain", "plain", "", "", ""},
      {"C:\\Data\\", "", "", "C:\\Data\\", "C:\\Data"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
    EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
    EXPECT_EQ(ExtractFilePath(c.path), c.filePath) << c.path;
    EXPECT_EQ(ExtractFileDir(c.path), c.dir) << c.path;
  }
  EXPECT_EQ(IncludeTrailingBackslash("C:\\Data"), "C:\\Data\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\"), "C:\\");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\Data\\"), "C:\\Data");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\"), "C:");
}

class Dates : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::RegionalSettings s;
    s.shortDateFormat = "dd.mm.yyyy";
    s.longTimeFormat = "hh:nn:ss";
    platform::SetRegionalSettings(s);
  }
  void TearDown() override { platform::UseSystemRegionalSettings(); }
};

TEST_F(Dates, EncodeDecodeAndTheUsersFormats) {
  const TDateTime t = EncodeDate(2003, 2, 28) + EncodeTime(7, 5, 9, 0);
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
  int y, m, d;
  DecodeDate(EncodeDate(2024, 2, 29), y, m, d);
  EXPECT_EQ((std::vector<int>{y, m, d}), (std::vector<int>{2024, 2, 29}));
  EXPECT_EQ(DateTimeToStr(t), "28.02.2003 07:05:09");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2003, 2, 28)), "28.02.2003");
  EXPECT_EQ(FormatDateTime("d/m/yy h:nn am/pm", EncodeDate(2003, 2, 8) + EncodeTime(13, 5, 0, 0)), "8/2/03 1:05 pm");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:mm 'at' ddd", EncodeDate(2003, 2, 8) + EncodeTime(13, 5, 0, 0)),
            "2003-02-08 13:05 at Sat");
  EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz z", EncodeDate(2003, 2, 8) + EncodeTime(7, 5, 9, 7)), "07:05:09.007 7");
  EXPECT_EQ(FormatDateTime("yyyy", EncodeDate(987, 1, 2)), "0987");
  EXPECT_THROW(EncodeDate(2003, 2, 29), EConvertError);
}

TEST_F(Dates, PackedFileDates) {
  // 2003-02-28 07:05:08: year 23, month 2, day 28; hour 7, minute 5, second 4 (x2).
  const std::int32_t packed =
      static_cast<std::int32_t>((23u << 25) | (2u << 21) | (28u << 16) | (7u << 11) | (5u << 5) | 4u);
  EXPECT_EQ(DateTimeToStr(FileDateToDateTime(packed)), "28.02.2003 07:05:08");
  EXPECT_EQ(FileDateToDateTime(0), 0);
}

}  // namespace
