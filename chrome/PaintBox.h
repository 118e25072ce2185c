#pragma once

#include <QWidget>

class QPainter;

// A plain drawing surface: its owner paints it in the handler connected to peindre(), through
// canvas(), which is valid only while that signal runs. A click is a press and release inside.
class PaintBox final : public QWidget
{
    Q_OBJECT

public:
    explicit PaintBox(QWidget *parent = nullptr);
    QPainter &canvas();

signals:
    void peindre();
    void clic();
    void doubleClic();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QPainter *m_canvas = nullptr;
    bool m_appuye = false;
};
