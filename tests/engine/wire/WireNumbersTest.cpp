#include "wire/WireNumbers.h"

#include "base/AppError.h"
#include "base/DateSerial.h"

#include <gtest/gtest.h>

namespace orvan::test {
namespace {

TEST(WireNumbersWriting, doublesUseFifteenDigitsAndTheExponentFormForSmallValues) {
    const WireNumbers numbers;
    EXPECT_EQ(numbers.funDblToStr(DateSerial::kSecond), "1.15740740740741E-05");
    EXPECT_EQ(numbers.funDblToStr(2.0 / 1440.0), "0.00138888888888889");
    EXPECT_EQ(numbers.funDblToStr(0.5), "0.5");
    EXPECT_EQ(numbers.funDblToStr(46'086.2951388889), "46086.2951388889");
    EXPECT_EQ(numbers.funDblToStr(0), "0");
    EXPECT_EQ(numbers.funDblToStr(-0.0), "0"); // no sign on a counter run down to zero
    EXPECT_EQ(numbers.funDblToStr(-1e-300), "-1E-300");
    EXPECT_EQ(numbers.funDblToStr(-3), "-3");
    EXPECT_EQ(numbers.funDblToStr(1e20), "1E+20");
}

TEST(WireNumbersWriting, singlesUseSevenDigits) {
    const WireNumbers numbers;
    EXPECT_EQ(numbers.funSngToStr(23.75F), "23.75");
    EXPECT_EQ(numbers.funSngToStr(1.0F / 3.0F), "0.3333333");
    EXPECT_EQ(numbers.funSngToStr(0.00001F), "1E-05");
    EXPECT_EQ(numbers.funSngToStr(-0.0F), "0");
}

TEST(WireNumbersWriting, decimalCommaLocaleStillWritesAPoint) {
    const WireNumbers comma{","};
    EXPECT_EQ(comma.funDblToStr(0.5), "0.5");
    EXPECT_EQ(comma.funSngToStr(22.5F), "22.5");
}

TEST(WireNumbersReading, pointOrLocaleSeparatorAndExponentForm) {
    const WireNumbers comma{","};
    EXPECT_DOUBLE_EQ(comma.funStrToDate("0.5"), 0.5);
    EXPECT_DOUBLE_EQ(comma.funStrToDate("0,5"), 0.5);
    EXPECT_EQ(DateSerial::parts(comma.funStrToDate("0.5")).hour, 12) << "noon of the base date";
    const WireNumbers point;
    EXPECT_DOUBLE_EQ(point.funStrToDate("1.15740740740741E-05"), 1.15740740740741e-05);
    EXPECT_DOUBLE_EQ(point.funStrToDate(" 2.5 "), 2.5);
    EXPECT_FLOAT_EQ(point.funStrToSng("22.5"), 22.5F);
}

TEST(WireNumbersReading, nonNumbersGiveZeroOrAConversionError) {
    const WireNumbers numbers;
    for (const char* bad : {"", "abc", "1.2.3", "12abc", "nan", "inf", "0x10", "--1"}) {
        EXPECT_EQ(numbers.funStrToDate(bad), 0.0) << bad;
        EXPECT_EQ(numbers.funStrToSng(bad), 0.0F) << bad;
        EXPECT_THROW(numbers.toInteger(bad), AppError) << bad;
    }
    EXPECT_EQ(numbers.funStrToSng("1e300"), 0.0F) << "beyond a single";
}

TEST(WireNumbersReading, integersRoundHalfToEvenAndCheckTheirRange) {
    const WireNumbers numbers;
    EXPECT_EQ(numbers.toInteger("42"), 42);
    EXPECT_EQ(numbers.toInteger("-7"), -7);
    EXPECT_EQ(numbers.toInteger("2.5"), 2);
    EXPECT_EQ(numbers.toInteger("3.5"), 4);
    EXPECT_EQ(numbers.toInteger("32767", 16), 32767);
    try {
        numbers.toInteger("32768", 16);
        FAIL() << "no overflow";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), AppError::kOverflow);
    }
    try {
        numbers.toInteger("x1");
        FAIL() << "no mismatch";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), AppError::kTypeMismatch);
    }
}

} // namespace
} // namespace orvan::test
