#include "chrome/TImage.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(QWidget *parent)
    : QWidget(parent)
{
}

void TImage::setPicture(const QPixmap &image)
{
    m_image = image;
    update();
}

void TImage::setCenter(bool valeur)
{
    m_center = valeur;
    update();
}

void TImage::setProportional(bool valeur)
{
    m_proportional = valeur;
    update();
}

void TImage::setStretch(bool valeur)
{
    m_stretch = valeur;
    update();
}

QRect TImage::zoneImage() const
{
    if (m_image.isNull())
        return {};
    QSize taille = m_image.deviceIndependentSize().toSize();
    const QSize disponible = size();
    if (m_stretch && !m_proportional) {
        taille = disponible;
    } else if (m_stretch || (m_proportional && (taille.width() > disponible.width() ||
                                                taille.height() > disponible.height()))) {
        taille.scale(disponible, Qt::KeepAspectRatio);
    }
    QPoint origine(0, 0);
    if (m_center)
        origine = QPoint((disponible.width() - taille.width()) / 2,
                         (disponible.height() - taille.height()) / 2);
    return {origine, taille};
}

void TImage::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(zoneImage(), m_image);
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    m_appuye = event->button() == Qt::LeftButton;
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clique = m_appuye && event->button() == Qt::LeftButton &&
                        rect().contains(event->position().toPoint());
    m_appuye = false;
    if (clique)
        emit clic();
}

void TImage::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClic();
}
