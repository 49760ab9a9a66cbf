#include "script/QDualNode.h"

#include "textstream/QStm.h"

#include <utility>

namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

// One open node while a tree is walked: the node and the next child to visit.
struct TEmitFrame {
    const TQDualNode* Node;
    std::size_t Next;
    bool Indented; // the node wrote a line of its own, so its children stand two blanks in
};

} // namespace

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
    Key = stm.ReadString();
    const bool block = stm.AcceptLiteral("{");
    // The rest of the line is column text as it stands: quotes, comment marks and
    // brackets included; the line break stays for the next reader.
    const std::string& text = stm.Text();
    const TQPos begin = stm.Cur();
    TQPos end = begin;
    std::size_t count = 1;
    for (; !IsLineEnd(text[end]); ++end)
        count += text[end] == '|';
    Columns.reserve(count);
    TQPos start = begin;
    for (TQPos p = begin; p < end; ++p) {
        if (text[p] == '|') {
            Columns.emplace_back(text, start, p - start);
            start = p + 1;
        }
    }
    Columns.emplace_back(text, start, end - start);
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
    EmitTo(out, index, indent);
    return out;
}

bool TQDualNode::EmitOwnLine(std::string& out, int index, const std::string& indent) const {
    if (index < 0 || static_cast<std::size_t>(index) >= Columns.size())
        return false;
    const std::string& column = Columns[static_cast<std::size_t>(index)];
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

void TQDualNode::EmitTo(std::string& out, int index, const std::string& baseIndent) const {
    std::string indent = baseIndent;
    std::vector<TEmitFrame> frames;
    auto enter = [&](const TQDualNode* node) {
        if (node->Key.empty()) {
            frames.push_back({node, 0, false});
        } else if (node->EmitOwnLine(out, index, indent)) {
            indent += "  ";
            frames.push_back({node, 0, true});
        }
    };
    enter(this);
    while (!frames.empty()) {
        TEmitFrame& top = frames.back();
        if (top.Next < top.Node->Children.size()) {
            enter(top.Node->Children[top.Next++].get());
            continue;
        }
        if (top.Indented) {
            indent.resize(indent.size() - 2);
            if (!top.Node->Children.empty()) {
                out += indent;
                out += "}\r\n";
            }
        }
        frames.pop_back();
    }
}
