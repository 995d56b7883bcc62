#pragma once
// The one depth-first walk of a menu tree, for every writer and every
// computation over the whole tree. It keeps its own stack instead of
// recursing: a project may nest folders ten thousand deep, more than a
// thread's call stack holds.
//
// The visitor is told, in the order the entries stand in the project file:
//   enterFolder(folder, depth)   before a folder's entries; first of all the
//                                root itself, at depth 0
//   node(node, depth, position)  for every entry: depth 1 in the main menu,
//                                position 1-based in its folder. A folder's
//                                node() comes before its enterFolder().
//   leaveFolder(folder, depth)   after a folder's entries; last of all the root
// A visitor defines only the calls it needs. The end-of-folder marker is an
// entry only for walks that ask for it (EndMarkers::Visit); the visitor must
// not add or remove entries of folders the walk has not left yet.
//
// Walking a const folder hands out const nodes; walking a folder that can be
// changed hands out nodes that can be changed.

#include "tree/nodes.h"

#include <type_traits>
#include <utility>
#include <vector>

namespace qwk {

enum class EndMarkers { Skip, Visit };

template <EndMarkers markers = EndMarkers::Skip, class Folder, class Visitor>
void walkTree(Folder &root, Visitor &&visitor)
{
    static_assert(std::is_same_v<std::remove_const_t<Folder>, clsFolder>);
    using Node = std::conditional_t<std::is_const_v<Folder>, const MenuNode, MenuNode>;
    constexpr bool entersFolders = requires { visitor.enterFolder(root, 0); };
    constexpr bool leavesFolders = requires { visitor.leaveFolder(root, 0); };
    constexpr bool visitsNodes = requires(Node &n) { visitor.node(n, 0, 0); };

    // The open folders' collections, innermost last, and the position of each one's next entry.
    struct Frame {
        const clsNodes *nodes;
        int next;
    };
    std::vector<Frame> stack{{&root.nodes(), 1}};
    if constexpr (entersFolders)
        visitor.enterFolder(root, 0);
    while (!stack.empty()) {
        Frame &frame = stack.back();
        const int depth = int(stack.size()); // of the folder's entries
        const clsNodes &nodes = *frame.nodes;
        if (frame.next > nodes.count()) {
            Folder &done = *nodes.owner();
            stack.pop_back();
            if constexpr (leavesFolders)
                visitor.leaveFolder(done, depth - 1);
            continue;
        }
        const int position = frame.next++;
        Node &node = *nodes.item(position);
        if constexpr (markers == EndMarkers::Skip) {
            if (node.isEndMarker())
                continue;
        }
        if constexpr (visitsNodes)
            visitor.node(node, depth, position);
        if (Folder *folder = node.asFolder()) {
            stack.push_back({&folder->nodes(), 1});
            if constexpr (entersFolders)
                visitor.enterFolder(*folder, depth);
        }
    }
}

namespace detail {
template <class F>
struct NodeCallback {
    F &f;
    template <class Node>
    void node(Node &n, int depth, int position) { f(n, depth, position); }
};
} // namespace detail

// The walk for a visitor that needs only node(): f(node, depth, position).
template <EndMarkers markers = EndMarkers::Skip, class Folder, class F>
void forEachNode(Folder &root, F &&f)
{
    walkTree<markers>(root, detail::NodeCallback<std::remove_reference_t<F>>{f});
}

} // namespace qwk
