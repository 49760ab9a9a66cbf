#pragma once
// The per-station text tree of one step: node lines whose "|"-separated columns hold the
// text of station 1, station 2 and so on, turned into indented lines one station at a time.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TQInStm;

class TQDualNode {
public:
    // An empty node: a step's root.
    TQDualNode() = default;
    // Releases the subtree without recursion, so that no nesting depth can exhaust the stack.
    ~TQDualNode();
    TQDualNode(const TQDualNode&) = delete;
    TQDualNode& operator=(const TQDualNode&) = delete;

    // Reads one node line at the stream's string constant and, when the line opens a block,
    // the block's children up to its "}".
    static std::unique_ptr<TQDualNode> Load(TQInStm& stm);

    void Add(std::unique_ptr<TQDualNode> child);

    // What a walk through a tree needs besides the tree; one kept for many walks spares
    // their allocations.
    struct TEmitRoom {
        std::vector<std::pair<const TQDualNode*, std::size_t>> Open; // node, next child
        std::string Indent;
    };

    // The lines of this node and its descendants for the station with index `index`, each
    // line prefixed by `indent` and ended by CR LF.
    std::string Emit(int index, const std::string& indent) const;
    // Emit, appended to `out`.
    void EmitTo(std::string& out, int index, std::string_view indent, TEmitRoom& room) const;

    std::string Key;
    std::vector<std::unique_ptr<TQDualNode>> Children;
    // The raw column texts of the node's line, column i for the station with index i. They
    // are views of the text the node was loaded from, which must outlive the node: a step's
    // tree lives only while its script is read.
    std::vector<std::string_view> Columns;

private:
    // Key, an optional "{" and the raw columns of the rest of the line; true when a block opens.
    bool ReadLine(TQInStm& stm);
    // The line of its own that the node gives the station, or false when it leaves the station
    // out together with its subtree.
    bool EmitOwnLine(std::string& out, int index, const std::string& indent) const;
};
