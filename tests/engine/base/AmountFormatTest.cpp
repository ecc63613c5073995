#include "base/AmountFormat.h"

#include <gtest/gtest.h>

namespace orvan::test {
namespace {

struct AmountCase {
    float amount;
    const char* format;
    const char* symbol;
    const char* expected;
};

TEST(AmountFormat, placeholderBecomesTheSymbolOrDisappears) {
    const AmountFormat point{"."};
    const AmountCase cases[] = {
        {23.75F, "#,##0.00 </currSymbol>", "฿", "23.75 ฿"},
        {1234.5F, "#,##0.00 </currSymbol>", "฿", "1,234.50 ฿"},
        {23.75F, "</currSymbol>#,##0.00", "$", "$23.75"},
        {23.75F, "0.00", "€", "€ 23.75"},                // no placeholder: symbol in front
        {23.75F, "#,##0.00 </currSymbol>", "", "23.75"}, // no symbol: trimmed away
        {0.0F, "#,##0.00 </currSymbol>", "฿", "0.00 ฿"},
        {0.5F, "#.00", "", ".50"},
        {7.0F, "0", "", "7"},
        {22.5F, "", "", "22.5"},
        {22.5F, "0.00  </currSymbol>", "Baht", "22.50 Baht"}, // double spaces reduced
        {-3.25F, "0.00 </currSymbol>", "฿", "-3.25 ฿"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(point.funFormatAmount(c.amount, c.format, c.symbol, "</currSymbol>"), c.expected)
            << c.format << " / " << c.symbol;
    }
}

TEST(AmountFormat, separatorsFollowTheLocale) {
    const AmountFormat comma{","};
    EXPECT_EQ(comma.funFormatAmount(1234.5F, "#,##0.00 </currSymbol>", "€", "</currSymbol>"),
              "1.234,50 €");
}

TEST(AmountFormat, symbolInQuotesIsNotReadAsDigits) {
    const AmountFormat point{"."};
    EXPECT_EQ(point.funFormatAmount(5.0F, "0.00 </currSymbol>", "0#,", "</currSymbol>"),
              "5.00 0#,");
}

} // namespace
} // namespace orvan::test
