#include "editors/EditorFactory.h"

#include "editors/TBTreeNode.h"
#include "editors/TBlobEditor.h"
#include "editors/TGenEditor.h"
#include "editors/TIndexRoot.h"
#include "editors/TTIEditor.h"
#include "editors/uHeaderEditor.h"
#include "editors/uHexEditor.h"
#include "editors/uPIPEditor.h"
#include "editors/uPPEditor.h"
#include "records/TDataEditor.h"

#include <array>

namespace morvane::editors {

namespace {

template <typename TEditor> TAbstractEditor* Make(ui::TManager& manager, TPageFile* page) {
    return new TEditor(manager, page);
}

// Undefined pages and write-ahead log pages have no editor of their own: they open as raw pages.
constexpr std::array<TEditorClass, 11> kEditorClasses = {
    &Make<THexEditor>,       // 0 undefined
    &Make<THeaderEditor>,    // 1 header
    &Make<TPIPEditor>,       // 2 page inventory
    &Make<TTIPEditor>,       // 3 transaction inventory
    &Make<TPPEditor>,        // 4 pointer
    &Make<TDataPageEditor>,  // 5 data
    &Make<TIndexRootEditor>, // 6 index root
    &Make<TBTreeNodeEditor>, // 7 B-tree
    &Make<TBlobEdit>,        // 8 blob
    &Make<TGeneratorEditor>, // 9 generators
    &Make<THexEditor>,       // 10 write-ahead log
};

} // namespace

TEditorClass EditorClassFor(TPageTypeCode code) {
    return kEditorClasses[code];
}

TAbstractEditor* CreateEditor(ui::TManager& manager, TPageFile* page) {
    return EditorClassFor(page->PageTypeCode())(manager, page);
}

} // namespace morvane::editors
