#pragma once
// The hex view's state and rules, without any window: the working copy, change marks,
// caret, selection, markers, row layout, cell texts and colours, keyboard, mouse and edits.
// The widget paints what this model says and turns events into its commands.

#include "hexview/Translation.h"
#include "hexview/WorkingCopy.h"

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <string>

namespace morvane {
class TMemoryStream;
}

namespace morvane::hexview {

enum TOffsetDisplayStyle { odHex, odDec, odOctal, odNone };
enum TCaretStyle { csFull, csLeftLine, csBottomLine };
enum TArea { aHex, aChar };

enum class TEditKind {
    ByteChanged,
    BytesRemoved,
    InsertBuffer,
    ReplaceSelection,
    AppendBuffer,
    InsertNibble,
    DeleteNibble,
    Convert,
};
const char* EditKindName(TEditKind kind);

// RGB colours as 0xRRGGBB.
struct TColors {
    uint32_t Background = 0xFFFFFF;
    uint32_t Offset = 0x000000;
    uint32_t OddColumn = 0x0000FF;
    uint32_t EvenColumn = 0x000080;
    uint32_t ChangedBackground = 0xFFFFA8;
    uint32_t ChangedText = 0x800000;
    uint32_t PositionBackground = 0x800000;
    uint32_t PositionText = 0xFFFFFF;
    uint32_t CursorFrame = 0x000080;
    uint32_t Font = 0x000000; // the character cells
};
constexpr uint32_t Complement(uint32_t rgb) {
    return ~rgb & 0xFFFFFF;
}

struct TCellColors {
    uint32_t Text;
    uint32_t Background;
};

struct TShiftState {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
};

enum class TKey {
    Left,
    Right,
    Up,
    Down,
    PageUp,
    PageDown,
    Home,
    End,
    Tab,
    Insert,
    Delete,
    Backspace,
    Enter,
    Escape,
    Shift,
    Control,
    Alt,
    Digit,
    LetterT,
    Other,
};

// Where a grid cell leads: the byte, the area and, in the hexadecimal area, the digit.
struct THit {
    int64_t Byte = 0;
    TArea Area = aHex;
    int Nibble = 0;
};

class THexModel {
  public:
    THexModel() = default;

    // --- content -------------------------------------------------------------------------
    void LoadFromStream(TMemoryStream& stream);
    bool SaveToStream(TMemoryStream& stream);
    void LoadFromBuffer(const uint8_t* bytes, int64_t length);
    int64_t DataSize() const { return FCopy.Size(); }
    uint8_t ByteAt(int64_t offset) { return FCopy.ByteAt(offset); }
    TWorkingCopy& WorkingCopy() { return FCopy; }

    bool Modified() const { return FModified; }
    void SetModified(bool value);
    bool IsMarked(int64_t offset) const { return FMarks.count(offset) != 0; }
    size_t MarkCount() const { return FMarks.size(); }
    const char* LastEditName() const { return FHasEdit ? EditKindName(FLastEdit) : "No Undo"; }

    // --- caret and selection ----------------------------------------------------------------
    int64_t CaretByte() const { return FCaretByte; }
    TArea CaretArea() const { return FArea; }
    int CaretNibble() const { return FNibble; }
    int64_t CaretRow() const;
    int CaretColumn() const;
    int TwinColumn() const;
    int64_t SelStart() const { return FSelStart >= 0 ? FSelStart : FCaretByte; }
    int64_t SelEnd() const { return FSelEnd >= 0 ? FSelEnd : FCaretByte; }
    void SetSelStart(int64_t p);
    void SetSelEnd(int64_t p);
    bool HasSelection() const { return FSelStart >= 0; }
    int64_t SelectionStart() const { return FSelStart; } // -1 without a selection
    int64_t SelectionEnd() const { return FSelEnd; }
    int64_t SelectionAnchor() const { return FAnchor; }
    bool Selecting() const { return FSelecting; }
    bool IsSelected(int64_t offset) const {
        return FSelStart >= 0 && offset >= FSelStart && offset <= FSelEnd;
    }

    void SetMarker(int index, int64_t row);
    int64_t Marker(int index) const { return FMarkers.at(static_cast<size_t>(index)); }
    bool InsertRequest() const { return FInsertRequest; }
    bool InsertMode() const { return FInsertRequest && AllowInsertMode && !NoSizeChange; }
    TCaretStyle EffectiveCaretStyle() const;

    // --- display properties ---------------------------------------------------------------
    int BytesPerLine() const { return FBytesPerLine; }
    void SetBytesPerLine(int value);
    int BytesPerColumn() const { return FBytesPerColumn; }
    void SetBytesPerColumn(int value);
    TOffsetDisplayStyle OffsetDisplay() const { return FOffsetDisplay; }
    void SetOffsetDisplay(TOffsetDisplayStyle value);

    TTranslationType Translation = ttAnsi;
    char32_t OffsetSeparator = U':';
    bool ShowMarkerColumn = true;
    bool MaskWhiteSpaces = true;
    char32_t MaskChar = U'.';
    TCaretStyle CaretStyle = csFull;
    bool AutoCaretMode = true;
    bool FocusFrame = true;
    bool ReadOnlyView = false;
    bool AllowInsertMode = false;
    bool NoSizeChange = false;
    TColors Colors;

    // --- layout ----------------------------------------------------------------------------
    int ColumnCount() const { return 3 * FBytesPerLine + 3; }
    int64_t RowCount() const;
    // Column widths in units of the width of "w".
    int ColumnWidthUnits(int column) const;
    int OffsetWidthUnits() const { return FOffsetUnits; }
    std::u32string OffsetText(int64_t row) const;
    // The text and colours of one cell; empty text for a blank cell.
    std::u32string CellText(int64_t row, int column);
    TCellColors CellColors(int64_t row, int column);
    // The lowest-numbered marker on a row, or -1.
    int MarkerOnRow(int64_t row) const;
    THit HitTest(int64_t row, int column) const;
    bool IsHexColumn(int column) const { return column >= 2 && column <= 2 * FBytesPerLine + 1; }
    bool IsCharColumn(int column) const { return column >= 2 * FBytesPerLine + 3 && column < ColumnCount(); }

    // Scrolling, kept by the widget: the first row shown and how many rows fit.
    int64_t TopRow = 0;
    int64_t VisibleRows = 1;
    void ScrollToCaret();

    // --- input -----------------------------------------------------------------------------
    // Returns true when the view consumed the key; others belong to the owner.
    bool KeyDown(TKey key, TShiftState shift, int digit = 0);
    void KeyUp(TKey key);
    void TypeChar(char32_t ch, bool altKeypad = false);
    void MouseDown(int64_t row, int column, bool doubleClick);
    void MouseMove(int64_t row, int column);
    void MouseUp();
    void FocusLost();

  private:
    void ResetAfterLoad();
    void RecomputeOffsets();
    void MoveTo(int64_t byte, TArea area, int nibble, bool shiftDown);
    void MoveLeft(bool shiftDown, bool withinRow);
    void MoveRight(bool shiftDown);
    void ClearSelection();
    bool AcceptEdit(TEditKind kind, int64_t replacedLength = 0, int64_t newLength = 0);
    void RemoveBytes();
    uint32_t GroupColour(int column) const;
    int64_t LastByte() const { return DataSize() > 0 ? DataSize() - 1 : 0; }

    TWorkingCopy FCopy;
    std::set<int64_t> FMarks;
    bool FModified = false;
    bool FHasEdit = false;
    TEditKind FLastEdit = TEditKind::ByteChanged;

    int64_t FCaretByte = 0;
    TArea FArea = aHex;
    int FNibble = 0;
    int64_t FAnchor = -1, FSelStart = -1, FSelEnd = -1;
    bool FSelecting = false;
    bool FMouseDown = false;
    std::array<int64_t, 10> FMarkers{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    bool FInsertRequest = false;

    int FBytesPerLine = 16;
    int FBytesPerColumn = 2;
    TOffsetDisplayStyle FOffsetDisplay = odHex;
    int FOffsetDigits = 1;
    int FOffsetUnits = 4;
};

} // namespace morvane::hexview
