#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Object.h"
#include "framework/core/Rect.h"

class TTreeNodes;
class TTreeView;

/// One node of a tree view: text, images, children, expanded and selected
/// state, and a pointer of the program's own.
class TTreeNode : public TObject {
 public:
  ~TTreeNode() override;

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  /// Depth in the tree: 0 for a top-level node.
  int Level() const;
  /// The node above, nullptr for a top-level node.
  TTreeNode* Parent() const;
  TTreeNode* getFirstChild() const;
  TTreeNode* getNextSibling() const;
  /// The next node in the order the tree lists them, expanded or not: the
  /// first child, else the next sibling of the node or of its nearest ancestor.
  TTreeNode* GetNext() const;
  int Count() const { return static_cast<int>(children_.size()); }
  /// The child at an index; raises Exception outside 0 .. Count() - 1.
  TTreeNode* Item(int index) const;
  bool HasChildren() const { return !children_.empty(); }
  /// Position among its siblings, 0 for the first.
  int Index() const;

  /// Image shown while the node is not selected, a position in the tree's Images; -1 none.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  /// Image shown while the node is selected.
  int SelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int index);

  bool Expanded() const { return expanded_; }
  /// Setting true expands a node that has children, running the tree's
  /// OnExpanding first; a node without children stays as it is.
  void SetExpanded(bool expanded);
  /// Collapses the node; with recurse also every node below it, which
  /// otherwise keep their own state for the next expansion.
  void Collapse(bool recurse);
  /// Expands the node (as SetExpanded(true)); with recurse every node below it too.
  void Expand(bool recurse);
  bool Selected() const;
  void SetSelected(bool selected);

  /// Removes and frees every node below this one.
  void DeleteChildren();
  /// Removes the node from its tree and frees it with its children.
  void Delete();
  /// Starts editing the text; false when the tree is read-only or does not show the node.
  bool EditText();
  /// The node's row in the tree's client coordinates (the ones OnMouseDown
  /// reports), or with textOnly the part that shows its image and text; an
  /// empty rectangle while the node is not shown (a collapsed parent).
  TRect DisplayRect(bool textOnly) const;

  TTreeNodes* Owner() const { return owner_; }
  TTreeView* TreeView() const;

  /// The program's own pointer; the tree never looks at it.
  void* Data = nullptr;

 private:
  friend class TTreeNodes;
  friend class TTreeView;
  friend class TreeNodeModel;
  TTreeNode(TTreeNodes* owner, TTreeNode* parent) : owner_(owner), parent_(parent) {}
  void Renumber() const;
  int SubtreeSize() const;

  TTreeNodes* owner_;
  // The collection's hidden root for a top-level node.
  TTreeNode* parent_;
  std::vector<std::unique_ptr<TTreeNode>> children_;
  std::string text_;
  int imageIndex_ = -1;
  int selectedIndex_ = -1;
  mutable int index_ = 0;
  // Positions of the children are given again when next asked for.
  mutable bool childrenDirty_ = false;
  bool expanded_ = false;
};
