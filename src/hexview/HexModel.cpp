#include "hexview/HexModel.h"

#include "platform/Errors.h"
#include "platform/Stream.h"

#include <algorithm>

namespace morvane::hexview {

const char* EditKindName(TEditKind kind) {
    static const char* const kNames[] = {"Byte changed",      "Byte(s) removed", "Insert buffer",
                                         "Replace selection", "Append buffer",   "Insert nibble",
                                         "Delete nibble",     "Convert"};
    return kNames[static_cast<int>(kind)];
}

namespace {

std::string ToBase(uint64_t value, unsigned base, bool emptyForZero) {
    if (value == 0) return emptyForZero ? "" : "0";
    std::string s;
    for (; value; value /= base)
        s.insert(s.begin(), "0123456789ABCDEF"[value % base]);
    return s;
}

std::u32string Widen(const std::string& s) {
    return std::u32string(s.begin(), s.end());
}

} // namespace

// ------------------------------------------------------------------------------------- content
void THexModel::ResetAfterLoad() {
    FMarks.clear();
    ClearSelection();
    FSelecting = false;
    FMouseDown = false;
    FCaretByte = 0;
    FArea = aHex;
    FNibble = 0;
    TopRow = 0;
    RecomputeOffsets();
}

void THexModel::LoadFromStream(TMemoryStream& stream) {
    FCopy.Assign(stream.Memory(), stream.Size());
    FModified = false;
    FHasEdit = false;
    ResetAfterLoad();
}

bool THexModel::SaveToStream(TMemoryStream& stream) {
    try {
        const std::vector<uint8_t> bytes = FCopy.ReadAll();
        stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void THexModel::LoadFromBuffer(const uint8_t* bytes, int64_t length) {
    if (!AcceptEdit(TEditKind::InsertBuffer, 0, length)) return;
    FCopy.Assign(bytes, length);
    ResetAfterLoad();
    if (length > 0) {
        FAnchor = 0;
        FSelStart = 0;
        FSelEnd = length - 1;
    }
}

void THexModel::SetModified(bool value) {
    FModified = value;
    if (!value) FMarks.clear();
}

bool THexModel::AcceptEdit(TEditKind kind, int64_t replacedLength, int64_t newLength) {
    const bool growing = kind == TEditKind::InsertBuffer || kind == TEditKind::AppendBuffer;
    if (DataSize() == 0 && !growing) return false;
    if (NoSizeChange) {
        switch (kind) {
        case TEditKind::BytesRemoved:
        case TEditKind::InsertBuffer:
        case TEditKind::AppendBuffer:
        case TEditKind::InsertNibble:
        case TEditKind::DeleteNibble:
            return false;
        case TEditKind::ReplaceSelection:
            if (replacedLength != newLength) return false;
            break;
        default:
            break;
        }
    }
    FModified = true;
    FHasEdit = true;
    FLastEdit = kind;
    return true;
}

// ------------------------------------------------------------------------- caret and selection
int64_t THexModel::CaretRow() const {
    return FCaretByte / FBytesPerLine;
}

int THexModel::CaretColumn() const {
    const int inRow = static_cast<int>(FCaretByte % FBytesPerLine);
    return FArea == aHex ? 2 + 2 * inRow + FNibble : 2 * FBytesPerLine + 3 + inRow;
}

int THexModel::TwinColumn() const {
    const int inRow = static_cast<int>(FCaretByte % FBytesPerLine);
    return FArea == aHex ? 2 * FBytesPerLine + 3 + inRow : 2 + 2 * inRow;
}

void THexModel::ClearSelection() {
    FAnchor = FSelStart = FSelEnd = -1;
}

void THexModel::SetSelStart(int64_t p) {
    if (p < 0 || p >= DataSize()) throw EError("Invalid SelStart");
    FCaretByte = p;
    FNibble = 0;
    ClearSelection();
    ScrollToCaret();
}

void THexModel::SetSelEnd(int64_t p) {
    if (p < 0 || p >= DataSize()) throw EError("Invalid SelEnd");
    FAnchor = FCaretByte;
    FSelStart = std::min(FCaretByte, p);
    FSelEnd = std::max(FCaretByte, p);
}

void THexModel::SetMarker(int index, int64_t row) {
    if (index < 0 || index > 9) throw EError("SetMarker : Invalid marker index");
    FMarkers[static_cast<size_t>(index)] = row;
}

TCaretStyle THexModel::EffectiveCaretStyle() const {
    if (!AutoCaretMode) return CaretStyle;
    return InsertMode() ? csLeftLine : csFull;
}

void THexModel::ScrollToCaret() {
    const int64_t row = CaretRow();
    const int64_t visible = std::max<int64_t>(1, VisibleRows);
    if (row < TopRow) TopRow = row;
    if (row >= TopRow + visible) TopRow = row - visible + 1;
    TopRow = std::clamp<int64_t>(TopRow, 0, std::max<int64_t>(0, RowCount() - 1));
}

void THexModel::MoveTo(int64_t byte, TArea area, int nibble, bool shiftDown) {
    FCaretByte = std::clamp<int64_t>(byte, 0, LastByte());
    FArea = area;
    FNibble = area == aHex ? nibble : 0;
    if (FSelecting && (shiftDown || FMouseDown)) {
        if (FAnchor < 0) FAnchor = FCaretByte;
        FSelStart = std::min(FAnchor, FCaretByte);
        FSelEnd = std::max(FAnchor, FCaretByte);
    } else if (!shiftDown && !FMouseDown) {
        ClearSelection();
    }
    ScrollToCaret();
}

void THexModel::MoveLeft(bool shiftDown, bool withinRow) {
    if (FArea == aHex && FNibble == 1) return MoveTo(FCaretByte, aHex, 0, shiftDown);
    if (FCaretByte == 0) return;
    if (withinRow && FCaretByte % FBytesPerLine == 0) return;
    MoveTo(FCaretByte - 1, FArea, FArea == aHex ? 1 : 0, shiftDown);
}

void THexModel::MoveRight(bool shiftDown) {
    if (DataSize() == 0) return;
    if (FArea == aHex && FNibble == 0) return MoveTo(FCaretByte, aHex, 1, shiftDown);
    if (FCaretByte >= LastByte()) return;
    MoveTo(FCaretByte + 1, FArea, 0, shiftDown);
}

// --------------------------------------------------------------------------- display properties
void THexModel::SetBytesPerLine(int value) {
    if (value < 1 || value > 256) throw EError("Invalid BytesPerLine argument");
    FBytesPerLine = value;
    RecomputeOffsets();
    ScrollToCaret();
}

void THexModel::SetBytesPerColumn(int value) {
    if (value >= 1 && value <= 256) FBytesPerColumn = value;
}

void THexModel::SetOffsetDisplay(TOffsetDisplayStyle value) {
    FOffsetDisplay = value;
    RecomputeOffsets();
}

// -------------------------------------------------------------------------------------- layout
int64_t THexModel::RowCount() const {
    return std::max<int64_t>(1, (DataSize() + FBytesPerLine - 1) / FBytesPerLine);
}

void THexModel::RecomputeOffsets() {
    const auto last = static_cast<uint64_t>((RowCount() - 1) * FBytesPerLine);
    switch (FOffsetDisplay) {
    case odHex:
        FOffsetDigits = static_cast<int>(ToBase(last, 16, false).size());
        FOffsetUnits = FOffsetDigits + 3;
        break;
    case odDec:
        FOffsetDigits = static_cast<int>(ToBase(last, 10, false).size());
        FOffsetUnits = FOffsetDigits + 1;
        break;
    case odOctal:
        FOffsetDigits = 1 + static_cast<int>(ToBase(last, 8, true).size());
        FOffsetUnits = FOffsetDigits + 3;
        break;
    case odNone:
        FOffsetDigits = 0;
        FOffsetUnits = 0;
        break;
    }
}

int THexModel::ColumnWidthUnits(int column) const {
    if (column == 0) return FOffsetUnits;
    if (column == 1) return ShowMarkerColumn ? 1 : 0;
    if (IsHexColumn(column)) return column % (2 * FBytesPerColumn) == 1 ? 2 : 1;
    return 1;
}

std::u32string THexModel::OffsetText(int64_t row) const {
    const auto offset = static_cast<uint64_t>(row * FBytesPerLine);
    auto pad = [](std::string s, size_t width, char fill) {
        return s.size() < width ? std::string(width - s.size(), fill) + s : s;
    };
    const std::u32string sep(1, OffsetSeparator);
    switch (FOffsetDisplay) {
    case odHex:
        return U"0x" + Widen(pad(ToBase(offset, 16, false), FOffsetDigits, '0')) + sep;
    case odDec:
        return Widen(pad(ToBase(offset, 10, false), FOffsetDigits, ' ')) + sep;
    case odOctal: {
        std::string octal = ToBase(offset, 8, true);
        octal.insert(octal.begin(), '0');
        return U"o " + Widen(pad(octal, FOffsetDigits, '0')) + sep;
    }
    case odNone:
        break;
    }
    return U" ";
}

int THexModel::MarkerOnRow(int64_t row) const {
    for (int i = 0; i < 10; ++i)
        if (FMarkers[static_cast<size_t>(i)] == row) return i;
    return -1;
}

std::u32string THexModel::CellText(int64_t row, int column) {
    if (column == 0) return OffsetText(row);
    if (column == 1) {
        const int m = MarkerOnRow(row);
        return m >= 0 ? std::u32string(1, static_cast<char32_t>(U'0' + m)) : U"";
    }
    const bool hex = IsHexColumn(column);
    if (!hex && !IsCharColumn(column)) return U"";
    const int inRow = hex ? (column - 2) / 2 : column - (2 * FBytesPerLine + 3);
    const int64_t byte = row * FBytesPerLine + inRow;
    if (byte >= DataSize() || row < 0) return U"";
    // The whole row goes through the window at once, so drawing it reads the file once at most.
    const int64_t rowStart = row * FBytesPerLine;
    const int64_t rowLen = std::min<int64_t>(FBytesPerLine, DataSize() - rowStart);
    const uint8_t b = FCopy.Span(rowStart, rowLen)[inRow];
    if (hex)
        return std::u32string(
            1, static_cast<char32_t>("0123456789ABCDEF"[(column - 2) % 2 == 0 ? b >> 4 : b & 15]));
    return std::u32string(1, DisplayChar(b, Translation, MaskWhiteSpaces, MaskChar));
}

uint32_t THexModel::GroupColour(int column) const {
    return ((column - 2) / (2 * FBytesPerColumn)) % 2 == 0 ? Colors.OddColumn : Colors.EvenColumn;
}

TCellColors THexModel::CellColors(int64_t row, int column) {
    if (column == 0) return {Colors.Offset, Colors.Background};
    if (column == 1) {
        if (MarkerOnRow(row) >= 0) return {Colors.PositionText, Colors.PositionBackground};
        return {Colors.Offset, Colors.Background};
    }
    const bool hex = IsHexColumn(column);
    if (!hex && !IsCharColumn(column)) return {Colors.Font, Colors.Background};
    const int inRow = hex ? (column - 2) / 2 : column - (2 * FBytesPerLine + 3);
    const int64_t byte = row * FBytesPerLine + inRow;
    if (byte >= DataSize()) return {Colors.Font, Colors.Background};
    const bool marked = IsMarked(byte);
    TCellColors c = marked ? TCellColors{Colors.ChangedText, Colors.ChangedBackground}
                           : TCellColors{hex ? GroupColour(column) : Colors.Font, Colors.Background};
    if (IsSelected(byte)) {
        std::swap(c.Text, c.Background);
        if (hex && !marked) c.Text = Complement(GroupColour(column));
    }
    return c;
}

THit THexModel::HitTest(int64_t row, int column) const {
    const int64_t rowFirst = std::clamp<int64_t>(row, 0, RowCount() - 1) * FBytesPerLine;
    THit hit{rowFirst, aHex, 0};
    if (IsHexColumn(column)) {
        hit.Byte = rowFirst + (column - 2) / 2;
        hit.Nibble = (column - 2) % 2;
    } else if (column == 2 * FBytesPerLine + 2) {
        hit.Byte = rowFirst + FBytesPerLine - 1; // the separator leads to the last digit
        hit.Nibble = 1;
    } else if (IsCharColumn(column)) {
        hit.Byte = rowFirst + column - (2 * FBytesPerLine + 3);
        hit.Area = aChar;
    }
    if (hit.Byte > LastByte()) hit.Byte = LastByte();
    return hit;
}

// --------------------------------------------------------------------------------------- input
bool THexModel::KeyDown(TKey key, TShiftState s, int digit) {
    const bool plain = !s.Shift && !s.Ctrl && !s.Alt;
    if (plain && key != TKey::Shift) {
        ClearSelection();
        FSelecting = false;
    }
    const int64_t n = DataSize();
    const int64_t rows = RowCount();
    const int64_t row = CaretRow();
    const int inRow = static_cast<int>(FCaretByte % FBytesPerLine);
    auto sameColumnOnRow = [&](int64_t r) { return std::min(r * FBytesPerLine + inRow, LastByte()); };

    switch (key) {
    case TKey::Left:
        if (n > 0) MoveLeft(s.Shift, false);
        return true;
    case TKey::Right:
        if (n > 0 && s.Ctrl && !s.Shift)
            MoveTo(std::min(row * FBytesPerLine + FBytesPerLine - 1, LastByte()), aChar, 0, s.Shift);
        else
            MoveRight(s.Shift);
        return true;
    case TKey::Up:
        if (n > 0 && row > 0) MoveTo(sameColumnOnRow(row - 1), FArea, FNibble, s.Shift);
        return true;
    case TKey::Down:
        if (n > 0 && row + 1 < rows) MoveTo(sameColumnOnRow(row + 1), FArea, FNibble, s.Shift);
        return true;
    case TKey::PageUp:
    case TKey::PageDown: {
        if (n == 0) return true;
        const int64_t visible = std::max<int64_t>(1, VisibleRows);
        int64_t target;
        if (s.Ctrl) {
            target = key == TKey::PageUp ? TopRow : std::min(TopRow + visible - 1, rows - 1);
        } else {
            const int64_t delta = std::max<int64_t>(1, visible - 1) * (key == TKey::PageUp ? -1 : 1);
            target = std::clamp<int64_t>(row + delta, 0, rows - 1);
            TopRow = std::clamp<int64_t>(TopRow + delta, 0, std::max<int64_t>(0, rows - visible));
        }
        MoveTo(sameColumnOnRow(target), FArea, FNibble, s.Shift);
        return true;
    }
    case TKey::Home:
        if (n > 0) MoveTo(s.Ctrl ? 0 : row * FBytesPerLine, FArea, 0, s.Shift);
        return true;
    case TKey::End:
        if (n > 0)
            MoveTo(s.Ctrl ? LastByte() : std::min(row * FBytesPerLine + FBytesPerLine - 1, LastByte()), FArea,
                   0, s.Shift);
        return true;
    case TKey::Tab:
        MoveTo(FCaretByte, FArea == aHex ? aChar : aHex, 0, s.Shift);
        return true;
    case TKey::LetterT:
        if (!s.Ctrl) return false;
        MoveTo(FCaretByte, FArea == aHex ? aChar : aHex, 0, s.Shift);
        return true;
    case TKey::Digit:
        if (!s.Ctrl || digit < 0 || digit > 9) return false;
        if (s.Shift) {
            FMarkers[static_cast<size_t>(digit)] = row;
        } else {
            const int64_t target =
                FMarkers[static_cast<size_t>(digit)] < 0 ? row : FMarkers[static_cast<size_t>(digit)];
            if (target < rows) MoveTo(std::min(target * FBytesPerLine, LastByte()), aHex, 0, false);
        }
        return true;
    case TKey::Shift:
        if (!FSelecting) {
            ClearSelection();
            FSelecting = true;
            FAnchor = FCaretByte;
        }
        return true;
    case TKey::Insert:
        FInsertRequest = !FInsertRequest;
        FMarks.clear();
        return true;
    case TKey::Delete:
        if (!s.Ctrl || s.Shift || s.Alt) return false;
        RemoveBytes();
        return true;
    case TKey::Backspace:
        if (!InsertMode() && n > 0) MoveLeft(false, true);
        return false;
    default:
        return false;
    }
}

void THexModel::KeyUp(TKey key) {
    if (key == TKey::Shift && !FMouseDown) FSelecting = false;
}

void THexModel::RemoveBytes() {
    if (ReadOnlyView) return;
    const int64_t first = HasSelection() ? FSelStart : FCaretByte;
    const int64_t last = HasSelection() ? FSelEnd : FCaretByte;
    if (first < 0 || last >= DataSize()) return;
    if (!AcceptEdit(TEditKind::BytesRemoved)) return;
    FCopy.Remove(first, last - first + 1);
    FMarks.erase(FMarks.lower_bound(first), FMarks.end());
    ClearSelection();
    FSelecting = false;
    RecomputeOffsets();
    FCaretByte = std::min(first, LastByte());
    FNibble = 0;
    ScrollToCaret();
}

void THexModel::TypeChar(char32_t ch, bool altKeypad) {
    if (ReadOnlyView || DataSize() == 0 || FCaretByte >= DataSize()) return;
    const uint8_t old = FCopy.ByteAt(FCaretByte);
    uint8_t value;
    if (FArea == aHex) {
        int digit;
        if (ch >= U'0' && ch <= U'9')
            digit = static_cast<int>(ch - U'0');
        else if (ch >= U'a' && ch <= U'f')
            digit = static_cast<int>(ch - U'a' + 10);
        else if (ch >= U'A' && ch <= U'F')
            digit = static_cast<int>(ch - U'A' + 10);
        else
            return;
        value = FNibble == 0 ? static_cast<uint8_t>((digit << 4) | (old & 0x0F))
                             : static_cast<uint8_t>((old & 0xF0) | digit);
    } else {
        const std::optional<uint8_t> b = altKeypad ? AltKeypadByte(ch) : InputByte(ch, Translation);
        if (!b) return;
        value = *b;
    }
    if (value != old && AcceptEdit(TEditKind::ByteChanged)) {
        FCopy.WriteByte(FCaretByte, value);
        FMarks.insert(FCaretByte);
    }
    MoveRight(false);
}

void THexModel::MouseDown(int64_t row, int column, bool doubleClick) {
    const THit hit = HitTest(row, column);
    FMouseDown = false;
    FSelecting = false;
    ClearSelection();
    MoveTo(hit.Byte, hit.Area, hit.Nibble, false);
    if (!doubleClick) {
        FMouseDown = true;
        FSelecting = true;
        FAnchor = FCaretByte;
    }
}

void THexModel::MouseMove(int64_t row, int column) {
    if (!FMouseDown) return;
    const THit hit = HitTest(row, column);
    MoveTo(hit.Byte, hit.Area, hit.Nibble, false);
}

void THexModel::MouseUp() {
    FMouseDown = false;
    FSelecting = false;
}

void THexModel::FocusLost() {
    FMouseDown = false;
    FSelecting = false;
}

} // namespace morvane::hexview
