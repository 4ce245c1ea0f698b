#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/core/Rect.h"
#include "framework/forms/Control.h"

class TImageList;
class TTreeNode;
class TTreeNodes;

/// S holds the edited text; what the handler leaves there becomes the node's text.
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, std::string& S)>;
/// Runs before a node with children expands; AllowExpansion false keeps it collapsed.
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;

/// A tree of nodes with expand buttons, images and label editing. The nodes
/// live in the tree's own store (Items); the view shows them with uniform row
/// heights, and adding, sorting or deleting the children of a node with
/// 100,000 children costs time in proportion to them.
class TTreeView : public TWinControl {
 public:
  explicit TTreeView(TComponent* owner);
  ~TTreeView() override;

  TTreeNodes* Items() const;
  /// The selected node, nullptr when none.
  TTreeNode* Selected() const { return selected_; }
  void SetSelected(TTreeNode* node);
  /// Collapses every node.
  void FullCollapse();
  /// The node whose row holds a point of the client area (the coordinates
  /// OnMouseDown reports), nullptr when none or when the point lies in the
  /// indentation left of the node, where its expand button is.
  TTreeNode* GetNodeAt(int x, int y) const;
  /// Sorts the top-level nodes and the children of every node by their texts,
  /// case counting, in the user's locale; equal texts keep their order.
  bool AlphaSort();
  /// Whether a node's text is being edited.
  bool IsEditing() const;

  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  /// No editing of node texts.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  /// Pixels each level is indented by.
  int Indent() const;
  void SetIndent(int indent);

  TTVEditedEvent OnEdited;
  TTVExpandingEvent OnExpanding;

 protected:
  bool EditorOwnsKeys() const override { return IsEditing(); }

 private:
  friend class TTreeNode;
  friend class TTreeNodes;
  void ExpandNode(TTreeNode* node);
  void CollapseNode(TTreeNode* node);
  /// Nodes below `node` (and `node` itself when `self`) are about to go.
  void NodesGoing(TTreeNode* node, bool self);
  bool EditNode(TTreeNode* node);
  TRect NodeRect(const TTreeNode* node, bool textOnly) const;
  void UserExpanded(TTreeNode* node);

  struct Impl;
  std::unique_ptr<Impl> impl_;
  TTreeNode* selected_ = nullptr;
  TImageList* images_ = nullptr;
  bool readOnly_ = false;
};
