#include "chrome/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

PaintBox::PaintBox(QWidget *parent)
    : QWidget(parent)
{
}

QPainter &PaintBox::canvas()
{
    Q_ASSERT(m_canvas);
    return *m_canvas;
}

void PaintBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_canvas = &painter;
    emit peindre();
    m_canvas = nullptr;
}

void PaintBox::mousePressEvent(QMouseEvent *event)
{
    m_appuye = event->button() == Qt::LeftButton;
}

void PaintBox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clique = m_appuye && event->button() == Qt::LeftButton &&
                        rect().contains(event->position().toPoint());
    m_appuye = false;
    if (clique)
        emit clic();
}

void PaintBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClic();
}
