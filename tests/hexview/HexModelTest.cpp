#include "hexview/HexModel.h"
#include "hexview/HexProfile.h"
#include "platform/Errors.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace morvane;
using namespace morvane::hexview;

namespace {

std::vector<uint8_t> Sequence(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<uint8_t>(i);
    return v;
}

void Load(THexModel& m, const std::vector<uint8_t>& bytes) {
    TMemoryStream s(bytes);
    s.Seek(0, TSeekOrigin::soEnd); // loading reads from offset 0 whatever the position
    m.LoadFromStream(s);
}

std::vector<uint8_t> Saved(THexModel& m) {
    TMemoryStream s;
    EXPECT_TRUE(m.SaveToStream(s));
    return s.Bytes();
}

std::string Narrow(const std::u32string& s) {
    std::string out;
    for (char32_t c : s)
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

void Place(THexModel& m, int64_t byte, TArea area, int nibble) {
    // Put the caret somewhere through the public mouse path, then fix the nibble.
    const int bpl = m.BytesPerLine();
    const int64_t row = byte / bpl;
    const int inRow = static_cast<int>(byte % bpl);
    const int col = area == aHex ? 2 + 2 * inRow + nibble : 2 * bpl + 3 + inRow;
    m.MouseDown(row, col, true);
    m.MouseUp();
}

} // namespace

TEST(HexLayout, OffsetTextsAndWidths) {
    struct Case {
        const char* Name;
        size_t Size;
        int BytesPerLine;
        TOffsetDisplayStyle Style;
        int64_t Rows;
        std::string First, Second, Last;
        int Units;
    } cases[] = {
        {"hex 16", 4096, 16, odHex, 256, "0x000:", "0x010:", "0xFF0:", 6},
        {"hex 8", 4096, 8, odHex, 512, "0x000:", "0x008:", "0xFF8:", 6},
        {"dec 16", 4096, 16, odDec, 256, "   0:", "  16:", "4080:", 5},
        {"octal 16", 4096, 16, odOctal, 256, "o 00000:", "o 00020:", "o 07760:", 8},
        {"none", 4096, 16, odNone, 256, " ", " ", " ", 0},
        {"empty hex", 0, 16, odHex, 1, "0x0:", "", "0x0:", 4},
        {"empty dec", 0, 16, odDec, 1, "0:", "", "0:", 2},
        {"empty octal", 0, 16, odOctal, 1, "o 0:", "", "o 0:", 4},
        {"short last row", 20, 16, odHex, 2, "0x00:", "0x10:", "0x10:", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        THexModel m;
        m.SetBytesPerLine(c.BytesPerLine);
        m.SetOffsetDisplay(c.Style);
        Load(m, Sequence(c.Size));
        EXPECT_EQ(m.RowCount(), c.Rows);
        EXPECT_EQ(m.ColumnCount(), 3 * c.BytesPerLine + 3);
        EXPECT_EQ(Narrow(m.OffsetText(0)), c.First);
        if (c.Rows > 1) EXPECT_EQ(Narrow(m.OffsetText(1)), c.Second);
        EXPECT_EQ(Narrow(m.OffsetText(c.Rows - 1)), c.Last);
        EXPECT_EQ(m.OffsetWidthUnits(), c.Units);
        EXPECT_EQ(m.ColumnWidthUnits(0), c.Units);
    }
}

TEST(HexLayout, CellsOfARowAndTheBlankCellsAfterTheLastByte) {
    THexModel m;
    Load(m, {0xAB, 0x41, 0x00, 0xC0, 0x7F});
    EXPECT_EQ(m.RowCount(), 1);
    EXPECT_EQ(Narrow(m.CellText(0, 2)), "A");
    EXPECT_EQ(Narrow(m.CellText(0, 3)), "B");
    EXPECT_EQ(Narrow(m.CellText(0, 4)), "4");
    EXPECT_EQ(Narrow(m.CellText(0, 12)), ""); // byte 5 does not exist
    EXPECT_EQ(Narrow(m.CellText(0, 34)), ""); // separator
    EXPECT_EQ(Narrow(m.CellText(0, 36)), "A");
    EXPECT_EQ(Narrow(m.CellText(0, 37)), ".");
    EXPECT_EQ(m.CellText(0, 38), U"\u0410");
    EXPECT_EQ(Narrow(m.CellText(0, 40)), "");

    THexModel empty;
    Load(empty, {});
    for (int c = 1; c < empty.ColumnCount(); ++c)
        EXPECT_EQ(empty.CellText(0, c), U"") << c;
    EXPECT_EQ(empty.CaretColumn(), 2);
}

TEST(HexLayout, GroupGapsFollowBytesPerColumn) {
    THexModel m;
    m.SetBytesPerLine(4);
    struct Case {
        int Group;
        std::vector<int> Wide;
    } cases[] = {{1, {3, 5, 7, 9}}, {2, {5, 9}}, {4, {9}}};
    for (const Case& c : cases) {
        m.SetBytesPerColumn(c.Group);
        for (int col = 2; col <= 9; ++col) {
            const bool wide = std::find(c.Wide.begin(), c.Wide.end(), col) != c.Wide.end();
            EXPECT_EQ(m.ColumnWidthUnits(col), wide ? 2 : 1) << c.Group << " " << col;
        }
        EXPECT_EQ(m.ColumnWidthUnits(10), 1); // separator
    }
    m.SetBytesPerColumn(0); // never reaches the view
    EXPECT_EQ(m.BytesPerColumn(), 4);
    m.ShowMarkerColumn = false;
    EXPECT_EQ(m.ColumnWidthUnits(1), 0);
    EXPECT_THROW(m.SetBytesPerLine(0), EError);
    try {
        m.SetBytesPerLine(257);
        FAIL();
    } catch (const EError& e) {
        EXPECT_STREQ(e.what(), "Invalid BytesPerLine argument");
    }
    EXPECT_EQ(m.BytesPerLine(), 4);
}

TEST(HexTranslation, DisplayOfBytes) {
    struct Case {
        uint8_t Byte;
        TTranslationType T;
        char32_t Shown;
    } cases[] = {
        {0x41, ttAnsi, U'A'},        {0xC0, ttAnsi, U'\u0410'}, {0x98, ttAnsi, U'.'},
        {0x80, ttDos8, U'\u0410'},   {0xB0, ttDos8, U'\u2591'}, {0x41, ttASCII, U'A'},
        {0x80, ttASCII, U'.'},       {0xFF, ttASCII, U'.'},     {0x80, ttMac, U'\u0414'},
        {0x41, ttMac, U'A'},         {0xC1, ttEBCDIC, U'A'},    {0x00, ttEBCDIC, U'.'},
        {0x4F, ttEBCDIC, U'\u044E'}, {0x41, ttEBCDIC, U'.'},    {0xF5, ttEBCDIC, U'5'},
        {0x50, ttEBCDIC, U'&'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DisplayChar(c.Byte, c.T, true, U'.'), c.Shown) << int(c.Byte) << " " << c.T;
    for (int t = ttAnsi; t <= ttEBCDIC; ++t)
        for (uint8_t b = 0; b < 0x20; ++b)
            EXPECT_EQ(DisplayChar(b, static_cast<TTranslationType>(t), true, U'.'), U'.')
                << t << " " << int(b);
    EXPECT_EQ(DisplayChar(0x05, ttAnsi, false, U'.'), U'\x05');
}

TEST(HexTranslation, InputOfCharacters) {
    struct Case {
        char32_t Ch;
        TTranslationType T;
        int Byte; // -1 refused
    } cases[] = {
        {U'A', ttAnsi, 0x41},        {U'\x1F', ttAnsi, -1},     {U'\u0416', ttAnsi, 0xC6},
        {U'\u4E00', ttAnsi, -1},     {U'\u0416', ttDos8, 0x86}, {U'\x1F', ttDos8, -1},
        {U' ', ttDos8, 0x20},        {U'\u0416', ttASCII, -1},  {U'a', ttASCII, 0x61},
        {U'\x7F', ttASCII, 0x7F},    {U'\x10', ttASCII, -1},    {U'\u0414', ttMac, 0x80},
        {U'z', ttMac, 0x7A},         {U'\x01', ttMac, -1},      {U'A', ttEBCDIC, 0xC1},
        {U'&', ttEBCDIC, 0x50},      {U'[', ttEBCDIC, -1},      {U'{', ttEBCDIC, -1},
        {U'\u044E', ttEBCDIC, 0x4F}, {U'\u0416', ttEBCDIC, -1}, {U'9', ttEBCDIC, 0xF9},
        {U'\\', ttEBCDIC, 0xE0},
    };
    for (const Case& c : cases) {
        const auto b = InputByte(c.Ch, c.T);
        if (c.Byte < 0)
            EXPECT_FALSE(b.has_value()) << uint32_t(c.Ch) << " " << c.T;
        else
            EXPECT_EQ(b.value_or(0xFFFF), c.Byte) << uint32_t(c.Ch) << " " << c.T;
    }
    EXPECT_EQ(AltKeypadByte(U'\x01'), 0x01);
    EXPECT_EQ(AltKeypadByte(U'\u0416'), 0x86);
    for (int mac = 0x80; mac < 0x100; ++mac)
        EXPECT_EQ(DisplayToMac(MacToDisplay(static_cast<uint8_t>(mac))), mac);
    int ebcdicChars = 0;
    for (int e = 0; e < 256; ++e)
        ebcdicChars += EbcdicToDisplay(static_cast<uint8_t>(e)) != 0;
    EXPECT_EQ(ebcdicChars, 92);
}

class HexKeys : public testing::Test {
  protected:
    void SetUp() override {
        Load(M, Sequence(40)); // rows of 16, 16 and 8 bytes
        M.VisibleRows = 2;
    }
    THexModel M;
};

TEST_F(HexKeys, NavigationTable) {
    const TShiftState none, ctrl{false, true, false}, shift{true, false, false};
    struct Case {
        const char* Name;
        int64_t Byte;
        TArea Area;
        int Nibble;
        TKey Key;
        TShiftState Shift;
        int Digit;
        int64_t ExpByte;
        TArea ExpArea;
        int ExpNibble;
        bool Consumed;
    } cases[] = {
        {"left high->low of previous", 5, aHex, 0, TKey::Left, none, 0, 4, aHex, 1, true},
        {"left low->high", 5, aHex, 1, TKey::Left, none, 0, 5, aHex, 0, true},
        {"left at first cell", 0, aHex, 0, TKey::Left, none, 0, 0, aHex, 0, true},
        {"left wraps rows", 16, aHex, 0, TKey::Left, none, 0, 15, aHex, 1, true},
        {"left in chars", 16, aChar, 0, TKey::Left, none, 0, 15, aChar, 0, true},
        {"right high->low", 5, aHex, 0, TKey::Right, none, 0, 5, aHex, 1, true},
        {"right low->next", 5, aHex, 1, TKey::Right, none, 0, 6, aHex, 0, true},
        {"right at last cell", 39, aHex, 1, TKey::Right, none, 0, 39, aHex, 1, true},
        {"right at last char", 39, aChar, 0, TKey::Right, none, 0, 39, aChar, 0, true},
        {"ctrl+right", 3, aHex, 0, TKey::Right, ctrl, 0, 15, aChar, 0, true},
        {"ctrl+right short row", 33, aHex, 0, TKey::Right, ctrl, 0, 39, aChar, 0, true},
        {"up", 20, aHex, 1, TKey::Up, none, 0, 4, aHex, 1, true},
        {"up on row 0", 4, aHex, 0, TKey::Up, none, 0, 4, aHex, 0, true},
        {"down", 4, aChar, 0, TKey::Down, none, 0, 20, aChar, 0, true},
        {"down falls back to last byte", 28, aHex, 0, TKey::Down, none, 0, 39, aHex, 0, true},
        {"down on last row", 35, aHex, 0, TKey::Down, none, 0, 35, aHex, 0, true},
        {"page down", 2, aHex, 0, TKey::PageDown, none, 0, 18, aHex, 0, true},
        {"page up", 34, aHex, 0, TKey::PageUp, none, 0, 18, aHex, 0, true},
        {"ctrl+page up", 34, aHex, 0, TKey::PageUp, ctrl, 0, 18, aHex, 0, true},
        {"home", 21, aChar, 0, TKey::Home, none, 0, 16, aChar, 0, true},
        {"ctrl+home", 21, aHex, 1, TKey::Home, ctrl, 0, 0, aHex, 0, true},
        {"end", 17, aHex, 1, TKey::End, none, 0, 31, aHex, 0, true},
        {"end short row", 33, aHex, 0, TKey::End, none, 0, 39, aHex, 0, true},
        {"ctrl+end", 1, aChar, 0, TKey::End, ctrl, 0, 39, aChar, 0, true},
        {"tab", 7, aHex, 1, TKey::Tab, none, 0, 7, aChar, 0, true},
        {"shift+tab", 7, aChar, 0, TKey::Tab, shift, 0, 7, aHex, 0, true},
        {"ctrl+t", 7, aChar, 0, TKey::LetterT, ctrl, 0, 7, aHex, 0, true},
        {"plain t is typing", 7, aChar, 0, TKey::LetterT, none, 0, 7, aChar, 0, false},
        {"ctrl+unset marker: caret row start", 21, aChar, 0, TKey::Digit, ctrl, 5, 16, aHex, 0, true},
        {"backspace moves left and is passed on", 21, aChar, 0, TKey::Backspace, none, 0, 20, aChar, 0,
         false},
        {"backspace stays in its row", 16, aChar, 0, TKey::Backspace, none, 0, 16, aChar, 0, false},
        {"delete without ctrl passes on", 3, aHex, 0, TKey::Delete, none, 0, 3, aHex, 0, false},
        {"escape passes on", 3, aHex, 0, TKey::Escape, none, 0, 3, aHex, 0, false},
        {"enter passes on", 3, aHex, 0, TKey::Enter, none, 0, 3, aHex, 0, false},
        {"function key passes on", 3, aHex, 0, TKey::Other, none, 0, 3, aHex, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Place(M, c.Byte, c.Area, c.Nibble);
        M.TopRow = c.Name == std::string("page up") || c.Name == std::string("ctrl+page up") ? 1 : 0;
        EXPECT_EQ(M.KeyDown(c.Key, c.Shift, c.Digit), c.Consumed);
        EXPECT_EQ(M.CaretByte(), c.ExpByte);
        EXPECT_EQ(M.CaretArea(), c.ExpArea);
        EXPECT_EQ(M.CaretNibble(), c.ExpNibble);
        M.KeyUp(TKey::Shift);
    }
}

TEST_F(HexKeys, PageMovesScrollTheTopRowWithinBounds) {
    M.KeyDown(TKey::PageDown, {});
    EXPECT_EQ(M.TopRow, 1);
    EXPECT_EQ(M.CaretRow(), 1);
    M.KeyDown(TKey::PageDown, {});
    EXPECT_EQ(M.TopRow, 1);
    EXPECT_EQ(M.CaretRow(), 2);
    M.KeyDown(TKey::PageDown, {false, true, false});
    EXPECT_EQ(M.CaretRow(), 2);
    M.KeyDown(TKey::Home, {false, true, false});
    EXPECT_EQ(M.TopRow, 0);
}

TEST_F(HexKeys, ShiftSelectionGrowsFromTheAnchorAndPlainKeysClearIt) {
    M.KeyDown(TKey::Tab, {});
    Place(M, 5, aChar, 0);
    const TShiftState shift{true, false, false};
    EXPECT_TRUE(M.KeyDown(TKey::Shift, shift));
    EXPECT_TRUE(M.Selecting());
    for (int i = 0; i < 3; ++i)
        M.KeyDown(TKey::Right, shift);
    EXPECT_EQ(M.SelectionStart(), 5);
    EXPECT_EQ(M.SelectionEnd(), 8);
    for (int i = 0; i < 5; ++i)
        M.KeyDown(TKey::Left, shift);
    EXPECT_EQ(M.SelectionStart(), 3);
    EXPECT_EQ(M.SelectionEnd(), 5);
    M.KeyDown(TKey::Down, shift);
    EXPECT_EQ(M.SelectionEnd(), 19);
    M.KeyUp(TKey::Shift);
    EXPECT_FALSE(M.Selecting());
    M.KeyDown(TKey::Shift, shift); // a new selecting run drops the old selection
    EXPECT_FALSE(M.HasSelection());
    M.KeyDown(TKey::Right, shift);
    EXPECT_EQ(M.SelectionStart(), 19);
    EXPECT_EQ(M.SelectionEnd(), 20);
    M.KeyUp(TKey::Shift);
    M.KeyDown(TKey::Right, {}); // plain key: clears
    EXPECT_FALSE(M.HasSelection());
    M.KeyDown(TKey::Shift, shift);
    M.KeyDown(TKey::Right, shift);
    M.KeyUp(TKey::Shift);
    M.KeyDown(TKey::Home, {false, true, false}); // a move without Shift clears too
    EXPECT_FALSE(M.HasSelection());
}

TEST_F(HexKeys, MouseSelectionAndHitTesting) {
    M.MouseDown(0, 2 + 2 * 3 + 1, false); // low digit of byte 3
    EXPECT_EQ(M.CaretByte(), 3);
    EXPECT_EQ(M.CaretNibble(), 1);
    M.MouseMove(1, 2 * 16 + 3 + 2); // character of byte 18
    EXPECT_EQ(M.SelectionStart(), 3);
    EXPECT_EQ(M.SelectionEnd(), 18);
    EXPECT_EQ(M.CaretArea(), aChar);
    M.MouseUp();
    M.MouseMove(2, 5);
    EXPECT_EQ(M.SelectionEnd(), 18);        // no drag without the button
    M.MouseDown(2, 2 * 16 + 3 + 12, false); // past byte 39 in the characters
    EXPECT_EQ(M.CaretByte(), 39);
    EXPECT_EQ(M.CaretArea(), aChar);
    EXPECT_FALSE(M.HasSelection());
    M.MouseUp();
    M.MouseDown(1, 2 * 16 + 2, true); // the separator: last digit of the row; double click
    EXPECT_EQ(M.CaretByte(), 31);
    EXPECT_EQ(M.CaretNibble(), 1);
    EXPECT_FALSE(M.Selecting());
    M.MouseDown(0, 4, false);
    M.FocusLost();
    EXPECT_FALSE(M.Selecting());
}

TEST_F(HexKeys, MarkersSetGoToAndSurviveReloads) {
    const TShiftState ctrlShift{true, true, false}, ctrl{false, true, false};
    Place(M, 35, aChar, 0);
    EXPECT_TRUE(M.KeyDown(TKey::Digit, ctrlShift, 3));
    EXPECT_EQ(M.Marker(3), 2);
    Place(M, 1, aHex, 1);
    EXPECT_TRUE(M.KeyDown(TKey::Digit, ctrl, 3));
    EXPECT_EQ(M.CaretByte(), 32);
    EXPECT_EQ(M.CaretArea(), aHex);
    EXPECT_EQ(M.CaretNibble(), 0);
    M.SetMarker(1, 2);
    EXPECT_EQ(M.MarkerOnRow(2), 1);
    EXPECT_EQ(Narrow(M.CellText(2, 1)), "1");
    M.SetMarker(4, 100); // a row that no longer exists: the caret stays
    Place(M, 9, aHex, 0);
    M.KeyDown(TKey::Digit, ctrl, 4);
    EXPECT_EQ(M.CaretByte(), 9);
    Load(M, Sequence(10));
    EXPECT_EQ(M.Marker(3), 2);
    try {
        M.SetMarker(10, 0);
        FAIL();
    } catch (const EError& e) {
        EXPECT_STREQ(e.what(), "SetMarker : Invalid marker index");
    }
}

TEST_F(HexKeys, TypingInBothAreas) {
    M.TypeChar(U'0'); // the high digit of byte 0 already is 0
    EXPECT_FALSE(M.Modified());
    EXPECT_EQ(M.CaretNibble(), 1);
    M.TypeChar(U'g');
    EXPECT_EQ(M.CaretNibble(), 1);
    M.TypeChar(U'f');
    EXPECT_EQ(M.ByteAt(0), 0x0F);
    EXPECT_TRUE(M.Modified());
    EXPECT_TRUE(M.IsMarked(0));
    EXPECT_EQ(M.CaretByte(), 1);
    M.TypeChar(U'A');
    EXPECT_EQ(M.ByteAt(1), 0xA1);
    M.KeyDown(TKey::Tab, {});
    M.TypeChar(U'\x05'); // refused by the Ansi translation
    EXPECT_EQ(M.CaretByte(), 1);
    EXPECT_EQ(M.ByteAt(1), 0xA1);
    M.TypeChar(U'z');
    EXPECT_EQ(M.ByteAt(1), 'z');
    EXPECT_EQ(M.CaretByte(), 2);
    M.TypeChar(U'\x05', true); // by its code on the keypad: accepted
    EXPECT_EQ(M.ByteAt(2), 0x05);
    EXPECT_STREQ(M.LastEditName(), "Byte changed");
    Place(M, 39, aChar, 0);
    M.TypeChar(U'Q'); // the last byte: written, the caret stays
    EXPECT_EQ(M.ByteAt(39), 'Q');
    EXPECT_EQ(M.CaretByte(), 39);
}

TEST_F(HexKeys, InsertClearsMarksButNotModified) {
    M.TypeChar(U'7');
    ASSERT_EQ(M.MarkCount(), 1u);
    EXPECT_TRUE(M.KeyDown(TKey::Insert, {}));
    EXPECT_EQ(M.MarkCount(), 0u);
    EXPECT_TRUE(M.Modified());
    EXPECT_TRUE(M.InsertRequest());
    EXPECT_FALSE(M.InsertMode()); // insert mode is never allowed here
    EXPECT_EQ(M.EffectiveCaretStyle(), csFull);
    M.AllowInsertMode = true;
    EXPECT_EQ(M.EffectiveCaretStyle(), csLeftLine);
    M.SetModified(false);
    EXPECT_FALSE(M.Modified());
}

TEST_F(HexKeys, CtrlDeleteRemovesSelectionOrCaretByte) {
    const TShiftState ctrl{false, true, false}, shift{true, false, false};
    M.TypeChar(U'F'); // mark byte 0
    Place(M, 30, aHex, 0);
    M.TypeChar(U'F'); // mark byte 30
    Place(M, 10, aChar, 0);
    M.KeyDown(TKey::Shift, shift);
    M.KeyDown(TKey::Right, shift);
    M.KeyDown(TKey::Right, shift);
    M.KeyUp(TKey::Shift);
    EXPECT_TRUE(M.KeyDown(TKey::Delete, ctrl)); // removes 10..12
    EXPECT_EQ(M.DataSize(), 37);
    EXPECT_EQ(M.ByteAt(10), 13);
    EXPECT_EQ(M.CaretByte(), 10);
    EXPECT_FALSE(M.HasSelection());
    EXPECT_TRUE(M.IsMarked(0));
    EXPECT_EQ(M.MarkCount(), 1u); // marks from the first removed byte on are dropped
    EXPECT_STREQ(M.LastEditName(), "Byte(s) removed");
    M.KeyDown(TKey::Delete, ctrl); // no selection: the caret byte
    EXPECT_EQ(M.DataSize(), 36);
    EXPECT_EQ(M.ByteAt(10), 14);
    M.KeyDown(TKey::End, ctrl);
    M.KeyDown(TKey::Delete, ctrl); // the last byte: caret on the new last byte
    EXPECT_EQ(M.DataSize(), 35);
    EXPECT_EQ(M.CaretByte(), 34);
    const auto saved = Saved(M);
    ASSERT_EQ(saved.size(), 35u);
    EXPECT_EQ(saved[34], 38);
    EXPECT_EQ(saved[0], 0xF0);
}

TEST_F(HexKeys, ReadOnlyViewNavigatesButNeverEdits) {
    M.ReadOnlyView = true;
    M.TypeChar(U'F');
    M.KeyDown(TKey::Delete, {false, true, false});
    EXPECT_FALSE(M.Modified());
    EXPECT_EQ(M.DataSize(), 40);
    EXPECT_EQ(M.ByteAt(0), 0);
    M.KeyDown(TKey::Right, {});
    EXPECT_EQ(M.CaretNibble(), 1);
    M.KeyDown(TKey::Digit, {true, true, false}, 2);
    EXPECT_EQ(M.Marker(2), 0);
}

TEST(HexContent, EmptyViewRefusesEditsAndSelStart) {
    THexModel m;
    Load(m, {});
    m.TypeChar(U'1');
    m.KeyDown(TKey::Delete, {false, true, false});
    EXPECT_FALSE(m.Modified());
    EXPECT_EQ(m.DataSize(), 0);
    try {
        m.SetSelStart(0);
        FAIL();
    } catch (const EError& e) {
        EXPECT_STREQ(e.what(), "Invalid SelStart");
    }
    EXPECT_THROW(m.SetSelEnd(0), EError);
}

TEST(HexContent, LoadFromBufferSelectsTheNewBytesUntilSelStart) {
    THexModel m;
    Load(m, Sequence(100));
    m.TypeChar(U'5');
    const std::vector<uint8_t> record = {1, 2, 3, 4};
    m.LoadFromBuffer(record.data(), 4);
    EXPECT_TRUE(m.Modified());
    EXPECT_EQ(m.MarkCount(), 0u);
    EXPECT_EQ(m.DataSize(), 4);
    EXPECT_EQ(m.SelectionStart(), 0);
    EXPECT_EQ(m.SelectionEnd(), 3);
    EXPECT_STREQ(m.LastEditName(), "Insert buffer");
    m.SetSelStart(0);
    EXPECT_FALSE(m.HasSelection());
    m.SetSelEnd(2);
    EXPECT_EQ(m.SelectionEnd(), 2);
    EXPECT_THROW(m.SetSelEnd(4), EError);
    m.LoadFromBuffer(nullptr, 0);
    EXPECT_EQ(m.DataSize(), 0);
    m.NoSizeChange = true;
    m.LoadFromBuffer(record.data(), 4); // refused: it would change the size
    EXPECT_EQ(m.DataSize(), 0);
}

TEST(HexContent, BytesPerLineKeepsCaretAndSelection) {
    THexModel m;
    Load(m, Sequence(4096));
    m.SetSelStart(100);
    m.KeyDown(TKey::Tab, {});
    m.SetSelEnd(120);
    m.SetBytesPerLine(8);
    EXPECT_EQ(m.CaretByte(), 100);
    EXPECT_EQ(m.CaretArea(), aChar);
    EXPECT_EQ(m.CaretRow(), 12);
    EXPECT_EQ(m.SelectionEnd(), 120);
}

TEST(HexColours, MarkedSelectedAndGroupColours) {
    THexModel m;
    m.SetBytesPerColumn(1);
    Load(m, Sequence(32));
    const TColors& c = m.Colors;
    auto colours = [&](int col) { return m.CellColors(0, col); };
    EXPECT_EQ(colours(2).Text, c.OddColumn);
    EXPECT_EQ(colours(4).Text, c.EvenColumn);
    EXPECT_EQ(colours(6).Text, c.OddColumn);
    EXPECT_EQ(colours(35).Text, c.Font);
    EXPECT_EQ(colours(0).Text, c.Offset);
    m.TypeChar(U'F'); // byte 0 marked
    EXPECT_EQ(colours(2).Text, c.ChangedText);
    EXPECT_EQ(colours(2).Background, c.ChangedBackground);
    EXPECT_EQ(colours(35).Background, c.ChangedBackground);
    m.SetSelStart(0);
    m.SetSelEnd(1);
    EXPECT_EQ(colours(2).Text, c.ChangedBackground); // marked and selected: swapped
    EXPECT_EQ(colours(2).Background, c.ChangedText);
    EXPECT_EQ(colours(4).Background, c.EvenColumn); // selected, unmarked digit
    EXPECT_EQ(colours(4).Text, Complement(c.EvenColumn));
    EXPECT_EQ(colours(36).Background, c.Font);
    m.SetMarker(0, 0);
    EXPECT_EQ(colours(1).Background, c.PositionBackground);
    EXPECT_EQ(colours(1).Text, c.PositionText);
}

TEST(HexWorkingCopy, PaintingAScreenReadsOneWindowAndTheFileIsPrivate) {
    THexModel m;
    std::vector<uint8_t> big(64u << 20);
    for (size_t i = 0; i < big.size(); i += 4096)
        big[i] = static_cast<uint8_t>(i >> 12);
    TMemoryStream s(std::move(big));
    m.LoadFromStream(s);
    const int64_t top = 2'000'000; // rows of 16: far into the copy
    for (int pass = 0; pass < 2; ++pass) {
        m.WorkingCopy().ResetCounters();
        for (int64_t row = top; row < top + 60; ++row)
            for (int col = 0; col < m.ColumnCount(); ++col)
                (void)m.CellText(row, col);
        EXPECT_LE(m.WorkingCopy().WindowLoads(), pass == 0 ? 1 : 0);
        EXPECT_LE(m.WorkingCopy().WindowBytesRead(), TWorkingCopy::kWindowSize);
    }
    const int64_t page = (top * 16) & ~int64_t(4095);
    EXPECT_EQ(m.ByteAt(page), static_cast<uint8_t>(page >> 12));

    // The working copy has no name anybody could open: it was unlinked when created.
    bool found = false;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        const std::string target = std::filesystem::read_symlink(fd.path(), ec).string();
        if (target.find("morvane-hex-") != std::string::npos) {
            found = true;
            EXPECT_NE(target.find("(deleted)"), std::string::npos) << target;
        }
    }
    EXPECT_TRUE(found);
}

TEST(HexProfiles, DefaultsKeysAndFailures) {
    TMemorySettings store;
    const THexSettings d = LoadHexProfile(store, hpMain);
    EXPECT_EQ(d.BytesPerColumn, 1);
    EXPECT_EQ(d.BytesPerLine, 16);
    EXPECT_EQ(d.OffsetDisplay, 1);
    EXPECT_EQ(d.Translation, 1);
    EXPECT_TRUE(store.Keys.count("SOFTWARE\\MorvaneTeam\\Morvane\\Hex\\Main"));
    EXPECT_TRUE(store.Values.empty());

    SaveHexProfile(store, hpRecord, THexSettings{4, 8, 3, 5});
    const THexSettings r = LoadHexProfile(store, hpRecord);
    EXPECT_EQ(r.BytesPerColumn, 4);
    EXPECT_EQ(r.BytesPerLine, 8);
    EXPECT_EQ(r.OffsetDisplay, 3);
    EXPECT_EQ(r.Translation, 5);
    EXPECT_EQ(store.Values.at({"SOFTWARE\\MorvaneTeam\\Morvane\\Hex\\Record", "Translation"}), 5);

    TMemorySettings locked;
    locked.ReadOnly = true;
    EXPECT_EQ(LoadHexProfile(locked, hpMain).BytesPerLine, 16);
    try {
        SaveHexProfile(locked, hpMain, THexSettings{});
        FAIL();
    } catch (const EError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'BytesPerColumn'");
    }
    EXPECT_EQ(ProfileOfView("heRecord"), hpRecord);
    EXPECT_EQ(ProfileOfView("hxPacked"), hpMain);
}

TEST(HexProfiles, ApplyingKeepsOutValuesTheMenuNeverWrites) {
    THexModel m;
    ApplyHexProfile(m, THexSettings{2, 8, 2, 4});
    EXPECT_EQ(m.BytesPerColumn(), 2);
    EXPECT_EQ(m.BytesPerLine(), 8);
    EXPECT_EQ(m.OffsetDisplay(), odDec);
    EXPECT_EQ(m.Translation, ttMac);
    ApplyHexProfile(m, THexSettings{0, 16, 7, 9});
    EXPECT_EQ(m.BytesPerColumn(), 2);
    EXPECT_EQ(m.OffsetDisplay(), odDec);
    EXPECT_EQ(m.Translation, ttMac);
    EXPECT_THROW(ApplyHexProfile(m, THexSettings{1, 300, 3, 5}), EError);
    EXPECT_EQ(m.BytesPerColumn(), 1); // applied before the failure
    EXPECT_EQ(m.BytesPerLine(), 16);
    EXPECT_EQ(m.OffsetDisplay(), odDec); // not reached
    const THexSettings now = CurrentHexSettings(m);
    EXPECT_EQ(now.OffsetDisplay, 2);
    EXPECT_EQ(now.Translation, 4);
}
