#include "app/DialoguesQt.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

using namespace Qt::StringLiterals;

void DialoguesQt::message(const QString &titre, const QString &texte)
{
    QMessageBox boite(QMessageBox::NoIcon, titre, texte, QMessageBox::Ok);
    boite.exec();
}

void DialoguesQt::erreur(const QString &texte)
{
    QMessageBox boite(QMessageBox::Critical, QApplication::applicationName(), texte,
                      QMessageBox::Ok);
    boite.exec();
}

Dialogues::Reponse DialoguesQt::question(const QString &titre, const QString &texte,
                                         bool avecAnnuler)
{
    QMessageBox::StandardButtons boutons = QMessageBox::Yes | QMessageBox::No;
    if (avecAnnuler)
        boutons |= QMessageBox::Cancel;
    QMessageBox boite(QMessageBox::Question, titre, texte, boutons);
    boite.setWindowModality(Qt::ApplicationModal);
    boite.setWindowFlag(Qt::WindowStaysOnTopHint);
    boite.setEscapeButton(avecAnnuler ? QMessageBox::Cancel : QMessageBox::No);
    switch (boite.exec()) {
    case QMessageBox::Yes:
        return Reponse::Oui;
    case QMessageBox::No:
        return Reponse::Non;
    default:
        return avecAnnuler ? Reponse::Annuler : Reponse::Non;
    }
}

QString DialoguesQt::saisie(const QString &titre, const QString &invite)
{
    bool ok = false;
    const QString texte =
        QInputDialog::getText(nullptr, titre, invite, QLineEdit::Normal, QString(), &ok);
    return ok ? texte : QString();
}

QString DialoguesQt::filtreQt(const QString &filtre)
{
    // "Description|*.a;*.b|Other|*.c" gives "Description (*.a *.b);;Other (*.c)".
    const QStringList parties = filtre.split(u'|');
    QStringList filtres;
    for (qsizetype i = 0; i + 1 < parties.size(); i += 2) {
        QString motifs = parties.at(i + 1);
        motifs.replace(u';', u' ');
        filtres.append(parties.at(i) + u" ("_s + motifs + u')');
    }
    return filtres.isEmpty() ? filtre : filtres.join(u";;"_s);
}

QString DialoguesQt::ouvrirFichier(const QString &titre, const QString &filtre,
                                   const QString &initial)
{
    return QFileDialog::getOpenFileName(nullptr, titre, initial, filtreQt(filtre));
}

QString DialoguesQt::choisirDossier(const QString &titre, const QString &initial)
{
    return QFileDialog::getExistingDirectory(nullptr, titre, initial);
}

QString DialoguesQt::enregistrerFichier(const QString &titre, const QString &filtre,
                                        const QString &initial)
{
    return QFileDialog::getSaveFileName(nullptr, titre, initial, filtreQt(filtre));
}
