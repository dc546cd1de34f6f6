#pragma once
// The hex view widget every editor embeds: paints the rows of its THexModel and turns key
// and mouse events into model commands. Keys the model does not consume go to the owner.

#include "hexview/HexModel.h"

#include <QAbstractScrollArea>
#include <QFont>

#include <functional>
#include <vector>

class QMenu;

namespace morvane::hexview {

class THexEditor : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit THexEditor(QWidget* parent = nullptr);

    THexModel& Model() { return FModel; }
    const THexModel& Model() const { return FModel; }

    void LoadFromStream(TMemoryStream& stream);
    bool SaveToStream(TMemoryStream& stream);
    void LoadFromBuffer(const uint8_t* bytes, int64_t length);
    bool Modified() const { return FModel.Modified(); }
    void SetModified(bool value);
    int64_t SelStart() const { return FModel.SelStart(); }
    void SetSelStart(int64_t p);
    void SetSelEnd(int64_t p);
    void SetMarker(int index, int64_t row);

    int BytesPerLine() const { return FModel.BytesPerLine(); }
    void SetBytesPerLine(int value);
    int BytesPerColumn() const { return FModel.BytesPerColumn(); }
    void SetBytesPerColumn(int value);
    TOffsetDisplayStyle OffsetDisplay() const { return FModel.OffsetDisplay(); }
    void SetOffsetDisplay(TOffsetDisplayStyle value);
    TTranslationType Translation() const { return FModel.Translation; }
    void SetTranslation(TTranslationType value);
    bool ReadOnlyView() const { return FModel.ReadOnlyView; }
    void SetReadOnlyView(bool value) { FModel.ReadOnlyView = value; }
    TColors& Colors() { return FModel.Colors; }
    // Any display property changed through Model(): lay out and repaint.
    void Relayout();

    void SetFontPointSize(int points);
    const QFont& ViewFont() const { return FFont; }
    int CharWidth() const { return FCharWidth; }
    int RowHeight() const { return FRowHeight; }

    // The menu a right click opens; the main window assigns its hex menu to every view.
    void SetPopupMenu(QMenu* menu) { FPopup = menu; }
    QMenu* PopupMenu() const { return FPopup; }

    // Called for every key the view does not consume.
    std::function<void(QKeyEvent*)> OnKeyDown;

  signals:
    void KeyPassed(int key, int modifiers);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void UpdateScrollBars();
    void AfterModelChange();
    std::pair<int64_t, int> CellAt(const QPoint& pos) const;
    QRect CellRect(int64_t row, int column) const;
    void PaintCaret(QPainter& p);
    void TypeText(const QString& text, bool altKeypad);

    THexModel FModel;
    QFont FFont;
    QFont FMarkerFont;
    int FCharWidth = 8;
    int FRowHeight = 16;
    std::vector<int> FColumnX; // left edge of each column, plus the total width at the end
    QMenu* FPopup = nullptr;
    bool FSyncingScroll = false;
    // A character code typed on the keypad while Alt is held, delivered when Alt is released.
    int FAltCode = -1;
    bool FAltCodeAnsi = false;
};

} // namespace morvane::hexview
