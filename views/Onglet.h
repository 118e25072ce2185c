#pragma once

#include <QString>
#include <QWidget>

class PaintBox;
class QVBoxLayout;

// What every tab of the catalogue window has: a painted title bar across its top, the content
// below it.
class Onglet : public QWidget
{
    Q_OBJECT

public:
    Onglet(const QString &nom, const QString &nomBarre, const QString &titre,
           QWidget *parent = nullptr);

protected:
    QVBoxLayout &contenu() { return *m_contenu; }
    // A painted button of the tab, 17 pixels high across its width.
    PaintBox *creerBouton(const QString &nom, const QString &legende);

private:
    PaintBox *m_barre;
    QString m_titre;
    QVBoxLayout *m_contenu;
};
