#include "os/Platform.h"
#include "tests/support/TempFiles.h"
#include "util/TextList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ItemsOf(const TTextList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list.Item(i));
    return items;
}

TEST(TextList, AddItemAndOutOfRangeIndexes) {
    TTextList list;
    EXPECT_EQ(list.Add("a"), 0);
    EXPECT_EQ(list.Add(""), 1);
    EXPECT_EQ(list.Add("Станция"), 2);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(2), "Станция");
    EXPECT_EQ(list.Item(-1), "");
    EXPECT_EQ(list.Item(3), "");
}

TEST(TextList, IndexOfIsExactAndNeverFindsTheEmptyText) {
    TTextList list;
    list.Add("");
    list.Add("Alpha");
    list.Add("alpha");
    list.Add("Alpha");
    EXPECT_EQ(list.IndexOf(""), -1) << "even though item 0 is empty";
    EXPECT_EQ(list.IndexOf("alpha"), 2) << "case-sensitive";
    EXPECT_EQ(list.IndexOf("Alpha"), 1) << "the first of equal items";
    EXPECT_EQ(list.IndexOf("Alph"), -1);
    EXPECT_EQ(list.IndexOf(std::string("Alpha\0", 6)), -1) << "byte for byte";
}

TEST(TextList, DeleteAndClear) {
    TTextList list;
    for (const char* s : {"a", "b", "c"})
        list.Add(s);
    list.Delete(1);
    EXPECT_EQ(ItemsOf(list), (std::vector<std::string>{"a", "c"}));
    list.Delete(list.Count());
    list.Delete(5);
    list.Delete(-1);
    EXPECT_EQ(list.Count(), 2) << "an index outside the list deletes nothing";
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Add("d"), 0);
}

TEST(TextListSort, OrdersWithAndWithoutCase) {
    TTextList list;
    for (const char* s : {"delta", "Bravo", "alpha", "charlie", "ALPHA", "bravo"})
        list.Add(s);
    list.Sort(false);
    std::vector<std::string> items = ItemsOf(list);
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(os::CompareLocale(items[0].c_str(), "alpha", true), 0);
    EXPECT_EQ(os::CompareLocale(items[1].c_str(), "alpha", true), 0);
    EXPECT_EQ(os::CompareLocale(items[2].c_str(), "bravo", true), 0);
    EXPECT_EQ(os::CompareLocale(items[3].c_str(), "bravo", true), 0);
    EXPECT_EQ(items[4], "charlie");
    EXPECT_EQ(items[5], "delta");
    list.Sort(true);
    EXPECT_EQ(ItemsOf(list),
              (std::vector<std::string>{"alpha", "ALPHA", "bravo", "Bravo", "charlie", "delta"}))
        << "with case, lower case first among equal letters";
}

TEST(TextListSort, ShortListsAndCyrillic) {
    TTextList empty;
    empty.Sort(true);
    EXPECT_EQ(empty.Count(), 0);
    TTextList one;
    one.Add("x");
    one.Sort(false);
    EXPECT_EQ(ItemsOf(one), (std::vector<std::string>{"x"}));
    TTextList two;
    two.Add("b");
    two.Add("a");
    two.Sort(true);
    EXPECT_EQ(ItemsOf(two), (std::vector<std::string>{"a", "b"}));
    TTextList list;
    for (const char* s : {"жук", "ёж", "альфа", "zebra", "Ель"})
        list.Add(s);
    list.Sort(false);
    EXPECT_EQ(ItemsOf(list), (std::vector<std::string>{"zebra", "альфа", "ёж", "Ель", "жук"}));
}

std::string Key(unsigned long n) {
    std::string key(1, 'k');
    key += std::to_string(n);
    return key;
}

// Large, presorted, reversed and repetitive lists: the quicksort's hard cases.
TEST(TextListSort, ManyItemsEndSortedAndKeepEveryItem) {
    std::mt19937 random(7);
    std::vector<std::vector<std::string>> inputs(4);
    for (int i = 0; i < 3000; ++i) {
        inputs[0].push_back(Key(random() % 100000));
        inputs[1].push_back(Key(100000 + i));
        inputs[2].push_back(Key(200000 - i));
        inputs[3].push_back(i % 3 == 0 ? "same" : "Same");
    }
    for (std::size_t n = 0; n < inputs.size(); ++n) {
        TTextList list;
        for (const std::string& s : inputs[n])
            list.Add(s);
        list.Sort(true);
        std::vector<std::string> items = ItemsOf(list);
        for (std::size_t i = 1; i < items.size(); ++i)
            ASSERT_LE(os::CompareLocale(items[i - 1].c_str(), items[i].c_str(), false), 0)
                << "input " << n << " at " << i;
        std::sort(items.begin(), items.end());
        std::sort(inputs[n].begin(), inputs[n].end());
        EXPECT_EQ(items, inputs[n]) << "input " << n << ": the same items";
    }
}

class TextListFile : public ::testing::Test {
protected:
    const support::TTempFile file;
    const std::string path = file.Name();
    std::vector<std::string> Load(const std::string& bytes) {
        EXPECT_TRUE(os::WriteWholeFile(path, bytes));
        TTextList list;
        EXPECT_TRUE(list.LoadFromFile(path));
        return ItemsOf(list);
    }
};

TEST_F(TextListFile, CarriageReturnEndsALineAndALoneLineFeedDoesNot) {
    EXPECT_EQ(Load("a\r\nb\nc\r\n"), (std::vector<std::string>{"a", "b\nc"}));
    EXPECT_EQ(Load("a\rb\r"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Load("a\r\r\nb"), (std::vector<std::string>{"a", "", "b"}))
        << "an empty line between two carriage returns; the unended last line counts";
    EXPECT_EQ(Load("a\r\n\nb"), (std::vector<std::string>{"a", "\nb"}))
        << "only one line feed after a carriage return is skipped";
    EXPECT_EQ(Load(""), (std::vector<std::string>{}));
    EXPECT_EQ(Load("\r\n"), (std::vector<std::string>{""}));
    EXPECT_EQ(Load(std::string("a\0b\rc", 5)), (std::vector<std::string>{"a", "c"}))
        << "a line ends at a zero byte";
}

TEST_F(TextListFile, LoadReplacesTheItems) {
    ASSERT_TRUE(os::WriteWholeFile(path, "x\r\ny"));
    TTextList list;
    list.Add("old");
    ASSERT_TRUE(list.LoadFromFile(path));
    EXPECT_EQ(ItemsOf(list), (std::vector<std::string>{"x", "y"}));
}

TEST(TextListFileFailure, MissingFileLeavesTheListAlone) {
    TTextList list;
    list.Add("kept");
    EXPECT_FALSE(list.LoadFromFile("no_such_dir/no_such_file.txt"));
    EXPECT_EQ(ItemsOf(list), (std::vector<std::string>{"kept"}));
}

} // namespace
