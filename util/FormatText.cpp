#include "os/FormatConv.h"
#include "os/Platform.h"
#include "util/TextUtils.h"

#include <stdexcept>
#include <vector>

namespace {

using fmtconv::TArgKind;

const char* KindName(TArgKind kind) {
    switch (kind) {
    case TArgKind::Text:
        return "a text";
    case TArgKind::WideText:
        return "a wide text";
    default:
        return "a number";
    }
}

TArgKind KindOf(const TFormatArg& arg) {
    switch (arg.Kind) {
    case TFormatArg::TKind::Text:
        return TArgKind::Text;
    case TFormatArg::TKind::WideText:
        return TArgKind::WideText;
    default:
        return TArgKind::Number;
    }
}

[[noreturn]] void Reject(const char* fmt, const std::string& why) {
    throw std::logic_error("FormatText(\"" + std::string(fmt) + "\"): " + why);
}

// The argument kinds the template's conversions take, in order.
std::vector<TArgKind> WantedKinds(const char* fmt) {
    std::vector<TArgKind> kinds;
    for (const char* p = fmt; *p != 0; ++p) {
        if (*p != '%')
            continue;
        if (p[1] == '%') {
            ++p;
            continue;
        }
        fmtconv::TConversion conv = fmtconv::ParseConversion(p + 1);
        if (conv.Type == fmtconv::TConvType::Unknown)
            Reject(fmt, "conversion " + std::to_string(kinds.size() + 1) + " has no known type");
        // The formatter counts a "0x" it may not write near the end of its buffer, and then
        // writes past that buffer; no template of the system needs the prefix.
        if (conv.PrefixHex)
            Reject(fmt, "the '#' flag is not supported");
        kinds.push_back(fmtconv::ArgKindOf(conv.Type));
        p += conv.Length;
    }
    return kinds;
}

} // namespace

std::string FormatText(const char* fmt, std::initializer_list<TFormatArg> args) {
    if (fmt == nullptr)
        throw std::logic_error("FormatText: no template");
    std::vector<TArgKind> kinds = WantedKinds(fmt);
    if (kinds.size() != args.size())
        Reject(fmt, std::to_string(kinds.size()) + " conversions but " +
                        std::to_string(args.size()) + " arguments");
    std::vector<std::uintptr_t> slots;
    slots.reserve(args.size());
    for (const TFormatArg& arg : args) {
        TArgKind want = kinds[slots.size()];
        if (KindOf(arg) != want)
            Reject(fmt, "argument " + std::to_string(slots.size() + 1) + " must be " +
                            KindName(want) + ", not " + KindName(KindOf(arg)));
        slots.push_back(arg.Slot);
    }
    return os::FormatSlots(fmt, slots.data(), slots.size());
}
