#include "tests/e2e/Disposition.h"

#include "app/Kinolux.h"
#include "app/TKinoluxPC.h"
#include "chrome/TformMessageFlash.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QRect dans(const QWidget &fenetre, const QWidget &controle, const QRect &rect)
{
    return QRect(controle.mapTo(&fenetre, rect.topLeft()), rect.size());
}

void arreterMinuteries(QObject &objet)
{
    for (QTimer *minuterie : objet.findChildren<QTimer *>())
        minuterie->stop();
}

} // namespace

Disposition Disposition::calculer()
{
    Disposition disposition;
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    Kinolux kinolux(repertoire.chemin(), dialogues);

    TKinoluxPC &pc = kinolux.KinoluxPC();
    arreterMinuteries(pc);
    disposition.panneau = pc.size();
    for (const QWidget *controle : pc.findChildren<QWidget *>()) {
        if (!controle->objectName().isEmpty())
            disposition.m_panneau.insert(controle->objectName(),
                                         dans(pc, *controle, controle->rect()));
    }
    disposition.flash = kinolux.formMessageFlash().size();

    TKinoluxFPrincipale &fp = kinolux.KinoluxFPrincipale();
    fp.setAttribute(Qt::WA_DontShowOnScreen);
    fp.show();
    arreterMinuteries(fp);
    disposition.catalogue = fp.size();
    QTabWidget &onglets = fp.pcControles();
    onglets.setTabVisible(onglets.count() - 1, true);
    for (int onglet = 0; onglet < onglets.count(); ++onglet) {
        onglets.setCurrentIndex(onglet);
        QApplication::processEvents();
        disposition.m_catalogue.insert(
            u"onglet:%1"_s.arg(onglet),
            dans(fp, *onglets.tabBar(), onglets.tabBar()->tabRect(onglet)));
        QWidget *page = onglets.widget(onglet);
        for (QWidget *controle : page->findChildren<QWidget *>()) {
            const QString nom = controle->objectName();
            if (!nom.isEmpty() && !disposition.m_catalogue.contains(nom))
                disposition.m_catalogue.insert(nom, dans(fp, *controle, controle->rect()));
            // A radio button or a check box reacts to its mark and its text, not to the rest of
            // its width: it is clicked on its mark.
            if (auto *bouton = qobject_cast<QAbstractButton *>(controle);
                bouton &&
                (qobject_cast<QRadioButton *>(bouton) || qobject_cast<QCheckBox *>(bouton))) {
                QStyleOptionButton option;
                option.initFrom(bouton);
                option.text = bouton->text();
                const bool radio = qobject_cast<QRadioButton *>(bouton) != nullptr;
                const QRect marque = bouton->style()->subElementRect(
                    radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option,
                    bouton);
                const QString cle = radio ? u"radio:"_s + bouton->text() : nom;
                if (!cle.isEmpty())
                    disposition.m_catalogue.insert(cle, dans(fp, *bouton, marque));
            }
            // Rows have one height in every list of the program: three are enough.
            if (auto *liste = qobject_cast<QListWidget *>(controle); liste && !nom.isEmpty()) {
                liste->addItems({u"A"_s, u"B"_s, u"C"_s});
                for (int ligne = 0; ligne < 3; ++ligne)
                    disposition.m_catalogue.insert(
                        u"ligne:%1:%2"_s.arg(nom).arg(ligne),
                        dans(fp, *liste->viewport(), liste->visualItemRect(liste->item(ligne))));
                liste->clear();
            }
        }
    }
    for (QWidget *controle : fp.findChildren<QWidget *>()) {
        const QString nom = controle->objectName();
        if (!nom.isEmpty() && !disposition.m_catalogue.contains(nom))
            disposition.m_catalogue.insert(nom, dans(fp, *controle, controle->rect()));
    }
    fp.hide();
    return disposition;
}

QRect Disposition::dansPanneau(const QString &nom) const
{
    return m_panneau.value(nom);
}

QRect Disposition::dansCatalogue(const QString &nom) const
{
    return m_catalogue.value(nom);
}
