// Sorting by the user's locale as Windows itself orders texts.
#include "util/TextList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Sorted(std::vector<std::string> items, bool caseSensitive) {
    TTextList list;
    for (const std::string& s : items)
        list.Add(s);
    list.Sort(caseSensitive);
    std::vector<std::string> result;
    for (int i = 0; i < list.Count(); ++i)
        result.push_back(list.Item(i));
    return result;
}

TEST(TextListLocaleOrder, CyrillicAlphabetWithYo) {
    EXPECT_EQ(Sorted({"жук", "ёж", "альфа", "zebra", "Ель", "яхта", "Юла"}, false),
              (std::vector<std::string>{"zebra", "альфа", "ёж", "Ель", "жук", "Юла", "яхта"}));
    EXPECT_EQ(Sorted({"Мир", "мир", "Мира", "мир"}, true),
              (std::vector<std::string>{"мир", "мир", "Мир", "Мира"}));
}

TEST(TextListLocaleOrder, DigitsBeforeLettersAndSymbolsFirst) {
    EXPECT_EQ(Sorted({"b", "9", "A", "!", "Я"}, false),
              (std::vector<std::string>{"!", "9", "A", "b", "Я"}));
}

} // namespace
