// The text list's load from a file of random bytes, then its lookups, deletions and sort.
#include "FuzzSupport.h"
#include "os/Platform.h"
#include "util/TextList.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace {

using fuzz::Require;

std::string FilePath;

// The lines the file must give: a carriage return ends a line and a line feed right after it
// is skipped; an unended last line counts when it is not empty; an item ends at a zero.
std::vector<std::string> ExpectedItems(std::string_view text) {
    std::vector<std::string> items;
    std::string line;
    auto close = [&] { items.push_back(line.substr(0, line.find('\0'))); };
    for (std::size_t p = 0; p < text.size(); ++p) {
        if (text[p] != '\r') {
            line += text[p];
            continue;
        }
        close();
        line.clear();
        if (p + 1 < text.size() && text[p + 1] == '\n')
            ++p;
    }
    if (!line.empty())
        close();
    return items;
}

std::vector<std::string> ItemsOf(const TTextList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list.Item(i));
    return items;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // In memory where the system offers it: the file is written and read for every input.
    std::error_code error;
    std::filesystem::path folder = "/dev/shm";
    if (!std::filesystem::is_directory(folder, error))
        folder = std::filesystem::temp_directory_path();
    FilePath = (folder / ("kelvo-fuzz-textlist-" + std::to_string(getpid()))).string();
    std::atexit([] { std::remove(FilePath.c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Splitting lines looks at a character or two at a time and a sort of a few hundred items
    // takes every path of the quicksort: a kilobyte shows all, at a fraction of the time.
    const std::string_view bytes = fuzz::Bytes(data, std::min<std::size_t>(size, 1024));
    Require(os::WriteWholeFile(FilePath, bytes), "the fuzz file can be written");
    TTextList list;
    list.Add("before");
    Require(list.LoadFromFile(FilePath), "a file loads");
    std::vector<std::string> items = ExpectedItems(bytes);
    Require(ItemsOf(list) == items, "the items are the file's lines");
    Require(list.Item(-1).empty() && list.Item(list.Count()).empty(), "no item outside the list");
    // Each lookup runs through the list: of a long one only the first and the last items.
    constexpr int Ends = 8;
    for (int i = 0; i < list.Count();
         i = i == Ends && list.Count() - Ends > i ? list.Count() - Ends : i + 1) {
        const int found = list.IndexOf(list.Item(i));
        Require(list.Item(i).empty() ? found == -1
                                     : found >= 0 && found <= i && list.Item(found) == list.Item(i),
                "IndexOf finds the first equal item");
    }

    list.Delete(list.Count());
    Require(list.Count() == static_cast<int>(items.size()), "deleting past the end does nothing");
    if (!items.empty()) {
        const int victim = static_cast<int>(size % items.size());
        list.Delete(victim);
        items.erase(items.begin() + victim);
        Require(ItemsOf(list) == items, "Delete removes that one item");
    }

    const bool caseSensitive = size % 2 == 0;
    list.Sort(caseSensitive);
    std::vector<std::string> sorted = ItemsOf(list);
    for (std::size_t i = 1; i < sorted.size(); ++i)
        Require(os::CompareLocale(sorted[i - 1].c_str(), sorted[i].c_str(), !caseSensitive) <= 0,
                "sorted items are in order");
    std::sort(sorted.begin(), sorted.end());
    std::sort(items.begin(), items.end());
    Require(sorted == items, "sorting keeps every item");
    return 0;
}
