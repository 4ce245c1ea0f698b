#pragma once

#include <memory>
#include <string>

#include "framework/core/Object.h"

class TTreeNode;
class TTreeView;
class TreeNodeModel;

/// A collection of tree nodes. The tree view's Items are the nodes it
/// shows; a program may make further collections of the same tree, whose
/// nodes stand nowhere in it: such a parentless node serves as an anchor
/// that Add places new top-level nodes beside.
class TTreeNodes : public TObject {
 public:
  explicit TTreeNodes(TTreeView* owner);
  ~TTreeNodes() override;

  /// Removes and frees every node.
  void Clear();
  /// Adds a node as the last sibling of `sibling`: at the top level when the
  /// sibling is nullptr, a top-level node, or a node of another collection.
  TTreeNode* Add(TTreeNode* sibling, const std::string& text);
  /// Adds a node as the last child of `parent` (nullptr: the top level).
  TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
  /// Adds a node as the first child of `parent` (nullptr: the top level).
  TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& text);
  /// The number of nodes at every level.
  int Count() const { return count_; }
  /// The first top-level node, nullptr when there is none.
  TTreeNode* GetFirstNode() const;
  /// The node at a position in the order GetNext walks; raises Exception
  /// outside 0 .. Count() - 1.
  TTreeNode* Item(int index) const;
  TTreeView* Owner() const { return view_; }

 private:
  friend class TTreeNode;
  friend class TTreeView;
  friend class TreeNodeModel;
  TTreeNode* Insert(TTreeNode* parent, int position, const std::string& text);
  TTreeNode* ParentFor(TTreeNode* node);

  TTreeView* view_;
  // Set for the tree's own Items only: the collection that is shown.
  TreeNodeModel* model_ = nullptr;
  std::unique_ptr<TTreeNode> root_;
  int count_ = 0;
};
