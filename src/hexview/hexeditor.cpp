#include "hexview/hexeditor.h"

#include "platform/Errors.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

namespace morvane::hexview {

namespace {

QColor Rgb(uint32_t rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

struct TKeyMap {
    TKey Key;
    int Digit;
};

TKeyMap MapKey(const QKeyEvent* e) {
    static const int kShiftedDigits[] = {
        Qt::Key_ParenRight, Qt::Key_Exclam,      Qt::Key_At,        Qt::Key_NumberSign, Qt::Key_Dollar,
        Qt::Key_Percent,    Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk,   Qt::Key_ParenLeft};
    const int k = e->key();
    switch (k) {
    case Qt::Key_Left:
        return {TKey::Left, 0};
    case Qt::Key_Right:
        return {TKey::Right, 0};
    case Qt::Key_Up:
        return {TKey::Up, 0};
    case Qt::Key_Down:
        return {TKey::Down, 0};
    case Qt::Key_PageUp:
        return {TKey::PageUp, 0};
    case Qt::Key_PageDown:
        return {TKey::PageDown, 0};
    case Qt::Key_Home:
        return {TKey::Home, 0};
    case Qt::Key_End:
        return {TKey::End, 0};
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return {TKey::Tab, 0};
    case Qt::Key_Insert:
        return {TKey::Insert, 0};
    case Qt::Key_Delete:
        return {TKey::Delete, 0};
    case Qt::Key_Backspace:
        return {TKey::Backspace, 0};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {TKey::Enter, 0};
    case Qt::Key_Escape:
        return {TKey::Escape, 0};
    case Qt::Key_Shift:
        return {TKey::Shift, 0};
    case Qt::Key_Control:
        return {TKey::Control, 0};
    case Qt::Key_Alt:
        return {TKey::Alt, 0};
    case Qt::Key_T:
        return {TKey::LetterT, 0};
    default:
        break;
    }
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return {TKey::Digit, k - Qt::Key_0};
    for (int d = 0; d < 10; ++d)
        if (k == kShiftedDigits[d]) return {TKey::Digit, d};
    return {TKey::Other, 0};
}

} // namespace

THexEditor::THexEditor(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    SetFontPointSize(10);
}

void THexEditor::SetFontPointSize(int points) {
    FFont = QFont("Courier New", points);
    FFont.setStyleHint(QFont::TypeWriter);
    FFont.setFixedPitch(true);
    FMarkerFont = QFont("Arial");
    FMarkerFont.setPointSizeF(points * 0.75);
    const QFontMetrics fm(FFont);
    FCharWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('w')));
    FRowHeight = fm.boundingRect(QStringLiteral("yY")).height() + 2;
    Relayout();
}

void THexEditor::Relayout() {
    FColumnX.assign(static_cast<size_t>(FModel.ColumnCount()) + 1, 0);
    int x = 0;
    for (int c = 0; c < FModel.ColumnCount(); ++c) {
        FColumnX[static_cast<size_t>(c)] = x;
        x += FModel.ColumnWidthUnits(c) * FCharWidth;
    }
    FColumnX.back() = x;
    UpdateScrollBars();
    viewport()->update();
}

void THexEditor::UpdateScrollBars() {
    const int visible = std::max(1, viewport()->height() / std::max(1, FRowHeight));
    FModel.VisibleRows = visible;
    const int64_t maxTop = std::max<int64_t>(0, FModel.RowCount() - visible);
    FModel.TopRow = std::clamp<int64_t>(FModel.TopRow, 0, maxTop);
    FSyncingScroll = true;
    verticalScrollBar()->setRange(0, static_cast<int>(std::min<int64_t>(maxTop, INT32_MAX)));
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setValue(static_cast<int>(FModel.TopRow));
    horizontalScrollBar()->setRange(0, std::max(0, FColumnX.back() - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    FSyncingScroll = false;
}

void THexEditor::AfterModelChange() {
    UpdateScrollBars();
    viewport()->update();
}

void THexEditor::LoadFromStream(TMemoryStream& stream) {
    FModel.LoadFromStream(stream);
    Relayout();
}

bool THexEditor::SaveToStream(TMemoryStream& stream) {
    setCursor(Qt::WaitCursor);
    const bool ok = FModel.SaveToStream(stream);
    unsetCursor();
    return ok;
}

void THexEditor::LoadFromBuffer(const uint8_t* bytes, int64_t length) {
    FModel.LoadFromBuffer(bytes, length);
    Relayout();
}

void THexEditor::SetModified(bool value) {
    FModel.SetModified(value);
    viewport()->update();
}

void THexEditor::SetSelStart(int64_t p) {
    FModel.SetSelStart(p);
    AfterModelChange();
}

void THexEditor::SetSelEnd(int64_t p) {
    FModel.SetSelEnd(p);
    viewport()->update();
}

void THexEditor::SetMarker(int index, int64_t row) {
    FModel.SetMarker(index, row);
    viewport()->update();
}

void THexEditor::SetBytesPerLine(int value) {
    // Repaint once, after the whole new layout is in place.
    setUpdatesEnabled(false);
    try {
        FModel.SetBytesPerLine(value);
    } catch (...) {
        setUpdatesEnabled(true);
        throw;
    }
    Relayout();
    setUpdatesEnabled(true);
}

void THexEditor::SetBytesPerColumn(int value) {
    FModel.SetBytesPerColumn(value);
    Relayout();
}

void THexEditor::SetOffsetDisplay(TOffsetDisplayStyle value) {
    FModel.SetOffsetDisplay(value);
    Relayout();
}

void THexEditor::SetTranslation(TTranslationType value) {
    FModel.Translation = value;
    viewport()->update();
}

QRect THexEditor::CellRect(int64_t row, int column) const {
    const int x = FColumnX[static_cast<size_t>(column)] - horizontalScrollBar()->value();
    const int y = static_cast<int>(row - FModel.TopRow) * FRowHeight;
    return QRect(x, y, FColumnX[static_cast<size_t>(column) + 1] - FColumnX[static_cast<size_t>(column)],
                 FRowHeight);
}

void THexEditor::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Rgb(FModel.Colors.Background));
    const int64_t first = FModel.TopRow;
    const int64_t last = std::min(FModel.RowCount() - 1, first + viewport()->height() / FRowHeight);
    for (int64_t row = first; row <= last; ++row) {
        for (int col = 0; col < FModel.ColumnCount(); ++col) {
            const QRect r = CellRect(row, col);
            if (r.width() == 0 || r.right() < 0 || r.left() > viewport()->width()) continue;
            const TCellColors colours = FModel.CellColors(row, col);
            const std::u32string text = FModel.CellText(row, col);
            if (colours.Background != FModel.Colors.Background) p.fillRect(r, Rgb(colours.Background));
            if (text.empty()) continue;
            p.setPen(Rgb(colours.Text));
            if (col == 1) {
                p.setFont(FMarkerFont);
                p.drawText(r, Qt::AlignCenter,
                           QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size())));
            } else {
                p.setFont(FFont);
                p.drawText(r.adjusted(0, 1, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                           QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size())));
            }
        }
    }
    if (hasFocus()) PaintCaret(p);
}

void THexEditor::PaintCaret(QPainter& p) {
    const int64_t row = FModel.CaretRow();
    if (row < FModel.TopRow || row > FModel.TopRow + FModel.VisibleRows) return;
    QRect cell = CellRect(row, FModel.CaretColumn());
    cell.setWidth(FCharWidth);
    QRect caret = cell;
    switch (FModel.EffectiveCaretStyle()) {
    case csFull:
        break;
    case csLeftLine:
        caret.setWidth(2);
        break;
    case csBottomLine:
        caret = QRect(cell.left(), cell.bottom() - 2, cell.width(), 2);
        break;
    }
    // Inverted: on the background colour the caret shows in CursorFrame.
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(caret, Rgb(FModel.Colors.Background ^ FModel.Colors.CursorFrame));
    p.restore();

    QRect twin = CellRect(row, FModel.TwinColumn());
    twin.setWidth(FModel.CaretArea() == aHex ? FCharWidth : 2 * FCharWidth);
    p.save();
    if (FModel.FocusFrame) {
        QPen pen(Qt::black);
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
    } else {
        p.setPen(Rgb(FModel.Colors.CursorFrame));
    }
    p.setBrush(Qt::NoBrush);
    p.drawRect(twin.adjusted(0, 0, -1, -1));
    p.restore();
}

void THexEditor::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void THexEditor::scrollContentsBy(int, int) {
    if (!FSyncingScroll) FModel.TopRow = verticalScrollBar()->value();
    viewport()->update();
}

bool THexEditor::focusNextPrevChild(bool) {
    return false;
} // Tab switches areas

void THexEditor::TypeText(const QString& text, bool altKeypad) {
    for (const uint ch : text.toUcs4()) {
        if (ch < 0x20 && !altKeypad) continue;
        if (ch == 0x7F) continue;
        FModel.TypeChar(static_cast<char32_t>(ch), altKeypad);
    }
}

void THexEditor::keyPressEvent(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers();
    const TShiftState shift{(mods & Qt::ShiftModifier) != 0, (mods & Qt::ControlModifier) != 0,
                            (mods & Qt::AltModifier) != 0};
    const TKeyMap mapped = MapKey(e);

    // Alt held with keypad digits composes a character code, as on the system it came from:
    // a leading 0 names a display (Windows-1251) code, otherwise a DOS code.
    if ((mods & Qt::KeypadModifier) && shift.Alt && mapped.Key == TKey::Digit) {
        if (FAltCode < 0) {
            FAltCode = 0;
            FAltCodeAnsi = mapped.Digit == 0;
        }
        FAltCode = (FAltCode * 10 + mapped.Digit) % 100000;
    }

    const bool consumed = FModel.KeyDown(mapped.Key, shift, mapped.Digit);
    if (!consumed) {
        emit KeyPassed(e->key(), static_cast<int>(mods));
        if (OnKeyDown) OnKeyDown(e);
        const bool typing =
            mapped.Key == TKey::Other || mapped.Key == TKey::LetterT || mapped.Key == TKey::Digit;
        if (typing && !shift.Ctrl && !shift.Alt) TypeText(e->text(), false);
    }
    AfterModelChange();
}

void THexEditor::keyReleaseEvent(QKeyEvent* e) {
    const TKeyMap mapped = MapKey(e);
    FModel.KeyUp(mapped.Key);
    if (mapped.Key == TKey::Alt && FAltCode >= 0) {
        const auto code = static_cast<uint8_t>(FAltCode % 256);
        const char32_t ch = FAltCodeAnsi ? AnsiToUnicode(code) : DosToUnicode(code);
        FAltCode = -1;
        if (ch != 0 || code == 0) FModel.TypeChar(ch, true);
        AfterModelChange();
    }
}

std::pair<int64_t, int> THexEditor::CellAt(const QPoint& pos) const {
    const int64_t row = FModel.TopRow + std::max(0, pos.y()) / FRowHeight;
    const int x = pos.x() + horizontalScrollBar()->value();
    int col = FModel.ColumnCount() - 1;
    for (int c = 0; c < FModel.ColumnCount(); ++c) {
        if (x < FColumnX[static_cast<size_t>(c) + 1]) {
            col = c;
            break;
        }
    }
    return {row, col};
}

void THexEditor::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const auto [row, col] = CellAt(e->position().toPoint());
    FModel.MouseDown(row, col, false);
    AfterModelChange();
}

void THexEditor::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const auto [row, col] = CellAt(e->position().toPoint());
    FModel.MouseDown(row, col, true);
    AfterModelChange();
}

void THexEditor::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton)) return;
    const auto [row, col] = CellAt(e->position().toPoint());
    FModel.MouseMove(row, col);
    AfterModelChange();
}

void THexEditor::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) FModel.MouseUp();
}

void THexEditor::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    viewport()->update();
}

void THexEditor::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    FModel.FocusLost();
    FAltCode = -1;
    viewport()->update();
}

void THexEditor::contextMenuEvent(QContextMenuEvent* e) {
    if (!FPopup) return;
    FPopup->setProperty("hexTarget", QVariant::fromValue(static_cast<QObject*>(this)));
    FPopup->exec(e->globalPos());
}

} // namespace morvane::hexview
