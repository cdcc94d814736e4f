#pragma once
// The program's own scrolling label: one line of text moved across the label on its own timer, in
// one of six directions, Jump pixels every Speed milliseconds.
#include "controls/ScrollStep.h"
#include "platform_gui/Color.h"
#include "platform_gui/Font.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>

enum TBGFillStyle { bfTextOnly, bfFull };

class TNKScrollLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Tag MEMBER tag_)
public:
    // The timer never runs faster than this: an interval of 0 would fire on every pass of the loop.
    static constexpr int MinInterval = 10;

    explicit TNKScrollLabel(QWidget* parent = nullptr);

    const QString& Text() const { return text_; }
    void SetText(const QString& text);
    bool Active() const { return timer_.isActive(); }
    void SetActive(bool active);
    uint32_t Speed() const { return speed_; }
    void SetSpeed(uint32_t speed);
    int Interval() const { return timer_.interval(); }
    int Jump() const { return jump_; }
    void SetJump(int jump) { jump_ = jump; }
    TScrollDirection Direction() const { return direction_; }
    void SetDirection(TScrollDirection direction) { direction_ = direction; }
    platform::TColor BackGround() const { return background_; }
    void SetBackGround(platform::TColor color);
    TBGFillStyle FillStyle() const { return fillStyle_; }
    void SetFillStyle(TBGFillStyle style);
    platform::TFont& Font() { return font_; }

    TScrollPosition Position() const { return position_; }
    // One tick of the timer: the text moves on, is painted at once, and OnScroll tells where.
    void Tick();

signals:
    void OnScroll(int X, int Y);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int tag_ = 0;
    QString text_ = QStringLiteral("<<Text here>>");
    uint32_t speed_ = 500;
    int jump_ = 5;
    TScrollDirection direction_ = sdLeftToRight;
    platform::TColor background_;
    TBGFillStyle fillStyle_ = bfTextOnly;
    platform::TFont font_;
    TScrollPosition position_;
    QTimer timer_;
};
