#include "script/QDualNode.h"

#include "textstream/QStm.h"
#include "util/LineBreaks.h"

#include <utility>

TQDualNode::~TQDualNode() {
    // Children are detached before their parent is freed, so each release frees one node.
    std::vector<std::unique_ptr<TQDualNode>> pending = std::move(Children);
    while (!pending.empty()) {
        std::unique_ptr<TQDualNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->Children)
            pending.push_back(std::move(child));
        node->Children.clear();
    }
}

bool TQDualNode::ReadLine(TQInStm& stm) {
    stm.SkipBlanks();
    const TQPos keyStart = stm.Cur();
    Key = stm.ReadString();
    // Written into a scheme, whose text ends at its first zero, a zero in a key would cut off
    // the rest of the step and the end of its section for the station.
    if (const std::size_t zero = Key.find('\0'); zero != std::string::npos) {
        stm.Error("Недопустимый символ #0 в ключе", keyStart);
        Key.erase(zero);
    }
    const bool block = stm.AcceptLiteral("{");
    // The rest of the line is column text as it stands: quotes, comment marks and
    // brackets included; the line break stays for the next reader.
    const std::string_view text = stm.Text();
    const TQPos begin = stm.Cur();
    TQPos end = begin;
    std::size_t count = 1;
    for (; end < text.size() && !IsLineBreak(text[end]) && text[end] != '\0'; ++end)
        count += text[end] == '|';
    Columns.reserve(count);
    TQPos start = begin;
    for (TQPos p = begin; p < end; ++p) {
        if (text[p] == '|') {
            Columns.push_back(text.substr(start, p - start));
            start = p + 1;
        }
    }
    Columns.push_back(text.substr(start, end - start));
    stm.SetPos(end);
    return block;
}

std::unique_ptr<TQDualNode> TQDualNode::Load(TQInStm& stm) {
    auto node = std::make_unique<TQDualNode>();
    if (!node->ReadLine(stm))
        return node;
    // The open blocks, innermost last: a block's children are read until its "}".
    std::vector<TQDualNode*> open{node.get()};
    while (!open.empty()) {
        if (stm.IsString()) {
            auto child = std::make_unique<TQDualNode>();
            const bool block = child->ReadLine(stm);
            TQDualNode* raw = child.get();
            open.back()->Add(std::move(child));
            if (block)
                open.push_back(raw);
        } else {
            stm.ExpectLiteral("}");
            open.pop_back();
        }
    }
    return node;
}

void TQDualNode::Add(std::unique_ptr<TQDualNode> child) {
    Children.push_back(std::move(child));
}

std::string TQDualNode::Emit(int index, const std::string& indent) const {
    std::string out;
    TEmitRoom room;
    EmitTo(out, index, indent, room);
    return out;
}

bool TQDualNode::EmitOwnLine(std::string& out, int index, const std::string& indent) const {
    if (index < 0 || static_cast<std::size_t>(index) >= Columns.size())
        return false;
    const std::string_view column = Columns[static_cast<std::size_t>(index)];
    if (IsBlankText(column))
        return false;
    out += indent;
    out += '\'';
    out += Key;
    out += '\'';
    if (!Children.empty())
        out += '{';
    out += column;
    out += "\r\n";
    return true;
}

void TQDualNode::EmitTo(std::string& out, int index, std::string_view baseIndent,
                        TEmitRoom& room) const {
    std::string& indent = room.Indent;
    auto& open = room.Open;
    indent.assign(baseIndent);
    open.clear();
    // A node is opened when its children are to be emitted: a node with a key only when it
    // gave its own line, which puts its children two blanks further in.
    auto enter = [&](const TQDualNode* node) {
        if (node->Key.empty()) {
            open.emplace_back(node, 0);
        } else if (node->EmitOwnLine(out, index, indent)) {
            indent += "  ";
            open.emplace_back(node, 0);
        }
    };
    enter(this);
    while (!open.empty()) {
        auto& [node, next] = open.back();
        if (next < node->Children.size()) {
            enter(node->Children[next++].get());
            continue;
        }
        if (!node->Key.empty()) {
            indent.resize(indent.size() - 2);
            if (!node->Children.empty()) {
                out += indent;
                out += "}\r\n";
            }
        }
        open.pop_back();
    }
}
