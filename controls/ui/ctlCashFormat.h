#pragma once

#include "controls/CashDigits.h"

#include <QWidget>
#include <array>

namespace kessory {
class CashCell;
class CashSurface;
} // namespace kessory

// The digit-column amount control ("prjKessory.ctlCashFormat"): one cell per digit from 十亿 down to 分 on the ruled
// surface picCash, cells tCash_0 (分) to tCash_11 (十亿). Entry use (Enabled true, the default) takes digits typed
// column by column; display use (Enabled false) only shows Value and never takes the focus.
//
// The width stays 121 px (1815 twips) whatever the host sets; the height may be set down to one cell's height.
// Within the host's tab order the control sits where it was created (its cells follow it); only 元 is a tab stop,
// so a Tab into the control lands on 元.
class ctlCashFormat final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ctlCashFormat)
    Q_PROPERTY(double Value READ Value WRITE setValue)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledProperty)
public:
    // A new control is loaded with the default stored properties: 0, entry use.
    explicit ctlCashFormat(QWidget* parent = nullptr);
    ~ctlCashFormat() override;

    double Value() const;
    // Silent apart from storedPropertyChanged("Value"): hosts may write it from their own handlers.
    void setValue(double value);
    bool Enabled() const;
    void setEnabledProperty(bool enabled);

    double funGetValue();
    void funSetValue(double amount);
    // Applies the stored properties as a host window creates the control: "Value" (while not yet enabled), then
    // "Enabled".
    void loadProperties(double value = 0, bool enabled = true);

    const kessory::CashDigits& digits() const { return m_digits; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The focus entered the control from outside, or left it for another field of the same window.
    void gotFocus();
    void lostFocus();
    // A stored property ("Value" or "Enabled") was written.
    void storedPropertyChanged(const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void funSetEnabled(bool b);
    void funFocusCell(int i);
    // Mirrors the model into the cell widgets, keeping the focus in the control when its cell goes blank.
    void syncCells();
    void applyFocusPolicies();
    void layoutSurface();
    void onCellKeyPress(int index, QKeyEvent* event);
    void onCellKeyRelease(int index, QKeyEvent* event);
    void onFocusChanged(QWidget* old, QWidget* now);
    void sendTab();
    bool holds(const QWidget* w) const;

    kessory::CashDigits m_digits;
    kessory::CashSurface* m_surface = nullptr;
    std::array<kessory::CashCell*, kessory::cash::kCells> m_cells {};
    bool m_focusInside = false;
};
