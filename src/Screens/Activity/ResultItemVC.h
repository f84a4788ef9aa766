#pragma once
// ResultItemVC: one item of the results grid ("imagePreview1"): a thumbnail, the file name and the
// file size. Its view holds seven subviews that the grid finds by position: 0 background, 1 the
// thumbnail, 2 a caption strip, 3 spare, 4 a button, 5 the name, 6 the size. Main thread only.

#include "Platform/AppKit/CollectionViewItem.h"

class ResultItemVC : public appkit::CollectionViewItem {
    Q_OBJECT
  public:
    // A new item view (also the Rename tab's table cell).
    static appkit::View* makeItemView();

  protected:
    void loadView() override;
};
