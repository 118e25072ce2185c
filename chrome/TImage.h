#pragma once

#include <QPixmap>
#include <QWidget>

// A picture control: drawn centred or from the top left, shrunk to fit (proportional), or
// stretched to the control (keeping its proportions when proportional). A click is a press
// and release inside the control.
class TImage final : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QPixmap picture READ picture WRITE setPicture)

public:
    explicit TImage(QWidget *parent = nullptr);

    void setPicture(const QPixmap &image);
    const QPixmap &picture() const { return m_image; }
    void setCenter(bool valeur);
    void setProportional(bool valeur);
    void setStretch(bool valeur);
    // The rectangle the picture is drawn into.
    QRect zoneImage() const;

signals:
    void clic();
    void doubleClic();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QPixmap m_image;
    bool m_center = false;
    bool m_proportional = false;
    bool m_stretch = false;
    bool m_appuye = false;
};
