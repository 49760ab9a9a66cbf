// The dyed text's layout over random pieces, attributes, character widths and box widths.
// The lines tile the text's height, the runs of a line do not overlap, a wrapping line
// keeps to the width unless a single character is wider, no character is lost or moved,
// and a layout made again for another width is the one made afresh for it.
#include "FuzzSupport.h"
#include "msgbox/QDyedText.h"
#include "tests/support/QCharWidthMeasurer.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <map>

namespace {

using fuzz::Require;

constexpr std::array<const char*, 3> FontNames = {"", "Tahoma", "Courier New"};

void SetUpMeasurer(TQCharWidthMeasurer& m, FuzzedDataProvider& in) {
    m.Widths.fill(in.ConsumeIntegralInRange<std::int32_t>(0, 16));
    const auto wider = in.ConsumeIntegralInRange<int>(0, 8);
    for (int i = 0; i < wider; ++i)
        m.Widths[in.ConsumeIntegral<std::uint8_t>()] =
            in.ConsumeIntegralInRange<std::int32_t>(0, 64);
    m.BoldExtra = in.ConsumeIntegralInRange<std::int32_t>(0, 3);
    m.DefaultHeight = in.ConsumeIntegralInRange<std::int32_t>(1, 32);
}

// Text added in runs of attributes, as a caller builds a message.
TQDyedMessage BuildMessage(FuzzedDataProvider& in) {
    TQDyedMessage message;
    const auto runs = in.ConsumeIntegralInRange<int>(1, 12);
    for (int i = 0; i < runs && in.remaining_bytes() > 0; ++i) {
        const auto flags = in.ConsumeIntegral<std::uint8_t>();
        message.Font.Wrap = (flags & 1) != 0;
        message.Font.Bold = (flags & 2) != 0;
        message.Font.Italic = (flags & 4) != 0;
        message.Font.Name = FontNames[(flags >> 3) % FontNames.size()];
        message.Font.Height =
            (flags & 0x20) != 0 ? -in.ConsumeIntegralInRange<std::int32_t>(1, 40) : 0;
        message.Font.Color = (flags & 0x40) != 0 ? clWhite : clWindowText;
        message.AddText(in.ConsumeRandomLengthString(256));
    }
    return message;
}

// The characters of a line that take room: a character of no width fits anywhere.
std::size_t WideCharacters(TQCharWidthMeasurer& m, const TQDyedLine& line) {
    std::size_t count = 0;
    for (const TQDyedItem& item : line.Items) {
        m.SelectAttributes(item.Text);
        for (char c : item.Text.Text)
            count += m.MeasureText(std::string_view(&c, 1)).cx > 0;
    }
    return count;
}

void CheckLines(TQCharWidthMeasurer& m, const TQDyedTextArray& pieces, const TQDyedLayout& layout,
                std::int32_t width) {
    Require(!layout.Lines.empty() && layout.Lines.front().Top == 0, "the first line is at the top");
    std::int32_t top = 0;
    for (const TQDyedLine& line : layout.Lines) {
        Require(line.Top == top && line.Height >= 0 && line.Bottom == line.Top + line.Height,
                "each line starts where the one before ends");
        top = line.Bottom;
        std::int32_t x = 0;
        for (const TQDyedItem& item : line.Items) {
            m.SelectAttributes(item.Text);
            const TQTextExtent extent = m.MeasureText(item.Text.Text);
            Require(item.Left >= x && item.Width == extent.cx &&
                        item.Right == item.Left + item.Width,
                    "the runs of a line follow one another, each as wide as its text");
            Require(extent.cy <= line.Height, "a line is as high as its highest run");
            x = item.Right;
        }
        const bool wraps = !line.Items.empty() && line.Items.front().Text.Wrap;
        Require(!wraps || x <= width || WideCharacters(m, line) == 1,
                "a wrapping line keeps to the width unless a single character is wider");
    }
    Require(layout.Height() == top, "the text is as high as its lines");

    // Every character in its place: the runs' texts in order are the pieces' texts, and
    // every line end of a piece, and every change of wrapping, ends a line.
    std::string pieceText;
    std::map<std::size_t, int> hardBreaks;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        pieceText += pieces[i].Text;
        if (i + 1 < pieces.size() && (pieces[i].LineEnd || pieces[i].Wrap != pieces[i + 1].Wrap))
            ++hardBreaks[pieceText.size()];
    }
    std::string laidText;
    std::map<std::size_t, int> lineBreaks;
    for (std::size_t l = 0; l < layout.Lines.size(); ++l) {
        for (const TQDyedItem& item : layout.Lines[l].Items)
            laidText += item.Text.Text;
        if (l + 1 < layout.Lines.size())
            ++lineBreaks[laidText.size()];
    }
    Require(laidText == pieceText, "the runs hold the pieces' characters in order");
    for (const auto& [at, count] : hardBreaks)
        Require(lineBreaks[at] >= count, "a piece's line end ends a line");
}

bool SameLines(const TQDyedLayout& a, const TQDyedLayout& b) {
    if (a.Lines.size() != b.Lines.size() || a.WidestFixed != b.WidestFixed ||
        a.WidestWrapped != b.WidestWrapped)
        return false;
    for (std::size_t l = 0; l < a.Lines.size(); ++l) {
        const TQDyedLine& x = a.Lines[l];
        const TQDyedLine& y = b.Lines[l];
        if (x.Top != y.Top || x.Height != y.Height || x.Items.size() != y.Items.size())
            return false;
        for (std::size_t i = 0; i < x.Items.size(); ++i)
            if (x.Items[i].Left != y.Items[i].Left || x.Items[i].Width != y.Items[i].Width ||
                x.Items[i].Text.Text != y.Items[i].Text.Text)
                return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    TQCharWidthMeasurer m;
    SetUpMeasurer(m, in);
    const auto width = in.ConsumeIntegralInRange<std::int32_t>(0, 400);
    const auto otherWidth = in.ConsumeIntegralInRange<std::int32_t>(0, 400);
    const TQDyedMessage message = BuildMessage(in);

    const TQDyedLayout layout = Layout(m, message.Pieces, width);
    CheckLines(m, message.Pieces, layout, width);
    const TQDyedLayout fresh = Layout(m, message.Pieces, otherWidth);
    CheckLines(m, message.Pieces, fresh, otherWidth);
    Require(SameLines(Relayout(m, message.Pieces, layout, otherWidth), fresh),
            "a layout made again for another width is the one made afresh");
    if (layout.Holds(otherWidth))
        Require(SameLines(layout, fresh), "lines that hold for another width are its lines");
    return 0;
}
