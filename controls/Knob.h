#pragma once
// The program's own rotary control: a value between Min and Max on a 300-degree sweep, set by
// dragging, by clicking a point of the dial or by keys, echoed as a percentage in a label.
#include "platform_gui/Color.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <cstdint>

class TKnob : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Tag MEMBER tag_)
public:
    explicit TKnob(QWidget* parent = nullptr);

    int Min() const { return min_; }
    void SetMin(int min) { Update(position_, min, max_); }
    int Max() const { return max_; }
    void SetMax(int max) { Update(position_, min_, max); }
    int Position() const { return position_; }
    // Clamped into the range; OnChange follows every assignment, also of the current value.
    void SetPosition(int position) { Update(position, min_, max_); }
    uint16_t PageSize() const { return pageSize_; }
    void SetPageSize(uint16_t size) { pageSize_ = size; }
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QLabel* PositionLabel() const { return label_; }
    void SetPositionLabel(QLabel* label);
    platform::TColor LineColor() const { return lineColor_; }
    // clBtnFace is refused: the pointer would vanish into the face.
    void SetLineColor(platform::TColor color);
    // Back to 0 when released or when the focus goes.
    bool SpringLoaded() const { return springLoaded_; }
    void SetSpringLoaded(bool spring);

    int Angle() const { return angle_; }
    bool Tracking() const { return tracking_; }

signals:
    void OnChange();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int tag_ = 0;
    int min_ = 0;
    int max_ = 127;
    int position_ = 0;
    uint16_t pageSize_ = 10;
    QString caption_;
    QPointer<QLabel> label_;
    platform::TColor lineColor_;
    bool springLoaded_ = false;
    int size_ = 40;
    int radius_ = 20;
    double degreesPerUnit_;
    int angle_ = 240;
    int mouseAngle_ = 240;
    bool tracking_ = false;

    void Update(int position, int min, int max);
    void ShowInLabel(int value);
    int MouseValue() const;
};
